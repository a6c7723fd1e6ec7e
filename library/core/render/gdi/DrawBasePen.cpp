#include "render/gdi/DrawBasePen.h"
#include "render/gdi/DashTable.h"
#include "figures/B_Base.h"

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

bool CDrawBase::CMyPen::CreateDashed(CDrawBase* renderer, uint16_t lineType, int width, const LOGBRUSH& brush)
{
    double factor = renderer->m_print ? kPrintDashFactor : 1.0;
    DWORD entries[kMaxPenStyleEntries];
    float dashes[32];
    int count = 0;
    int n = 0;
    if (renderer->GetUserLineStyle(lineType, dashes, &count))
        n = MakePenStyle(dashes, count, factor, entries);
    else if (const DashPattern* pattern = BuiltInDashes(lineType))
        n = MakePenStyle(pattern->lengths, pattern->count, factor, entries);
    else
        return false;
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
