#include "commandbars/KvoPaintManager.h"

CKvoPaintManager* CKvoPaintManager::s_instance = nullptr;

void CKvoPaintManager::DestroyInstance()
{
    if (s_instance) {
        s_instance->InternalRelease();
        s_instance = nullptr;
    }
}

CKvoPaintManager* CKvoPaintManager::GetInstance()
{
    return s_instance;
}
