#include <afxwin.h>
#include <ocidl.h>

COleControlSite::COleControlSite(CWnd* pWndHost)
    : m_pObject(NULL), m_nRef(1), m_pWndHost(pWndHost), m_pOleObject(NULL), m_pInPlaceObject(NULL)
{
}

COleControlSite::~COleControlSite()
{
    Close();
}

HRESULT COleControlSite::CreateControl(REFCLSID clsid)
{
    HRESULT hr = ::CoCreateInstance(clsid, NULL, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IUnknown,
                                    reinterpret_cast<void**>(&m_pObject));
    if (FAILED(hr))
        return hr;
    hr = m_pObject->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&m_pOleObject));
    if (SUCCEEDED(hr))
        hr = m_pOleObject->SetClientSite(this);
    if (SUCCEEDED(hr))
    {
        IPersistStreamInit* pInit = NULL;
        if (SUCCEEDED(m_pObject->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&pInit))))
        {
            pInit->InitNew();
            pInit->Release();
        }
        RECT rect;
        ::GetClientRect(m_pWndHost->m_hWnd, &rect);
        hr = m_pOleObject->DoVerb(OLEIVERB_INPLACEACTIVATE, NULL, this, 0, m_pWndHost->m_hWnd, &rect);
    }
    if (SUCCEEDED(hr))
        m_pObject->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&m_pInPlaceObject));
    if (FAILED(hr))
        Close();
    return hr;
}

void COleControlSite::OnHostMessage(UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_SIZE && m_pInPlaceObject != NULL)
    {
        RECT rect = {0, 0, LOWORD(lParam), HIWORD(lParam)};
        m_pInPlaceObject->SetObjectRects(&rect, &rect);
    }
    else if (message == WM_DESTROY)
    {
        Close();
    }
}

void COleControlSite::Close()
{
    if (m_pInPlaceObject != NULL)
    {
        m_pInPlaceObject->InPlaceDeactivate();
        m_pInPlaceObject->Release();
        m_pInPlaceObject = NULL;
    }
    if (m_pOleObject != NULL)
    {
        m_pOleObject->Close(OLECLOSE_NOSAVE);
        m_pOleObject->SetClientSite(NULL);
        m_pOleObject->Release();
        m_pOleObject = NULL;
    }
    if (m_pObject != NULL)
    {
        m_pObject->Release();
        m_pObject = NULL;
    }
}

STDMETHODIMP COleControlSite::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == NULL)
        return E_POINTER;
    *ppv = NULL;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
        *ppv = static_cast<IOleClientSite*>(this);
    else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceSite))
        *ppv = static_cast<IOleInPlaceSite*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) COleControlSite::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_nRef));
}

STDMETHODIMP_(ULONG) COleControlSite::Release()
{
    LONG nRef = ::InterlockedDecrement(&m_nRef);
    if (nRef == 0)
        delete this;
    return static_cast<ULONG>(nRef);
}

STDMETHODIMP COleControlSite::SaveObject()
{
    return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::GetMoniker(DWORD, DWORD, IMoniker** ppmk)
{
    if (ppmk != NULL)
        *ppmk = NULL;
    return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::GetContainer(IOleContainer** ppContainer)
{
    if (ppContainer != NULL)
        *ppContainer = NULL;
    return E_NOINTERFACE;
}

STDMETHODIMP COleControlSite::ShowObject()
{
    return S_OK;
}

STDMETHODIMP COleControlSite::OnShowWindow(BOOL)
{
    return S_OK;
}

STDMETHODIMP COleControlSite::RequestNewObjectLayout()
{
    return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::GetWindow(HWND* phwnd)
{
    if (phwnd == NULL)
        return E_POINTER;
    *phwnd = m_pWndHost->m_hWnd;
    return S_OK;
}

STDMETHODIMP COleControlSite::ContextSensitiveHelp(BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::CanInPlaceActivate()
{
    return S_OK;
}

STDMETHODIMP COleControlSite::OnInPlaceActivate()
{
    return S_OK;
}

STDMETHODIMP COleControlSite::OnUIActivate()
{
    return S_OK;
}

STDMETHODIMP COleControlSite::GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
                                               LPRECT lprcPosRect, LPRECT lprcClipRect,
                                               LPOLEINPLACEFRAMEINFO lpFrameInfo)
{
    // No frame or document window: the control lives in the host alone.
    if (ppFrame != NULL)
        *ppFrame = NULL;
    if (ppDoc != NULL)
        *ppDoc = NULL;
    if (lprcPosRect != NULL)
        ::GetClientRect(m_pWndHost->m_hWnd, lprcPosRect);
    if (lprcClipRect != NULL)
        ::GetClientRect(m_pWndHost->m_hWnd, lprcClipRect);
    if (lpFrameInfo != NULL)
    {
        lpFrameInfo->fMDIApp = FALSE;
        lpFrameInfo->hwndFrame = ::GetParent(m_pWndHost->m_hWnd);
        lpFrameInfo->haccel = NULL;
        lpFrameInfo->cAccelEntries = 0;
    }
    return S_OK;
}

STDMETHODIMP COleControlSite::Scroll(SIZE)
{
    return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::OnUIDeactivate(BOOL)
{
    return S_OK;
}

STDMETHODIMP COleControlSite::OnInPlaceDeactivate()
{
    return S_OK;
}

STDMETHODIMP COleControlSite::DiscardUndoState()
{
    return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::DeactivateAndUndo()
{
    return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::OnPosRectChange(LPCRECT lprcPosRect)
{
    if (lprcPosRect != NULL && m_pInPlaceObject != NULL)
        m_pInPlaceObject->SetObjectRects(lprcPosRect, lprcPosRect);
    return S_OK;
}

BOOL CWnd::CreateControl(REFCLSID clsid, LPCTSTR pszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                         UINT nID)
{
    if (!CreateEx(0, AfxRegisterWndClass(0), pszWindowName, dwStyle | WS_CLIPCHILDREN, rect, pParentWnd, nID))
        return FALSE;
    m_pCtrlSite = new COleControlSite(this);
    if (FAILED(m_pCtrlSite->CreateControl(clsid)))
    {
        DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

LPUNKNOWN CWnd::GetControlUnknown()
{
    return m_pCtrlSite != NULL ? m_pCtrlSite->m_pObject : NULL;
}
