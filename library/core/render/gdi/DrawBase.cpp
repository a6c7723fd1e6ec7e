#include "render/gdi/DrawBase.h"
#include "render/gdi/ReaderId.h"
#include "figures/FigBounds.h"
#include <algorithm>
#include "render/gdi/DevicePixel.h"
#include "timing/PhaseTimer.h"

CDrawBase::CDrawBase()
    : m_progressWnd(nullptr), m_pDC(nullptr), m_devX(0), m_devY(0), m_worldRefX(0), m_worldRefY(0),
      m_devOffsetX(0), m_devOffsetY(0), m_scale(1.0), m_zoom(256), m_backColor(0), m_width(256), m_height(256),
      m_originX(0), m_originY(0), m_readerId(NewReaderId()), m_wholeDrawing(true), m_thickLines(false),
      m_gdiplusImages(false), m_print(false), m_penWidths(false), m_imagesConverted(false),
      m_imageTransparency(true), m_mainPass(false), m_oneCallTexts(false)
{
    ResetExtent();
}

// The figures themselves belong to the reader, whose destructor deletes them
// first; what is left here is only the list storage.
CDrawBase::~CDrawBase()
{
    m_randomLine.ClearPoints();
}

void CDrawBase::ResetExtent()
{
    m_extentMinX = m_extentMinY = DBL_MAX;
    m_extentMaxX = m_extentMaxY = -DBL_MAX;
}

bool CDrawBase::GetUserLineStyle(uint16_t, float[32], int*)
{
    return false;
}

// A node is in all its lists or in none: when a list cannot take it, the
// caller still owns it and frees it, so no list may keep it.
B_FigNode* CDrawBase::AddData(B_FigNode* node, bool noExtent)
{
    Bounds2D box;
    if (node->fig) {
        CPhaseTimer timer(TimedPhase::Extent);
        CalcFigBounds(node->fig, box, m_scale);
    }
    uint16_t code = node->fig ? node->fig->typeCode : 0;
    CFigNodeList* kindList = code == FigCode::Solid ? &m_solids : code == FigCode::Image ? &m_images : nullptr;
    m_figures.AddTail(node);
    if (kindList) {
        try {
            kindList->AddTail(node);
        } catch (...) {
            m_figures.RemoveTail();
            throw;
        }
    }
    if (!noExtent && !box.IsEmpty()) {
        m_extentMaxX = std::max(m_extentMaxX, box.maxX);
        m_extentMinX = std::min(m_extentMinX, box.minX);
        m_extentMaxY = std::max(m_extentMaxY, box.maxY);
        m_extentMinY = std::min(m_extentMinY, box.minY);
    }
    return node;
}

void CDrawBase::DeleteFigures()
{
    m_solids.RemoveAll();
    m_images.RemoveAll();
    DeleteFigNodes(m_figures);
    m_figureArena.Release();
    ResetExtent();
}

COLORREF CDrawBase::VisibleColor(COLORREF colour) const
{
    return m_mainPass && colour == m_backColor ? colour ^ 0xFFFFFF : colour;
}

void CDrawBase::MapPoint(double x, double y)
{
    m_devX = (x - m_worldRefX) * m_scale + m_devOffsetX;
    m_devY = m_zoom - ((y - m_worldRefY) * m_scale + m_devOffsetY);
}

POINT CDrawBase::DevicePoint() const
{
    return POINT{ToDevicePixel(m_devX), ToDevicePixel(m_devY)};
}
