#include "render/gdi/DrawBase.h"
#include "figures/FigBounds.h"
#include <algorithm>

CDrawBase::CDrawBase()
    : m_progressWnd(nullptr), m_pDC(nullptr), m_devX(0), m_devY(0), m_worldRefX(0), m_worldRefY(0),
      m_devOffsetX(0), m_devOffsetY(0), m_scale(1.0), m_zoom(256), m_backColor(0), m_width(256), m_height(256),
      m_originX(0), m_originY(0), m_readerId(GetTickCount()), m_wholeDrawing(true), m_thickLines(false),
      m_gdiplusImages(false), m_print(false), m_penWidths(false), m_imagesConverted(false),
      m_imageTransparency(true), m_mainPass(false)
{
    ResetExtent();
}

// The figures themselves belong to the reader, whose destructor deletes them
// first; what is left here is only the list storage.
CDrawBase::~CDrawBase() = default;

void CDrawBase::ResetExtent()
{
    m_extentMinX = m_extentMinY = DBL_MAX;
    m_extentMaxX = m_extentMaxY = -DBL_MAX;
}

bool CDrawBase::GetUserLineStyle(uint16_t, float[32], int*)
{
    return false;
}

B_FigNode* CDrawBase::AddData(B_FigNode* node, bool noExtent)
{
    if (node->fig) {
        Bounds2D box;
        CalcFigBounds(node->fig, box, m_scale);
        if (!noExtent && !box.IsEmpty()) {
            m_extentMaxX = std::max(m_extentMaxX, box.maxX);
            m_extentMinX = std::min(m_extentMinX, box.minX);
            m_extentMaxY = std::max(m_extentMaxY, box.maxY);
            m_extentMinY = std::min(m_extentMinY, box.minY);
        }
    }
    m_figures.AddTail(node);
    uint16_t code = node->fig ? node->fig->typeCode : 0;
    if (code == FigCode::Solid)
        m_solids.AddTail(node);
    else if (code == FigCode::Image)
        m_images.AddTail(node);
    return node;
}

void CDrawBase::DeleteFigures()
{
    m_solids.RemoveAll();
    m_images.RemoveAll();
    DeleteFigNodes(m_figures);
    ResetExtent();
}
