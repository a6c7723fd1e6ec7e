#include "foundation/base/KvoShadowManager.h"
#include "foundation/base/KvoColorManager.h"
#include "foundation/base/KvoDrawHelpers.h"
#include <algorithm>

namespace {
// One premultiplied pixel of the shadow colour at a strength.
DWORD ShadowPixel(COLORREF color, double strength, int alpha)
{
    const DWORD red = static_cast<DWORD>(GetRValue(color) * strength);
    const DWORD green = static_cast<DWORD>(GetGValue(color) * strength);
    const DWORD blue = static_cast<DWORD>(GetBValue(color) * strength);
    return (static_cast<DWORD>(alpha) << 24) | (red << 16) | (green << 8) | blue;
}

// The rectangle of a shadow of size s beside the owner rectangle.
CRect ShadowRect(CKvoShadowManager::CShadowWnd::Kind kind, const CRect& owner, int s)
{
    switch (kind) {
    case CKvoShadowManager::CShadowWnd::Right:
        return CRect(owner.right, owner.top + s, owner.right + s, owner.bottom);
    case CKvoShadowManager::CShadowWnd::Bottom:
        return CRect(owner.left + s, owner.bottom, owner.right + s, owner.bottom + s);
    default:
        return CRect(owner.right - 1, owner.bottom - 1, owner.right, owner.bottom);
    }
}
}

CKvoShadowManager::CKvoShadowManager()
    : m_bUseSaveBits(TRUE), m_nShadowOptions(0), m_clrShadow(0x000000),
      m_bAlphaShadow(!CKvoColorManager::IsLowResolution(NULL))
{
}

CKvoShadowManager::~CKvoShadowManager()
{
    // Each shadow window holds a reference, so none is left by now.
    m_shadows.RemoveAll();
}

void CKvoShadowManager::SetShadow(CWnd* popup, const RECT& exclude)
{
    if (!popup || !::IsWindow(popup->GetSafeHwnd()))
        return;
    if (!(m_nShadowOptions & 1)) {
        BOOL systemShadows = FALSE;
        if (!m_bAlphaShadow || !::SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &systemShadows, 0) || !systemShadows)
            return;
    }
    const CKvoWindowRect popupRect(popup);
    CreateShadow(CShadowWnd::Bottom, popupRect, CRect(exclude), popup, FALSE);
    CreateShadow(CShadowWnd::Right, popupRect, CRect(exclude), popup, FALSE);
    CRgn region;
    region.CreateRectRgn(0, 0, 0, 0);
    if (::GetWindowRgn(popup->GetSafeHwnd(), static_cast<HRGN>(region.GetSafeHandle())) == COMPLEXREGION)
        CreateShadow(CShadowWnd::Corner, popupRect, CRect(exclude), popup, FALSE);
}

void CKvoShadowManager::SetControlShadow(const RECT& screenRect, CWnd* owner)
{
    if ((m_nShadowOptions & 3) != 3 || !owner || !::IsWindow(owner->GetSafeHwnd()))
        return;
    CreateShadow(CShadowWnd::Bottom, CRect(screenRect), CRect(0, 0, 0, 0), owner, TRUE);
    CreateShadow(CShadowWnd::Right, CRect(screenRect), CRect(0, 0, 0, 0), owner, TRUE);
}

void CKvoShadowManager::RemoveShadow(CWnd* popup)
{
    // Keep the manager alive while its last shadows go.
    InternalAddRef();
    POSITION position = m_shadows.GetHeadPosition();
    while (position) {
        CShadowWnd* shadow = m_shadows.GetNext(position);
        if (shadow->m_pOwner == popup)
            shadow->DestroyShadow(); // position already points past it
    }
    InternalRelease();
}

