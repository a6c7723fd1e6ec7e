#include "KvoTestPaintManager.h"

void CKvoTestPaintManager::DropSubPaintManagers()
{
    DeleteSubPaintManagers();
}
