#include "commandbars/KvoControlGalleryPaintManager.h"

namespace {
const int kGalleryUpButtonHeight = 19;
const int kGalleryDownButtonHeight = 19;
const int kGalleryScrollButtonWidth = 16;
const int kGalleryDefaultDpi = 96;
}

CKvoControlGalleryPaintManager::CKvoControlGalleryPaintManager(CKvoPaintManager* paintManager)
    : CKvoScrollBarPaintManager(paintManager), m_nDpi(kGalleryDefaultDpi)
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
    m_cyUpButton = ::MulDiv(kGalleryUpButtonHeight, m_nDpi, kGalleryDefaultDpi);
    m_cyDownButton = ::MulDiv(kGalleryDownButtonHeight, m_nDpi, kGalleryDefaultDpi);
    m_cxScrollButton = ::MulDiv(kGalleryScrollButtonWidth, m_nDpi, kGalleryDefaultDpi);
}
