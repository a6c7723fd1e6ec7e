#include "markup/tooltip/KvoHTMLToolTip.h"

#include <algorithm>
#include <atlcomcli.h>
#include <mshtml.h>

namespace {

constexpr UINT kBrowserWindowId = 0xE900;
constexpr int kReferenceWidth = 650;

const wchar_t kPageFormat[] =
    L"about:<head><style> body {font-family:%s; font-size:%i;}table {font-family:%s; font-size:%i;}</style>"
    L"</head><body topmargin=0 leftmargin=0 bottommargin=0 rightmargin=0 bgColor=%s></body>";

} // namespace

CKvoToolTipContext::CHTMLToolTip::CHTMLToolTip(CKvoToolTipContext* context) : CKvoToolTipContextToolTip(context)
{
    AfxEnableControlContainer();
}

CKvoToolTipContext::CHTMLToolTip::~CHTMLToolTip()
{
    CloseBrowser();
    if (GetSafeHwnd())
        DestroyWindow();
}

void CKvoToolTipContext::CHTMLToolTip::CloseBrowser()
{
    if (m_browser) {
        m_browser->Release();
        m_browser = nullptr;
    }
    if (m_browserWindow.GetSafeHwnd())
        m_browserWindow.DestroyWindow();
}

LPUNKNOWN CKvoToolTipContext::CHTMLToolTip::GetInterfaceHook(const void* iid)
{
    const IID& asked = *static_cast<const IID*>(iid);
    if (IsEqualIID(asked, IID_IOleClientSite) || IsEqualIID(asked, IID_IUnknown))
        return &m_xOleClientSite;
    if (IsEqualIID(asked, IID_IDocHostUIHandler))
        return &m_xDocHostUIHandler;
    return CKvoToolTipContextToolTip::GetInterfaceHook(iid);
}

CStringW CKvoToolTipContext::CHTMLToolTip::FormatPageUrl(const CStringW& face, int size, COLORREF background)
{
    CStringW colour;
    colour.Format(L"#%0.2x%0.2x%0.2x", GetRValue(background), GetGValue(background), GetBValue(background));
    CStringW url;
    url.Format(kPageFormat, face.GetString(), size, face.GetString(), size, colour.GetString());
    return url;
}

CKvoToolTipContext::CHTMLToolTip::PageWait CKvoToolTipContext::CHTMLToolTip::WaitForPage(
    const std::function<bool()>& ready, HWND window, DWORD milliseconds)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (ready())
            return PageWait::Complete;
        if (!::IsWindow(window))
            return PageWait::WindowGone;
        MSG msg;
        // A quit is the thread's own loop's to take.
        if (::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_NOREMOVE))
            return PageWait::Quit;
        const DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= milliseconds)
            return PageWait::TimedOut;
        if (!::PeekMessageW(&msg, NULL, 0, 0, PM_NOREMOVE)) {
            // The ready state can change without a message to this thread:
            // look again at least every poll interval.
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, (std::min)(milliseconds - elapsed, kPagePollMilliseconds),
                                        QS_ALLINPUT);
            continue;
        }
        if (!AfxPumpMessage()) {
            CWinThread* thread = AfxGetThread();
            ::PostQuitMessage(thread ? static_cast<int>(thread->m_msgCur.wParam) : 0);
            return PageWait::Quit;
        }
    }
}

CSize CKvoToolTipContext::CHTMLToolTip::FindContentSize(int maxWidth,
                                                        const std::function<SIZE(int, int)>& measureAt)
{
    const int reference = measureAt(kReferenceWidth, 200).cy;
    int low = 0, high = 2 * maxWidth, result = maxWidth, height = reference;
    while (low <= high) {
        const int mid = (low + high) / 2;
        const SIZE scroll = measureAt(mid, height);
        height = scroll.cy;
        if (mid < scroll.cx) {
            // Content wider than the page: a table or an unbreakable word.
            if (scroll.cy <= reference) {
                result = scroll.cx;
                break;
            }
            low = mid + 1;
        } else if (scroll.cy > reference) {
            low = mid + 1;
        } else {
            high = mid - 1;
            result = mid;
        }
    }
    return CSize(result, reference);
}

