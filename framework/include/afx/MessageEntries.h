// The entries of message maps and the dispatchers behind them. Each macro
// makes one AFX_MSGMAP_ENTRY whose dispatcher unpacks the message for a
// handler of MFC's signature. Part of <afxwin.h>; include that instead.
#pragma once

template <class T>
struct AfxHandlerTraits;
template <class C, class R, class... A>
struct AfxHandlerTraits<R (C::*)(A...)>
{
    typedef C Class;
};

// The object whose handler pfn is: the map's class or a base of it.
template <auto pfn>
inline typename AfxHandlerTraits<decltype(pfn)>::Class* AfxHandlerTarget(CCmdTarget* pTarget)
{
    return static_cast<typename AfxHandlerTraits<decltype(pfn)>::Class*>(pTarget);
}

namespace AfxSig
{

// Signed coordinates: a point left of or above a window is negative.
inline int LowSigned(LPARAM lParam)
{
    return static_cast<short>(LOWORD(lParam));
}
inline int HighSigned(LPARAM lParam)
{
    return static_cast<short>(HIWORD(lParam));
}
inline CPoint PointOf(LPARAM lParam)
{
    return CPoint(LowSigned(lParam), HighSigned(lParam));
}
inline CWnd* WndOf(WPARAM wParam)
{
    return CWnd::FromHandle(reinterpret_cast<HWND>(wParam));
}
inline CDC* DCOf(WPARAM wParam)
{
    return CDC::FromHandle(reinterpret_cast<HDC>(wParam));
}

#define AFX_HANDLER (AfxHandlerTarget<pfn>(pTarget)->*pfn)
#define AFX_DISPATCHER(name) \
    template <auto pfn> \
    BOOL name(CCmdTarget* pTarget, AFX_CALL& call)

// Window messages.
AFX_DISPATCHER(v_v) { AFX_HANDLER(); call.lResult = 0; return TRUE; }
AFX_DISPATCHER(create) { call.lResult = AFX_HANDLER(reinterpret_cast<LPCREATESTRUCT>(call.lParam)); return TRUE; }
AFX_DISPATCHER(b_D) { call.lResult = AFX_HANDLER(DCOf(call.wParam)); return TRUE; }
AFX_DISPATCHER(size) { AFX_HANDLER(static_cast<UINT>(call.wParam), LOWORD(call.lParam), HIWORD(call.lParam)); return TRUE; }
AFX_DISPATCHER(move) { AFX_HANDLER(LowSigned(call.lParam), HighSigned(call.lParam)); return TRUE; }
AFX_DISPATCHER(timer) { AFX_HANDLER(static_cast<UINT_PTR>(call.wParam)); return TRUE; }
AFX_DISPATCHER(key) { AFX_HANDLER(static_cast<UINT>(call.wParam), LOWORD(call.lParam), HIWORD(call.lParam)); return TRUE; }
AFX_DISPATCHER(mouse) { AFX_HANDLER(static_cast<UINT>(call.wParam), PointOf(call.lParam)); return TRUE; }
AFX_DISPATCHER(wheel)
{
    call.lResult = AFX_HANDLER(GET_KEYSTATE_WPARAM(call.wParam), GET_WHEEL_DELTA_WPARAM(call.wParam), PointOf(call.lParam));
    return TRUE;
}
AFX_DISPATCHER(mouseactivate)
{
    call.lResult = AFX_HANDLER(WndOf(call.wParam), LOWORD(call.lParam), HIWORD(call.lParam));
    return TRUE;
}
AFX_DISPATCHER(setcursor)
{
    call.lResult = AFX_HANDLER(WndOf(call.wParam), LOWORD(call.lParam), HIWORD(call.lParam));
    return TRUE;
}
AFX_DISPATCHER(v_W) { AFX_HANDLER(WndOf(call.wParam)); return TRUE; }
AFX_DISPATCHER(capture) { AFX_HANDLER(WndOf(static_cast<WPARAM>(call.lParam))); return TRUE; }
AFX_DISPATCHER(v_b) { AFX_HANDLER(static_cast<BOOL>(call.wParam)); return TRUE; }
AFX_DISPATCHER(showwindow) { AFX_HANDLER(static_cast<BOOL>(call.wParam), static_cast<UINT>(call.lParam)); return TRUE; }
AFX_DISPATCHER(activate)
{
    AFX_HANDLER(LOWORD(call.wParam), WndOf(static_cast<WPARAM>(call.lParam)), HIWORD(call.wParam));
    return TRUE;
}
AFX_DISPATCHER(windowpos) { AFX_HANDLER(reinterpret_cast<WINDOWPOS*>(call.lParam)); return TRUE; }
AFX_DISPATCHER(minmax) { AFX_HANDLER(reinterpret_cast<MINMAXINFO*>(call.lParam)); return TRUE; }
AFX_DISPATCHER(nchittest) { call.lResult = AFX_HANDLER(PointOf(call.lParam)); return TRUE; }
AFX_DISPATCHER(nccalcsize)
{
    AFX_HANDLER(static_cast<BOOL>(call.wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(call.lParam));
    return TRUE;
}
AFX_DISPATCHER(syscommand) { AFX_HANDLER(static_cast<UINT>(call.wParam), call.lParam); return TRUE; }
AFX_DISPATCHER(u_v) { call.lResult = AFX_HANDLER(); return TRUE; }
AFX_DISPATCHER(l_v) { call.lResult = AFX_HANDLER(); return TRUE; }
AFX_DISPATCHER(contextmenu) { AFX_HANDLER(WndOf(call.wParam), PointOf(call.lParam)); return TRUE; }
AFX_DISPATCHER(settingchange)
{
    AFX_HANDLER(static_cast<UINT>(call.wParam), reinterpret_cast<LPCTSTR>(call.lParam));
    return TRUE;
}
AFX_DISPATCHER(uistate) { AFX_HANDLER(LOWORD(call.wParam), HIWORD(call.wParam)); return TRUE; }
AFX_DISPATCHER(printclient) { call.lResult = AFX_HANDLER(DCOf(call.wParam), static_cast<UINT>(call.lParam)); return TRUE; }
// WM_CTLCOLOR: nID carries the CTLCOLOR_ kind.
AFX_DISPATCHER(ctlcolor)
{
    call.lResult = reinterpret_cast<LRESULT>(AFX_HANDLER(DCOf(call.wParam), WndOf(static_cast<WPARAM>(call.lParam)), call.nID));
    return TRUE;
}
AFX_DISPATCHER(scroll)
{
    AFX_HANDLER(LOWORD(call.wParam), HIWORD(call.wParam),
                static_cast<CScrollBar*>(WndOf(static_cast<WPARAM>(call.lParam))));
    return TRUE;
}
AFX_DISPATCHER(drawitem)
{
    AFX_HANDLER(static_cast<int>(call.wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(call.lParam));
    return TRUE;
}
AFX_DISPATCHER(measureitem)
{
    AFX_HANDLER(static_cast<int>(call.wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(call.lParam));
    return TRUE;
}
AFX_DISPATCHER(l_wl) { call.lResult = AFX_HANDLER(call.wParam, call.lParam); return TRUE; }

// Commands and notifications.
AFX_DISPATCHER(b_v) { return AFX_HANDLER(); }
AFX_DISPATCHER(command_ex) { return AFX_HANDLER(call.nID); }
AFX_DISPATCHER(range) { AFX_HANDLER(call.nID); return TRUE; }
// A handler that calls ContinueRouting leaves the update to the next one.
AFX_DISPATCHER(update_ui)
{
    CCmdUI* pCmdUI = static_cast<CCmdUI*>(call.pExtra);
    pCmdUI->m_bContinueRouting = FALSE;
    AFX_HANDLER(pCmdUI);
    return !pCmdUI->m_bContinueRouting;
}
AFX_DISPATCHER(notify)
{
    AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(call.pExtra);
    AFX_HANDLER(pNotify->pNMHDR, pNotify->pResult);
    return TRUE;
}
AFX_DISPATCHER(notify_ex)
{
    AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(call.pExtra);
    return AFX_HANDLER(pNotify->pNMHDR, pNotify->pResult);
}
// Reflected WM_CTLCOLOR: a NULL brush leaves the message to the parent.
AFX_DISPATCHER(ctlcolor_reflect)
{
    HBRUSH hBrush = AFX_HANDLER(DCOf(call.wParam), call.nID);
    call.lResult = reinterpret_cast<LRESULT>(hBrush);
    return hBrush != NULL;
}
AFX_DISPATCHER(scroll_reflect) { AFX_HANDLER(LOWORD(call.wParam), HIWORD(call.wParam)); return TRUE; }

#undef AFX_DISPATCHER
#undef AFX_HANDLER

} // namespace AfxSig

#define AFX_MSG_ENTRY(message, dispatcher, handler) {message, 0, 0, 0, &AfxSig::dispatcher<handler>, nullptr},
#define AFX_CMD_ENTRY(message, code, id, idLast, dispatcher, handler) \
    {message, static_cast<UINT>(code), id, idLast, &AfxSig::dispatcher<handler>, nullptr},

#define ON_MESSAGE(message, memberFxn) AFX_MSG_ENTRY(message, l_wl, memberFxn)
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    {0xC000, 0, 0, 0, &AfxSig::l_wl<memberFxn>, &(nMessageVariable)},

#define ON_COMMAND(id, memberFxn) AFX_CMD_ENTRY(WM_COMMAND, CN_COMMAND, id, id, v_v, memberFxn)
#define ON_COMMAND_EX(id, memberFxn) AFX_CMD_ENTRY(WM_COMMAND, CN_COMMAND, id, id, command_ex, memberFxn)
#define ON_COMMAND_RANGE(id, idLast, memberFxn) AFX_CMD_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, range, memberFxn)
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    AFX_CMD_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, id, update_ui, memberFxn)
#define ON_CONTROL(code, id, memberFxn) AFX_CMD_ENTRY(WM_COMMAND, code, id, id, v_v, memberFxn)
#define ON_CONTROL_RANGE(code, id, idLast, memberFxn) AFX_CMD_ENTRY(WM_COMMAND, code, id, idLast, range, memberFxn)
#define ON_NOTIFY(code, id, memberFxn) AFX_CMD_ENTRY(WM_NOTIFY, code, id, id, notify, memberFxn)
#define ON_NOTIFY_EX(code, id, memberFxn) AFX_CMD_ENTRY(WM_NOTIFY, code, id, id, notify_ex, memberFxn)

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)

// Reflected to the control that sent them (the parent's own entries are
// not called when the control handles them).
#define ON_CONTROL_REFLECT(code, memberFxn) AFX_CMD_ENTRY(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, v_v, memberFxn)
#define ON_CONTROL_REFLECT_EX(code, memberFxn) AFX_CMD_ENTRY(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, b_v, memberFxn)
#define ON_UPDATE_COMMAND_UI_REFLECT(memberFxn) \
    AFX_CMD_ENTRY(WM_REFLECT_BASE + WM_COMMAND, CN_UPDATE_COMMAND_UI, 0, 0, update_ui, memberFxn)
#define ON_NOTIFY_REFLECT(code, memberFxn) AFX_CMD_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, code, 0, 0, notify, memberFxn)
#define ON_NOTIFY_REFLECT_EX(code, memberFxn) \
    AFX_CMD_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, code, 0, 0, notify_ex, memberFxn)
