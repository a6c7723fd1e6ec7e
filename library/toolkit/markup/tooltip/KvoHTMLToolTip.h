#pragma once
#include <exdisp.h>
#include <functional>
#include <mshtmhst.h>

#include "markup/tooltip/KvoToolTipContext.h"
#include "markup/tooltip/KvoToolTipContextToolTip.h"

// The HTML look: the tool text is HTML shown by a web browser control in
// the tip, which acts as the browser's client site and UI host. The page is
// styled with the tip's font and background; the tip takes the narrowest
// width at which the text is no taller than at 650 pixels.
class CKvoToolTipContext::CHTMLToolTip : public CKvoToolTipContextToolTip {
public:
    explicit CHTMLToolTip(CKvoToolTipContext* context);
    ~CHTMLToolTip() override;

    CSize CalcSize(TOOLITEM& tool) override;
    void DrawContent(CDC* dc, TOOLITEM& tool, RECT rect) override;

    // How long the first page may take before the tip shows without it.
    static constexpr DWORD kPageWaitMilliseconds = 5000;
    static constexpr DWORD kPagePollMilliseconds = 50;
    enum class PageWait { Complete, TimedOut, Quit, WindowGone };
    // Pumps the thread's messages until ready() holds, the time is up, a
    // WM_QUIT comes (left for the thread's own loop) or window goes.
    static PageWait WaitForPage(const std::function<bool()>& ready, HWND window, DWORD milliseconds);

    // measureAt(width, height) sizes the page and answers its scroll width
    // and height. Answers the tip's content width and the page's height at
    // 650 pixels.
    static CSize FindContentSize(int maxWidth, const std::function<SIZE(int width, int height)>& measureAt);
    // The empty page styled with face, size and background colour.
    static CStringW FormatPageUrl(const CStringW& face, int size, COLORREF background);

    // True once the page did not load in time: the tip shows its text plainly.
    bool IsWithoutPage() const { return m_withoutPage; }

protected:
    LPUNKNOWN GetInterfaceHook(const void* iid) override;

private:
    class XOleClientSite : public IOleClientSite {
    public:
        explicit XOleClientSite(CHTMLToolTip* outer) : m_outer(outer) {}
        STDMETHOD(QueryInterface)(REFIID riid, void** object) override;
        STDMETHOD_(ULONG, AddRef)() override;
        STDMETHOD_(ULONG, Release)() override;
        STDMETHOD(SaveObject)() override;
        STDMETHOD(GetMoniker)(DWORD assign, DWORD which, IMoniker** moniker) override;
        STDMETHOD(GetContainer)(IOleContainer** container) override;
        STDMETHOD(ShowObject)() override;
        STDMETHOD(OnShowWindow)(BOOL show) override;
        STDMETHOD(RequestNewObjectLayout)() override;

    private:
        CHTMLToolTip* m_outer;
    };

    class XDocHostUIHandler : public IDocHostUIHandler {
    public:
        explicit XDocHostUIHandler(CHTMLToolTip* outer) : m_outer(outer) {}
        STDMETHOD(QueryInterface)(REFIID riid, void** object) override;
        STDMETHOD_(ULONG, AddRef)() override;
        STDMETHOD_(ULONG, Release)() override;
        STDMETHOD(ShowContextMenu)(DWORD id, POINT* point, IUnknown* target, IDispatch* reserved) override;
        STDMETHOD(GetHostInfo)(DOCHOSTUIINFO* info) override;
        STDMETHOD(ShowUI)(DWORD id, IOleInPlaceActiveObject* active, IOleCommandTarget* target,
                          IOleInPlaceFrame* frame, IOleInPlaceUIWindow* document) override;
        STDMETHOD(HideUI)() override;
        STDMETHOD(UpdateUI)() override;
        STDMETHOD(EnableModeless)(BOOL enable) override;
        STDMETHOD(OnDocWindowActivate)(BOOL activate) override;
        STDMETHOD(OnFrameWindowActivate)(BOOL activate) override;
        STDMETHOD(ResizeBorder)(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frame) override;
        STDMETHOD(TranslateAccelerator)(LPMSG msg, const GUID* group, DWORD command) override;
        STDMETHOD(GetOptionKeyPath)(LPOLESTR* key, DWORD reserved) override;
        STDMETHOD(GetDropTarget)(IDropTarget* target, IDropTarget** replaced) override;
        STDMETHOD(GetExternal)(IDispatch** external) override;
        STDMETHOD(TranslateUrl)(DWORD translate, LPWSTR url, LPWSTR* translated) override;
        STDMETHOD(FilterDataObject)(IDataObject* object, IDataObject** replaced) override;

    private:
        CHTMLToolTip* m_outer;
    };

    // Makes the browser and waits for its empty page; false when the tip
    // cannot show (no browser, WM_QUIT, the window went).
    bool OpenPage();
    void CloseBrowser();
    CSize MeasurePage(TOOLITEM& tool);

    XOleClientSite m_xOleClientSite{this};
    XDocHostUIHandler m_xDocHostUIHandler{this};
    CWnd m_browserWindow;
    IWebBrowser2* m_browser = nullptr;
    bool m_waiting = false;     // inside the first page's wait
    bool m_withoutPage = false;
};