void CKvoShadowManager::OffsetShadow(CWnd* owner, int dx, int dy)
{
    if (!owner || !owner->GetSafeHwnd())
        return;
    const bool mirrored = (owner->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    for (POSITION position = m_shadows.GetHeadPosition(); position;) {
        CShadowWnd* shadow = m_shadows.GetNext(position);
        if (shadow->m_pOwner != owner || shadow->m_bControlShadow || !::IsWindow(shadow->GetSafeHwnd()))
            continue;
        shadow->ClearRegion();
        CRect rect = CKvoWindowRect(shadow);
        switch (shadow->m_kind) {
        case CShadowWnd::Right:
            if (!mirrored)
                rect.OffsetRect(dx, 0);
            rect.bottom += dy;
            break;
        case CShadowWnd::Bottom:
            rect.OffsetRect(mirrored ? -dx : 0, dy);
            rect.right += dx;
            break;
        case CShadowWnd::Corner:
            rect.OffsetRect(mirrored ? 0 : dx, dy);
            break;
        }
        shadow->SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(),
                             SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
}

int CKvoShadowManager::GetShadowCount(CWnd* owner) const
{
    int count = 0;
    for (POSITION position = m_shadows.GetHeadPosition(); position;) {
        const CShadowWnd* shadow = m_shadows.GetNext(position);
        if (!owner || shadow->m_pOwner == owner)
            ++count;
    }
    return count;
}

CKvoShadowManager::CShadowWnd* CKvoShadowManager::CreateShadow(CShadowWnd::Kind kind, const CRect& ownerRect,
                                                               const CRect& exclude, CWnd* owner,
                                                               BOOL controlShadow)
{
    CShadowWnd* shadow = new CShadowWnd(this, kind, owner, controlShadow);
    if (!CreateShadowWindow(shadow, owner)) {
        delete shadow;
        return nullptr;
    }
    shadow->SetWindowRgn(NULL, FALSE);
    CRect rect = ShadowRect(kind, ownerRect, ShadowSize());
    FitToNeighbours(shadow, rect);
    shadow->MoveWindow(rect, FALSE);
    m_shadows.AddTail(shadow);
    if (m_nShadowOptions & 2) {
        CutOut(shadow, exclude);
        for (POSITION position = m_shadows.GetHeadPosition(); position;) {
            CShadowWnd* other = m_shadows.GetNext(position);
            if (other == shadow || (kind == CShadowWnd::Corner && other->m_pOwner == owner))
                continue;
            CutOut(shadow, CKvoWindowRect(other->m_pOwner));
        }
    }
    const bool topmost = (owner->GetExStyle() & WS_EX_TOPMOST) != 0;
    shadow->SetWindowPos(topmost ? &CWnd::wndTopMost : &CWnd::wndTop, 0, 0, 0, 0,
                         SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
    CKvoHookManager::Instance()->SetHook(owner->GetSafeHwnd(), shadow);
    return shadow;
}

BOOL CKvoShadowManager::CreateShadowWindow(CShadowWnd* shadow, CWnd* owner)
{
    if (shadow->GetSafeHwnd())
        return TRUE;
    LPCTSTR className = AfxRegisterWndClass(m_bUseSaveBits ? CS_SAVEBITS | CS_OWNDC : 0,
                                            ::LoadCursorW(NULL, IDC_ARROW));
    const DWORD exStyle = WS_EX_TOOLWINDOW | (m_bAlphaShadow ? WS_EX_LAYERED : 0);
    return shadow->CreateEx(exStyle, className, NULL, WS_POPUP, 0, 0, 0, 0, owner->GetSafeHwnd(), NULL);
}

void CKvoShadowManager::FitToNeighbours(CShadowWnd* shadow, CRect& rect) const
{
    for (POSITION position = m_shadows.GetHeadPosition(); position;) {
        const CShadowWnd* other = m_shadows.GetNext(position);
        const CRect otherRect = CKvoWindowRect(other);
        if (shadow->m_kind == CShadowWnd::Bottom && other->m_kind == CShadowWnd::Right &&
            rect.left == otherRect.right - 1 && rect.top > otherRect.top && rect.bottom < otherRect.bottom)
            rect.left = rect.left + 2 * (otherRect.left - otherRect.right) - 1;
        else if (shadow->m_kind == CShadowWnd::Right && other->m_kind == CShadowWnd::Bottom &&
                 rect.top == otherRect.bottom - 1 && rect.right > otherRect.left && rect.right < otherRect.right)
            rect.top = rect.top + 2 * (otherRect.top - otherRect.bottom);
    }
}

void CKvoShadowManager::CutOut(CShadowWnd* shadow, const CRect& screenRect) const
{
    const CRect windowRect = CKvoWindowRect(shadow);
    CRect covered;
    if (!covered.IntersectRect(&windowRect, &screenRect))
        return;
    covered.OffsetRect(-windowRect.left, -windowRect.top);
    CRgn region, cut;
    region.CreateRectRgnIndirect(CKvoClientRect(shadow));
    // Cuts add up: start from the region set by an earlier cut.
    if (shadow->m_bRegionSet)
        ::GetWindowRgn(shadow->GetSafeHwnd(), static_cast<HRGN>(region.GetSafeHandle()));
    cut.CreateRectRgnIndirect(&covered);
    region.CombineRgn(&region, &cut, RGN_DIFF);
    shadow->SetRegion(region);
}

void CKvoShadowManager::Forget(CShadowWnd* shadow)
{
    POSITION position = m_shadows.Find(shadow);
    if (position)
        m_shadows.RemoveAt(position);
}

BOOL CKvoShadowManager::CShadowWnd::SetRegion(CRgn& region)
{
    if (!SetWindowRgn(static_cast<HRGN>(region.GetSafeHandle()), FALSE))
        return FALSE;
    // The window owns the region from here on.
    region.Detach();
    m_bRegionSet = TRUE;
    return TRUE;
}

void CKvoShadowManager::CShadowWnd::ClearRegion()
{
    if (!m_bRegionSet)
        return;
    SetWindowRgn(NULL, FALSE);
    m_bRegionSet = FALSE;
}

BEGIN_MESSAGE_MAP(CKvoShadowManager::CShadowWnd, CWnd)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_SIZE()
ON_WM_NCHITTEST()
END_MESSAGE_MAP()

CKvoShadowManager::CShadowWnd::CShadowWnd(CKvoShadowManager* manager, Kind kind, CWnd* owner, BOOL controlShadow)
    : m_kind(kind), m_bRegionSet(FALSE), m_pOwner(owner), m_bControlShadow(controlShadow), m_pManager(manager)
{
    m_pManager->InternalAddRef();
}

CKvoShadowManager::CShadowWnd::~CShadowWnd()
{
    if (GetSafeHwnd())
        DestroyWindow();
    m_pManager->InternalRelease();
}

void CKvoShadowManager::CShadowWnd::DestroyShadow()
{
    CKvoHookManager::Instance()->RemoveHook(m_pOwner->GetSafeHwnd(), this);
    if (GetSafeHwnd())
        ShowWindow(SW_HIDE);
    m_pManager->Forget(this);
    if (GetSafeHwnd())
        DestroyWindow();
    delete this;
}

int CKvoShadowManager::CShadowWnd::OnHookMessage(HWND, UINT message, WPARAM& wParam, LPARAM&, LRESULT&)
{
    switch (message) {
    case WM_SHOWWINDOW:
        ShowWindow(wParam ? SW_SHOWNA : SW_HIDE);
        break;
    case WM_DESTROY:
        // The popup goes: so does its shadow (the hook manager does not
        // touch a client that removed itself).
        DestroyShadow();
        break;
    default:
        break;
    }
    return 0;
}

BOOL CKvoShadowManager::CShadowWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CKvoShadowManager::CShadowWnd::OnPaint()
{
    CPaintDC dc(this);
    const COLORREF color = m_pManager->m_bAlphaShadow ? 0x000000 : CKvoColorManager::Instance()->GetColor(16);
    dc.FillSolidRect(CKvoClientRect(this), color);
}

void CKvoShadowManager::CShadowWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (m_pManager->m_bAlphaShadow && m_pOwner && cx > 0 && cy > 0)
        UpdateLayeredImage(cx, cy);
}

LRESULT CKvoShadowManager::CShadowWnd::OnNcHitTest(CPoint)
{
    return HTTRANSPARENT;
}

void CKvoShadowManager::CShadowWnd::UpdateLayeredImage(int cx, int cy)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = cx;
    info.bmiHeader.biHeight = cy; // bottom-up: row 0 in memory is the bottom row
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    CBitmap bitmap;
    if (!bitmap.Attach(::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &bits, NULL, 0)) || !bits)
        return;
    FillImage(static_cast<DWORD*>(bits), cx, cy);
    CKvoCompatibleDC memory(NULL, static_cast<HBITMAP>(bitmap.GetSafeHandle()));
    POINT source = {0, 0};
    SIZE size = {cx, cy};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::UpdateLayeredWindow(GetSafeHwnd(), NULL, NULL, &size, memory.GetSafeHdc(), &source, 0, &blend, ULW_ALPHA);
}

