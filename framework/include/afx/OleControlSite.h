// The site of an OLE control held by a CWnd (CWnd::CreateControl): the
// control's client site and in-place site in the CWnd's window, which the
// control's own window fills. Part of <afxwin.h>; include that instead.
#pragma once

#include <ole2.h>

class CWnd;

class COleControlSite : public IOleClientSite, public IOleInPlaceSite
{
public:
    // pWndHost: the window the control lives in; not owned.
    explicit COleControlSite(CWnd* pWndHost);
    COleControlSite(const COleControlSite&) = delete;
    COleControlSite& operator=(const COleControlSite&) = delete;

    // Makes the control and activates it in place over the host's client
    // area.
    HRESULT CreateControl(REFCLSID clsid);
    // Called by the host window with its messages: the control follows its
    // size and goes with it.
    void OnHostMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Deactivates the control, takes the site back from it and releases it.
    void Close();

    // The control; NULL before CreateControl succeeded and after Close.
    LPUNKNOWN m_pObject;

    // IUnknown
    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;
    // IOleClientSite
    STDMETHOD(SaveObject)() override;
    STDMETHOD(GetMoniker)(DWORD dwAssign, DWORD dwWhichMoniker, IMoniker** ppmk) override;
    STDMETHOD(GetContainer)(IOleContainer** ppContainer) override;
    STDMETHOD(ShowObject)() override;
    STDMETHOD(OnShowWindow)(BOOL fShow) override;
    STDMETHOD(RequestNewObjectLayout)() override;
    // IOleWindow
    STDMETHOD(GetWindow)(HWND* phwnd) override;
    STDMETHOD(ContextSensitiveHelp)(BOOL fEnterMode) override;
    // IOleInPlaceSite
    STDMETHOD(CanInPlaceActivate)() override;
    STDMETHOD(OnInPlaceActivate)() override;
    STDMETHOD(OnUIActivate)() override;
    STDMETHOD(GetWindowContext)(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc, LPRECT lprcPosRect,
                                LPRECT lprcClipRect, LPOLEINPLACEFRAMEINFO lpFrameInfo) override;
    STDMETHOD(Scroll)(SIZE scrollExtant) override;
    STDMETHOD(OnUIDeactivate)(BOOL fUndoable) override;
    STDMETHOD(OnInPlaceDeactivate)() override;
    STDMETHOD(DiscardUndoState)() override;
    STDMETHOD(DeactivateAndUndo)() override;
    STDMETHOD(OnPosRectChange)(LPCRECT lprcPosRect) override;

private:
    ~COleControlSite();

    LONG m_nRef;
    CWnd* m_pWndHost;
    IOleObject* m_pOleObject;
    IOleInPlaceObject* m_pInPlaceObject;
};
