#include "render/gdi/DrawBasePen.h"
#include "render/gdi/DashTable.h"
#include "figures/B_Base.h"
#include <algorithm>

namespace {
// Printing multiplies dashes and gaps so that the pattern keeps its look at
// printer resolution.
const double kPrintDashFactor = 14.0;
}

CDrawBase::CMyPen::CMyPen(CDrawBase* renderer, const B_Base* figure) : m_pDC(renderer->m_pDC)
{
    PenKey key = {renderer->VisibleColor(figure->colour), figure->lineType, renderer->m_thickLines ? 3 : 1};
    CPassPenCache& cache = renderer->m_passPens;
    CPen* pen = cache.Get(key, [&](CPen& made) { return Make(renderer, key, made); });
    HDC dc = m_pDC ? m_pDC->GetSafeHdc() : nullptr;
    if (pen && cache.SelectForPass(dc, pen))
        return;
    // A pen of its own, or none: from the DC's own pen, as outside a pass.
    cache.RestoreForPass(dc);
    if (!pen && Make(renderer, key, m_own))
        pen = &m_own;
    if (pen && m_pDC)
        m_old = m_pDC->SelectObject(pen->GetSafeHandle());
}

CDrawBase::CMyPen::~CMyPen()
{
    if (m_old)
        m_pDC->SelectObject(m_old);
}

// A pattern GDI refuses (all zeros, say) gives a solid pen in the figure's
// colour rather than leaving the previous figure's pen in the DC.
bool CDrawBase::CMyPen::Make(CDrawBase* renderer, const PenKey& key, CPen& pen)
{
    LOGBRUSH brush = {BS_SOLID, key.colour, 0};
    if (MakeDashed(renderer, key, brush, pen))
        return true;
    int baseStyle = renderer->m_thickLines ? PS_GEOMETRIC : PS_SOLID;
    return pen.CreatePen(baseStyle, key.width, key.colour) != FALSE;
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

bool CDrawBase::CMyPen::MakeDashed(CDrawBase* renderer, const PenKey& key, const LOGBRUSH& brush, CPen& pen)
{
    float dashes[32];
    int count = 0;
    if (!renderer->LineDashes(key.lineType, dashes, &count))
        return false;
    double factor = renderer->m_print ? kPrintDashFactor : 1.0;
    DWORD entries[kMaxPenStyleEntries];
    int n = MakePenStyle(dashes, count, factor, entries);
    return pen.CreatePen(PS_GEOMETRIC | PS_USERSTYLE, key.width, &brush, n, entries) != FALSE;
}

CDrawBase::CMyBsh::CMyBsh(CDrawBase* renderer, COLORREF colour) : m_pDC(renderer->m_pDC)
{
    Select(renderer, BrushKey{renderer->VisibleColor(colour), false});
}

CDrawBase::CMyBsh::CMyBsh(CDrawBase* renderer, DWORD, COLORREF colour) : m_pDC(renderer->m_pDC)
{
    Select(renderer, BrushKey{renderer->VisibleColor(colour), true});
}

CDrawBase::CMyBsh::~CMyBsh()
{
    if (m_old)
        m_pDC->SelectObject(m_old);
}

void CDrawBase::CMyBsh::Select(CDrawBase* renderer, const BrushKey& key)
{
    CBrush* brush = renderer->m_passBrushes.Get(key);
    if (!brush) {
        BOOL made = key.hatched ? m_own.CreateHatchBrush(HS_FDIAGONAL, key.colour) : m_own.CreateSolidBrush(key.colour);
        brush = made ? &m_own : nullptr;
    }
    if (brush && m_pDC)
        m_old = m_pDC->SelectObject(brush->GetSafeHandle());
}