#define ON_WM_CTLCOLOR_REFLECT() AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_CTLCOLOR, ctlcolor_reflect, &ThisClass::CtlColor)
#define ON_WM_HSCROLL_REFLECT() AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_HSCROLL, scroll_reflect, &ThisClass::HScroll)
#define ON_WM_VSCROLL_REFLECT() AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_VSCROLL, scroll_reflect, &ThisClass::VScroll)

#define ON_WM_CREATE() AFX_MSG_ENTRY(WM_CREATE, create, &ThisClass::OnCreate)
#define ON_WM_DESTROY() AFX_MSG_ENTRY(WM_DESTROY, v_v, &ThisClass::OnDestroy)
#define ON_WM_NCDESTROY() AFX_MSG_ENTRY(WM_NCDESTROY, v_v, &ThisClass::OnNcDestroy)
#define ON_WM_PAINT() AFX_MSG_ENTRY(WM_PAINT, v_v, &ThisClass::OnPaint)
#define ON_WM_ERASEBKGND() AFX_MSG_ENTRY(WM_ERASEBKGND, b_D, &ThisClass::OnEraseBkgnd)
#define ON_WM_SIZE() AFX_MSG_ENTRY(WM_SIZE, size, &ThisClass::OnSize)
#define ON_WM_MOVE() AFX_MSG_ENTRY(WM_MOVE, move, &ThisClass::OnMove)
#define ON_WM_TIMER() AFX_MSG_ENTRY(WM_TIMER, timer, &ThisClass::OnTimer)
#define ON_WM_CLOSE() AFX_MSG_ENTRY(WM_CLOSE, v_v, &ThisClass::OnClose)
#define ON_WM_KEYDOWN() AFX_MSG_ENTRY(WM_KEYDOWN, key, &ThisClass::OnKeyDown)
#define ON_WM_KEYUP() AFX_MSG_ENTRY(WM_KEYUP, key, &ThisClass::OnKeyUp)
#define ON_WM_CHAR() AFX_MSG_ENTRY(WM_CHAR, key, &ThisClass::OnChar)
#define ON_WM_SYSCHAR() AFX_MSG_ENTRY(WM_SYSCHAR, key, &ThisClass::OnSysChar)
#define ON_WM_LBUTTONDOWN() AFX_MSG_ENTRY(WM_LBUTTONDOWN, mouse, &ThisClass::OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MSG_ENTRY(WM_LBUTTONUP, mouse, &ThisClass::OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MSG_ENTRY(WM_LBUTTONDBLCLK, mouse, &ThisClass::OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_MSG_ENTRY(WM_RBUTTONDOWN, mouse, &ThisClass::OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_MSG_ENTRY(WM_RBUTTONUP, mouse, &ThisClass::OnRButtonUp)
#define ON_WM_MBUTTONDOWN() AFX_MSG_ENTRY(WM_MBUTTONDOWN, mouse, &ThisClass::OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_MSG_ENTRY(WM_MBUTTONUP, mouse, &ThisClass::OnMButtonUp)
#define ON_WM_MOUSEMOVE() AFX_MSG_ENTRY(WM_MOUSEMOVE, mouse, &ThisClass::OnMouseMove)
#define ON_WM_MOUSEWHEEL() AFX_MSG_ENTRY(WM_MOUSEWHEEL, wheel, &ThisClass::OnMouseWheel)
#define ON_WM_MOUSELEAVE() AFX_MSG_ENTRY(WM_MOUSELEAVE, v_v, &ThisClass::OnMouseLeave)
#define ON_WM_MOUSEACTIVATE() AFX_MSG_ENTRY(WM_MOUSEACTIVATE, mouseactivate, &ThisClass::OnMouseActivate)
#define ON_WM_SETCURSOR() AFX_MSG_ENTRY(WM_SETCURSOR, setcursor, &ThisClass::OnSetCursor)
#define ON_WM_SETFOCUS() AFX_MSG_ENTRY(WM_SETFOCUS, v_W, &ThisClass::OnSetFocus)
#define ON_WM_KILLFOCUS() AFX_MSG_ENTRY(WM_KILLFOCUS, v_W, &ThisClass::OnKillFocus)
#define ON_WM_CAPTURECHANGED() AFX_MSG_ENTRY(WM_CAPTURECHANGED, capture, &ThisClass::OnCaptureChanged)
#define ON_WM_CANCELMODE() AFX_MSG_ENTRY(WM_CANCELMODE, v_v, &ThisClass::OnCancelMode)
#define ON_WM_ENABLE() AFX_MSG_ENTRY(WM_ENABLE, v_b, &ThisClass::OnEnable)
#define ON_WM_SHOWWINDOW() AFX_MSG_ENTRY(WM_SHOWWINDOW, showwindow, &ThisClass::OnShowWindow)
#define ON_WM_ACTIVATE() AFX_MSG_ENTRY(WM_ACTIVATE, activate, &ThisClass::OnActivate)
#define ON_WM_WINDOWPOSCHANGING() AFX_MSG_ENTRY(WM_WINDOWPOSCHANGING, windowpos, &ThisClass::OnWindowPosChanging)
#define ON_WM_WINDOWPOSCHANGED() AFX_MSG_ENTRY(WM_WINDOWPOSCHANGED, windowpos, &ThisClass::OnWindowPosChanged)
#define ON_WM_GETMINMAXINFO() AFX_MSG_ENTRY(WM_GETMINMAXINFO, minmax, &ThisClass::OnGetMinMaxInfo)
#define ON_WM_NCHITTEST() AFX_MSG_ENTRY(WM_NCHITTEST, nchittest, &ThisClass::OnNcHitTest)
#define ON_WM_NCCALCSIZE() AFX_MSG_ENTRY(WM_NCCALCSIZE, nccalcsize, &ThisClass::OnNcCalcSize)
#define ON_WM_NCPAINT() AFX_MSG_ENTRY(WM_NCPAINT, v_v, &ThisClass::OnNcPaint)
#define ON_WM_SYSCOMMAND() AFX_MSG_ENTRY(WM_SYSCOMMAND, syscommand, &ThisClass::OnSysCommand)
#define ON_WM_GETDLGCODE() AFX_MSG_ENTRY(WM_GETDLGCODE, u_v, &ThisClass::OnGetDlgCode)
#define ON_WM_CONTEXTMENU() AFX_MSG_ENTRY(WM_CONTEXTMENU, contextmenu, &ThisClass::OnContextMenu)
#define ON_WM_SETTINGCHANGE() AFX_MSG_ENTRY(WM_SETTINGCHANGE, settingchange, &ThisClass::OnSettingChange)
#define ON_WM_SYSCOLORCHANGE() AFX_MSG_ENTRY(WM_SYSCOLORCHANGE, v_v, &ThisClass::OnSysColorChange)
#define ON_WM_THEMECHANGED() AFX_MSG_ENTRY(WM_THEMECHANGED, l_v, &ThisClass::OnThemeChanged)
#define ON_WM_UPDATEUISTATE() AFX_MSG_ENTRY(WM_UPDATEUISTATE, uistate, &ThisClass::OnUpdateUIState)
#define ON_WM_PRINTCLIENT() AFX_MSG_ENTRY(WM_PRINTCLIENT, printclient, &ThisClass::OnPrintClient)
#define ON_WM_CTLCOLOR() AFX_MSG_ENTRY(WM_CTLCOLOR, ctlcolor, &ThisClass::OnCtlColor)
#define ON_WM_HSCROLL() AFX_MSG_ENTRY(WM_HSCROLL, scroll, &ThisClass::OnHScroll)
#define ON_WM_VSCROLL() AFX_MSG_ENTRY(WM_VSCROLL, scroll, &ThisClass::OnVScroll)
#define ON_WM_DRAWITEM() AFX_MSG_ENTRY(WM_DRAWITEM, drawitem, &ThisClass::OnDrawItem)
#define ON_WM_MEASUREITEM() AFX_MSG_ENTRY(WM_MEASUREITEM, measureitem, &ThisClass::OnMeasureItem)