bool CKvoToolTipContext::CHTMLToolTip::OpenPage()
{
    if (m_browserWindow.GetSafeHwnd())
        return true;
    CloseBrowser();
    if (!m_browserWindow.CreateControl(CLSID_WebBrowser, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), this,
                                       kBrowserWindowId))
        return false;
    LPUNKNOWN control = m_browserWindow.GetControlUnknown();
    if (!control || FAILED(control->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&m_browser)))) {
        CloseBrowser();
        return false;
    }
    CComQIPtr<IOleObject> object(m_browser);
    if (object)
        object->SetClientSite(&m_xOleClientSite);

    CStringW face = L"Arial";
    int size = 11;
    LOGFONTW logFont = {};
    if (GetContext()->GetFont()->GetLogFont(&logFont)) {
        face = logFont.lfFaceName;
        size = abs(logFont.lfHeight);
    }
    CComBSTR url(FormatPageUrl(face, size, GetContext()->GetBackColor()).GetString());
    CComVariant empty;
    m_browser->Navigate(url, &empty, &empty, &empty, &empty);

    m_waiting = true;
    IWebBrowser2* browser = m_browser;
    const PageWait wait = WaitForPage(
        [browser] {
            READYSTATE state = READYSTATE_UNINITIALIZED;
            return SUCCEEDED(browser->get_ReadyState(&state)) && state == READYSTATE_COMPLETE;
        },
        GetSafeHwnd(), kPageWaitMilliseconds);
    m_waiting = false;
    if (wait == PageWait::WindowGone)
        return false;
    if (wait == PageWait::TimedOut) {
        // A page that never completes (no HTML engine): the tip shows its
        // text plainly from now on.
        CloseBrowser();
        m_withoutPage = true;
    }
    return wait != PageWait::Quit;
}

CSize CKvoToolTipContext::CHTMLToolTip::CalcSize(TOOLITEM& tool)
{
    if (m_waiting)
        return CSize(0, 0);
    if (m_withoutPage)
        return CKvoToolTipContextToolTip::CalcSize(tool);
    if (!OpenPage())
        return CSize(0, 0);
    if (m_withoutPage)
        return CKvoToolTipContextToolTip::CalcSize(tool);
    return MeasurePage(tool);
}

CSize CKvoToolTipContext::CHTMLToolTip::MeasurePage(TOOLITEM& tool)
{
    const CStringW text = GetToolText(tool);
    if (text.IsEmpty())
        return CSize(0, 0);
    CComPtr<IDispatch> dispatch;
    if (FAILED(m_browser->get_Document(&dispatch)) || !dispatch)
        return CSize(0, 0);
    CComQIPtr<IHTMLDocument2> document(dispatch.p);
    CComPtr<IHTMLElement> body;
    if (!document || FAILED(document->get_body(&body)) || !body)
        return CSize(0, 0);
    CComBSTR html(text.GetString());
    body->put_innerHTML(html);
    m_browserWindow.MoveWindow(0, 0, kReferenceWidth, 200, TRUE);
    CComQIPtr<IHTMLTextContainer> container(body.p);
    if (!container)
        return CSize(0, 0);
    const CSize content = FindContentSize(GetResolvedMaxWidth(), [this, &container](int width, int height) {
        m_browserWindow.MoveWindow(0, 0, width, height, TRUE);
        long scrollHeight = 0, scrollWidth = 0;
        container->get_scrollHeight(&scrollHeight);
        container->get_scrollWidth(&scrollWidth);
        return SIZE{scrollWidth, scrollHeight};
    });
    const RECT& margin = GetContext()->GetMargin();
    m_browserWindow.MoveWindow(margin.left + 3, margin.top + 3, content.cx, content.cy, TRUE);
    const CSize spacing = GetSpacing();
    return CSize(content.cx + spacing.cx, content.cy + spacing.cy);
}

void CKvoToolTipContext::CHTMLToolTip::DrawContent(CDC* dc, TOOLITEM& tool, RECT rect)
{
    // The browser's window paints the page itself.
    if (m_withoutPage)
        CKvoToolTipContextToolTip::DrawContent(dc, tool, rect);
}

// --- the browser's client site -------------------------------------------------

STDMETHODIMP CKvoToolTipContext::CHTMLToolTip::XOleClientSite::QueryInterface(REFIID riid, void** object)
{
    return static_cast<HRESULT>(m_outer->ExternalQueryInterface(&riid, object));
}

STDMETHODIMP_(ULONG) CKvoToolTipContext::CHTMLToolTip::XOleClientSite::AddRef()
{
    return m_outer->ExternalAddRef();
}

STDMETHODIMP_(ULONG) CKvoToolTipContext::CHTMLToolTip::XOleClientSite::Release()
{
    return m_outer->ExternalRelease();
}

