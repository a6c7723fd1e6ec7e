#include "SizeableDlg.h"

IMPLEMENT_DYNAMIC(CSizeableDlg, CDialog)

BEGIN_MESSAGE_MAP(CSizeableDlg, CDialog)
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

namespace {
constexpr UINT kSizeGripId = 32767;
constexpr DWORD kSizeGripStyle = WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP;
}

CSizeableDlg::CSizeableDlg(UINT templateId, CWnd* parent, const WinMapEntry* map)
    : CDialog(templateId, parent), m_winMgr(map)
{
}

CSizeableDlg::~CSizeableDlg()
{
    if (m_icon != nullptr)
        DestroyIcon(m_icon);
}

void CSizeableDlg::LayoutControls(const RECT& client)
{
    WinMapEntry* top = m_winMgr.GetMap();
    top->rect = client;
    m_winMgr.LayoutGroup(top, this);
    m_winMgr.ApplyControlRects(this);
}

BOOL CSizeableDlg::OnInitDialog()
{
    const BOOL result = CDialog::OnInitDialog();
    if (WinMapEntry* map = m_winMgr.GetMap()) {
        m_winMgr.ReadControlRects(this);
        for (WinMapEntry* entry = map; entry->flags != 0; ++entry) {
            if (entry->Group() == WinMapGroup::Leaf && entry->Kind() == WinMapKind::InitialSize) {
                const RECT& rect = entry->rect;
                entry->param = static_cast<LONG>((static_cast<DWORD>(rect.bottom - rect.top) << 16) |
                                                 ((rect.right - rect.left) & 0xFFFF));
            }
        }
        RECT client;
        GetClientRect(&client);
        LayoutControls(client);
    }
    RECT window;
    GetWindowRect(&window);
    m_minTrackSize = {window.right - window.left, window.bottom - window.top};
    if (m_showSizeGrip) {
        m_gripWidth = GetSystemMetrics(SM_CXVSCROLL);
        m_gripHeight = GetSystemMetrics(SM_CYHSCROLL);
        m_gripRect = ComputeGripRect();
        // One pixel inside the client area's lower right corner.
        RECT grip = m_gripRect;
        OffsetRect(&grip, -1, -1);
        if (m_sizeGrip.Create(kSizeGripStyle, grip, this, kSizeGripId))
            m_sizeGrip.SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED);
    }
    m_initialised = true;
    return result;
}

RECT CSizeableDlg::ComputeGripRect()
{
    RECT rect;
    GetClientRect(&rect);
    rect.left = rect.right - m_gripWidth;
    rect.top = rect.bottom - m_gripHeight;
    return rect;
}

void CSizeableDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (m_winMgr.GetMap() != nullptr)
        LayoutControls({0, 0, cx, cy});
    if (nType == SIZE_MAXSHOW || nType == SIZE_MAXHIDE || !m_showSizeGrip || !m_initialised)
        return;
    InvalidateRect(&m_gripRect, TRUE);
    m_gripRect = ComputeGripRect();
    InvalidateRect(&m_gripRect, TRUE);
    if (m_sizeGrip.GetSafeHwnd() != nullptr) {
        m_sizeGrip.SetWindowPos(&wndTop, m_gripRect.left, m_gripRect.top, 0, 0, SWP_NOSIZE);
        m_sizeGrip.ShowWindow(nType == SIZE_MAXIMIZED ? SW_HIDE : SW_SHOW);
    }
}

void CSizeableDlg::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    if (WinMapEntry* top = m_winMgr.GetMap()) {
        WinSizeInfo info;
        m_winMgr.QuerySizeInfo(info, top, this);
        lpMMI->ptMaxTrackSize = {info.maximum.cx, info.maximum.cy};
    }
    lpMMI->ptMinTrackSize = {m_minTrackSize.cx, m_minTrackSize.cy};
}

void CSizeableDlg::OnDestroy()
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    CWinApp* app = AfxGetApp();
    if (!m_placementName.IsEmpty() && app != nullptr && GetWindowPlacement(m_hWnd, &placement))
        app->WriteProfileBinary(L"Settings", m_placementName, reinterpret_cast<LPBYTE>(&placement),
                                sizeof(placement));
    CDialog::OnDestroy();
}
