#include "render/gdi/DrawBasePen.h"
#include "render/gdi/DashTable.h"
#include "figures/B_Base.h"
#include <algorithm>

namespace {
// Printing multiplies dashes and gaps so that the pattern keeps its look at
// printer resolution.
const double kPrintDashFactor = 14.0;
}

// A pattern GDI refuses (all zeros, say) gives a solid pen in the figure's
// colour rather than leaving the previous figure's pen in the DC.
CDrawBase::CMyPen::CMyPen(CDrawBase* renderer, const B_Base* figure) : CSelectedGdiObject<CPen>(renderer->m_pDC)
{
    int width = renderer->m_thickLines ? 3 : 1;
    int baseStyle = renderer->m_thickLines ? PS_GEOMETRIC : PS_SOLID;
    COLORREF colour = renderer->VisibleColor(figure->colour);
    LOGBRUSH brush = {BS_SOLID, colour, 0};
    if (!CreateDashed(renderer, figure->lineType, width, brush))
        CreatePen(baseStyle, width, colour);
    Select();
}

bool CDrawBase::LineDashes(uint16_t lineType, float dashes[32], int* count)
{
    int n = 0;
    if (GetUserLineStyle(lineType, dashes, &n)) {
        n = std::max(0, std::min(n, 32));
    } else if (const DashPattern* row = BuiltInDashes(lineType)) {
        n = row->count;
        std::copy(row->lengths, row->lengths + n, dashes);
    } else {
        return false;
    }
    *count = n;
    return true;
}

bool CDrawBase::CMyPen::CreateDashed(CDrawBase* renderer, uint16_t lineType, int width, const LOGBRUSH& brush)
{
    float dashes[32];
    int count = 0;
    if (!renderer->LineDashes(lineType, dashes, &count))
        return false;
    double factor = renderer->m_print ? kPrintDashFactor : 1.0;
    DWORD entries[kMaxPenStyleEntries];
    int n = MakePenStyle(dashes, count, factor, entries);
    return CreatePen(PS_GEOMETRIC | PS_USERSTYLE, width, &brush, n, entries);
}

CDrawBase::CMyBsh::CMyBsh(CDrawBase* renderer, COLORREF colour) : CSelectedGdiObject<CBrush>(renderer->m_pDC)
{
    CreateSolidBrush(renderer->VisibleColor(colour));
    Select();
}

CDrawBase::CMyBsh::CMyBsh(CDrawBase* renderer, DWORD, COLORREF colour) : CSelectedGdiObject<CBrush>(renderer->m_pDC)
{
    CreateHatchBrush(HS_FDIAGONAL, renderer->VisibleColor(colour));
    Select();
}
