#include "commandbars/KvoControlGalleryPaintManager.h"

namespace {
const int kUpButtonHeight = 19;
const int kDownButtonHeight = 19;
const int kScrollButtonWidth = 16;
const int kDefaultDpi = 96;
}

CKvoControlGalleryPaintManager::CKvoControlGalleryPaintManager(CKvoPaintManager* paintManager)
    : CKvoScrollBarPaintManager(paintManager), m_nDpi(kDefaultDpi)
{
    ScaleButtons();
}

void CKvoControlGalleryPaintManager::RefreshMetrics()
{
    CKvoScrollBarPaintManager::RefreshMetrics();
    ScaleButtons();
}

void CKvoControlGalleryPaintManager::ScaleButtons()
{
    m_cyUpButton = ::MulDiv(kUpButtonHeight, m_nDpi, kDefaultDpi);
    m_cyDownButton = ::MulDiv(kDownButtonHeight, m_nDpi, kDefaultDpi);
    m_cxScrollButton = ::MulDiv(kScrollButtonWidth, m_nDpi, kDefaultDpi);
}