STDMETHODIMP CKvoToolTipContext::CHTMLToolTip::XOleClientSite::SaveObject()
{
    return E_NOTIMPL;
}

STDMETHODIMP CKvoToolTipContext::CHTMLToolTip::XOleClientSite::GetMoniker(DWORD, DWORD, IMoniker** moniker)
{
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CKvoToolTipContext::CHTMLToolTip::XOleClientSite::GetContainer(IOleContainer** container)
{
    if (container)
        *container = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CKvoToolTipContext::CHTMLToolTip::XOleClientSite::ShowObject()
{
    return E_NOTIMPL;
}

STDMETHODIMP CKvoToolTipContext::CHTMLToolTip::XOleClientSite::OnShowWindow(BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP CKvoToolTipContext::CHTMLToolTip::XOleClientSite::RequestNewObjectLayout()
{
    return E_NOTIMPL;
}

// --- the browser's UI host -------------------------------------------------------

STDMETHODIMP CKvoToolTipContext::CHTMLToolTip::XDocHostUIHandler::QueryInterface(REFIID riid, void** object)
{
    return static_cast<HRESULT>(m_outer->ExternalQueryInterface(&riid, object));
}

STDMETHODIMP_(ULONG) CKvoToolTipContext::CHTMLToolTip::XDocHostUIHandler::AddRef()
{
    return m_outer->ExternalAddRef();
}

STDMETHODIMP_(ULONG) CKvoToolTipContext::CHTMLToolTip::XDocHostUIHandler::Release()
{
    return m_outer->ExternalRelease();
}

STDMETHODIMP CKvoToolTipContext::CHTMLToolTip::XDocHostUIHandler::ShowContextMenu(DWORD, POINT*, IUnknown*,
                                                                                   IDispatch*)
{
    // Handled: a tip shows no context menu.
    return S_OK;
}

STDMETHODIMP CKvoToolTipContext::CHTMLToolTip::XDocHostUIHandler::GetHostInfo(DOCHOSTUIINFO* info)
{
    if (!info)
        return E_POINTER;
    info->dwFlags = DOCHOSTUIFLAG_DIALOG | DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO | DOCHOSTUIFLAG_THEME;
    info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    return S_OK;
}

STDMETHODIMP CKvoToolTipContext::CHTMLToolTip::XDocHostUIHandler::ShowUI(DWORD, IOleInPlaceActiveObject*,
                                                                          IOleCommandTarget*, IOleInPlaceFrame*,
                                                                          IOleInPlaceUIWindow*)
{
    return S_OK;
}

STDMETHODIMP CKvoToolTipContext::CHTMLToolTip::XDocHostUIHandler::HideUI()
{
    return S_OK;
}

STDMETHODIMP CKvoToolTipContext::CHTMLToolTip::XDocHostUIHandler::UpdateUI()
{
    return S_OK;
}

STDMETHODIMP CKvoToolTipContext::CHTMLToolTip::XDocHostUIHandler::EnableModeless(BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP CKvoToolTipContext::CHTMLToolTip::XDocHostUIHandler::OnDocWindowActivate(BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP CKvoToolTipContext::CHTMLToolTip::XDocHostUIHandler::OnFrameWindowActivate(BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP CKvoToolTipContext::CHTMLToolTip::XDocHostUIHandler::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP CKvoToolTipContext::CHTMLToolTip::XDocHostUIHandler::TranslateAccelerator(LPMSG, const GUID*, DWORD)
{
    return S_FALSE;
}

STDMETHODIMP CKvoToolTipContext::CHTMLToolTip::XDocHostUIHandler::GetOptionKeyPath(LPOLESTR* key, DWORD)
{
    if (key)
        *key = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CKvoToolTipContext::CHTMLToolTip::XDocHostUIHandler::GetDropTarget(IDropTarget*, IDropTarget** replaced)
{
    if (replaced)
        *replaced = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CKvoToolTipContext::CHTMLToolTip::XDocHostUIHandler::GetExternal(IDispatch** external)
{
    if (external)
        *external = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CKvoToolTipContext::CHTMLToolTip::XDocHostUIHandler::TranslateUrl(DWORD, LPWSTR, LPWSTR* translated)
{
    if (translated)
        *translated = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CKvoToolTipContext::CHTMLToolTip::XDocHostUIHandler::FilterDataObject(IDataObject*,
                                                                                    IDataObject** replaced)
{
    if (replaced)
        *replaced = nullptr;
    return E_NOTIMPL;
}
