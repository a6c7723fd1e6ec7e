#include "KvoTestPaintManager.h"
#include "commandbars/KvoControlGalleryPaintManager.h"
#include "commandbars/KvoProgressPaintManager.h"
#include "commandbars/KvoSliderPaintManager.h"

void CKvoTestPaintManager::DropSubPaintManagers()
{
    delete m_pGalleryPaintManager;
    m_pGalleryPaintManager = nullptr;
    delete m_pSliderPaintManager;
    m_pSliderPaintManager = nullptr;
    delete m_pProgressPaintManager;
    m_pProgressPaintManager = nullptr;
}