void CKvoShadowManager::CShadowWnd::FillImage(DWORD* pixels, int cx, int cy) const
{
    const COLORREF color = m_pManager->m_clrShadow;
    const int k = (m_pManager->m_nShadowOptions & 1) ? 1 : 2;
    for (int row = 0; row < cy; ++row) {
        for (int column = 0; column < cx; ++column) {
            double strength = 1.0;
            int alpha = 60 * k;
            if (m_kind == Bottom) {
                const int r = std::min(row, 3);
                const int fromEnd = std::min(column, cx - 1 - column);
                if (fromEnd < 4) {
                    strength = (fromEnd + 1) * (r + 1) / 20.0;
                    alpha = 3 * k * (fromEnd + 1) * (r + 1);
                } else {
                    strength = (r + 1) / 4.0;
                    alpha = 15 * k * (r + 1);
                }
            } else if (m_kind == Right) {
                const int c = std::min(column, 3);
                const int fromTop = cy - 1 - row;
                if (fromTop < 4) {
                    const int fromRight = std::min(cx - 1 - column, 3);
                    strength = (fromRight + 1) * (fromTop + 1) / 20.0;
                    alpha = 3 * k * (fromRight + 1) * (fromTop + 1);
                } else {
                    strength = (4 - c) / 4.0;
                    alpha = 15 * k * (4 - c);
                }
            }
            pixels[row * cx + column] = ShadowPixel(color, strength, alpha);
        }
    }
}
