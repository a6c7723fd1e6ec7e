// CWnd: handle maps, attaching, subclassing, creation and destruction.
#include <afxwin.h>

#include "AfxThreadState.h"
#include "HandleMap.h"
#include "WindowCreationHook.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

namespace
{

CObject* CreateTempWnd(HANDLE h)
{
    CWnd* pWnd = new CWnd;
    pWnd->m_hWnd = static_cast<HWND>(h);
    return pWnd;
}

void DeleteTempWnd(CObject* pObject)
{
    CWnd* pWnd = static_cast<CWnd*>(pObject);
    pWnd->m_hWnd = NULL;
    delete pWnd;
}

// Attaches and subclasses the window being created, before its first
// message, when the thread waits for one.
LRESULT CALLBACK WindowCreationFilter(int code, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (code == HCBT_CREATEWND && pState->m_pWndInit != NULL)
    {
        CWnd* pWnd = pState->m_pWndInit;
        pState->m_pWndInit = NULL;
        pWnd->SubclassWindow(reinterpret_cast<HWND>(wParam));
    }
    return ::CallNextHookEx(pState->m_hHookOldCbtFilter, code, wParam, lParam);
}

} // namespace

CWindowCreationHook::CWindowCreationHook(CWnd* pWnd)
    : m_pState(AfxGetThreadState()), m_hPreviousHook(m_pState->m_hHookOldCbtFilter),
      m_pPreviousWndInit(m_pState->m_pWndInit)
{
    m_pState->m_hHookOldCbtFilter = ::SetWindowsHookExW(WH_CBT, WindowCreationFilter, NULL, ::GetCurrentThreadId());
    m_pState->m_pWndInit = pWnd;
}

CWindowCreationHook::~CWindowCreationHook()
{
    ::UnhookWindowsHookEx(m_pState->m_hHookOldCbtFilter);
    m_pState->m_hHookOldCbtFilter = m_hPreviousHook;
    m_pState->m_pWndInit = m_pPreviousWndInit;
}

CHandleMap* AFXAPI afxMapHWND()
{
    static CHandleMap map(CHandleMap::kWindows, &CreateTempWnd, &DeleteTempWnd, true);
    return &map;
}

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::CWnd() : m_hWnd(NULL), m_nFlags(0), m_pCtrlSite(NULL), m_pfnSuper(NULL)
{
}

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd), m_nFlags(0), m_pCtrlSite(NULL), m_pfnSuper(NULL)
{
}

CWnd::~CWnd()
{
    if (m_hWnd != NULL && this != &wndTop && this != &wndBottom && this != &wndTopMost && this != &wndNoTopMost)
        DestroyWindow();
}

HWND CWnd::GetSafeHwnd() const
{
    // Read through a volatile so the NULL test survives optimisation.
    const CWnd* volatile pSelf = this;
    return pSelf == NULL ? NULL : pSelf->m_hWnd;
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    return static_cast<CWnd*>(afxMapHWND()->FromHandle(hWnd));
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd != NULL ? static_cast<CWnd*>(afxMapHWND()->LookupPermanent(hWnd)) : NULL;
}

void PASCAL CWnd::DeleteTempMap()
{
    afxMapHWND()->DeleteTemp();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == NULL || m_hWnd != NULL)
        return FALSE;
    m_hWnd = hWndNew;
    afxMapHWND()->SetPermanent(hWndNew, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != NULL)
        afxMapHWND()->RemoveHandle(hWnd, this);
    m_hWnd = NULL;
    return hWnd;
}

WNDPROC* CWnd::GetSuperWndProcAddr()
{
    return &m_pfnSuper;
}

void CWnd::PreSubclassWindow()
{
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!::IsWindow(hWnd) || FromHandlePermanent(hWnd) != NULL || !Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC pfnOld = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxGetAfxWndProc())));
    if (pfnOld != AfxGetAfxWndProc())
        *GetSuperWndProcAddr() = pfnOld;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(pParent->GetSafeHwnd(), static_cast<int>(nID));
    return hWndControl != NULL && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    WNDPROC* ppfnSuper = GetSuperWndProcAddr();
    if (m_hWnd != NULL && *ppfnSuper != NULL)
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(*ppfnSuper));
    *ppfnSuper = NULL;
    return Detach();
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT&)
{
    return TRUE;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, CCreateContext*)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd != NULL)
        return FALSE;
    CREATESTRUCT cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }
    HWND hWnd;
    {
        CWindowCreationHook hook(this);
        hWnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    }
    // A window that failed in WM_CREATE was destroyed and detached already.
    return hWnd != NULL && m_hWnd == hWnd;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    bool bPermanent = FromHandlePermanent(m_hWnd) == this;
    BOOL bResult = ::DestroyWindow(m_hWnd);
    // A permanent object was detached by WM_NCDESTROY; a temporary one was
    // never routed its messages.
    if (!bPermanent)
        Detach();
    return bResult;
}

void CWnd::PostNcDestroy()
{
}

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject)
{
    return pObject != NULL && pObject->IsKindOf(pClass) ? pObject : NULL;
}
