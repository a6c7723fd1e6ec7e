#include "PreviewHandler.h"

#include <shlwapi.h>

#include <new>

#include "ServerModule.h"

CPreviewHandler::CPreviewHandler(const PreviewServices& services) : m_services(services)
{
    DllAddRef();
}

CPreviewHandler::~CPreviewHandler()
{
    Unload();
    SetSite(nullptr);
    DllRelease();
}

IFACEMETHODIMP CPreviewHandler::QueryInterface(REFIID riid, void** ppv)
{
    static const QITAB interfaces[] = {
        QITABENT(CPreviewHandler, IPreviewHandler),
        QITABENT(CPreviewHandler, IInitializeWithFile),
        QITABENT(CPreviewHandler, IPreviewHandlerVisuals),
        QITABENT(CPreviewHandler, IOleWindow),
        QITABENT(CPreviewHandler, IObjectWithSite),
        {nullptr, 0},
    };
    return ::QISearch(this, interfaces, riid, ppv);
}

IFACEMETHODIMP_(ULONG) CPreviewHandler::AddRef()
{
    return ::InterlockedIncrement(&m_refCount);
}

IFACEMETHODIMP_(ULONG) CPreviewHandler::Release()
{
    LONG count = ::InterlockedDecrement(&m_refCount);
    if (count == 0)
        delete this;
    return count;
}

IFACEMETHODIMP CPreviewHandler::Initialize(LPCWSTR pszFilePath, DWORD)
{
    if (pszFilePath == nullptr)
        return E_INVALIDARG;
    try
    {
        m_path = pszFilePath;
    }
    catch (const std::bad_alloc&)
    {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

IFACEMETHODIMP CPreviewHandler::SetWindow(HWND hwnd, const RECT* prc)
{
    if (hwnd == nullptr || prc == nullptr)
        return E_FAIL;
    m_parentWindow = hwnd;
    m_rect = *prc;
    // A later call moves the one host window, with the preview in it, rather
    // than leaving it behind: the pane may hand over a new window.
    if (m_hostWindow != nullptr && ::IsWindow(m_hostWindow))
    {
        if (::GetParent(m_hostWindow) != hwnd)
            ::SetParent(m_hostWindow, hwnd);
        PlaceWindows();
        return S_OK;
    }
    m_hostWindow = nullptr;
    // Only the context from before the first switch is worth restoring.
    if (m_savedDpiContext == nullptr)
        m_savedDpiContext = m_services.setThreadDpiContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    return CreateHostWindow();
}

HRESULT CPreviewHandler::CreateHostWindow()
{
    m_hostWindow = ::CreateWindowExW(WS_EX_NOPARENTNOTIFY, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                     m_rect.left, m_rect.top, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top,
                                     m_parentWindow, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (m_hostWindow != nullptr)
        return S_OK;
    DWORD error = ::GetLastError();
    RestoreDpiContext();
    ::OutputDebugStringW(L"Lumivex: the preview's host window was not created: HRESULT_FROM_WIN32\n");
    // A failure without an error code still fails.
    return error != ERROR_SUCCESS ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

IFACEMETHODIMP CPreviewHandler::SetRect(const RECT* prc)
{
    if (m_hostWindow == nullptr || m_previewWindow == nullptr || prc == nullptr)
        return E_FAIL;
    m_rect = *prc;
    PlaceWindows();
    return S_OK;
}

void CPreviewHandler::PlaceWindows()
{
    const int width = m_rect.right - m_rect.left;
    const int height = m_rect.bottom - m_rect.top;
    ::MoveWindow(m_hostWindow, m_rect.left, m_rect.top, width, height, TRUE);
    // The host already stands at the rectangle's place: the preview fills it.
    if (m_previewWindow != nullptr)
        ::MoveWindow(m_previewWindow, 0, 0, width, height, TRUE);
}

IFACEMETHODIMP CPreviewHandler::DoPreview()
{
    // Without a host the preview would become a stray top-level window.
    if (m_previewWindow != nullptr || m_hostWindow == nullptr)
        return E_FAIL;
    m_previewWindow = m_services.showPreview(m_path.c_str(), m_rect, m_hostWindow);
    return m_previewWindow != nullptr ? S_OK : E_FAIL;
}

IFACEMETHODIMP CPreviewHandler::Unload()
{
    DestroyWindows();
    RestoreDpiContext();
    return S_OK;
}

void CPreviewHandler::DestroyWindows()
{
    // The preview dialog deletes itself when destroyed; either window may
    // already be gone with its parent.
    for (HWND* window : {&m_previewWindow, &m_hostWindow})
    {
        if (*window != nullptr && ::IsWindow(*window))
            ::DestroyWindow(*window);
        *window = nullptr;
    }
}

void CPreviewHandler::RestoreDpiContext()
{
    if (m_savedDpiContext == nullptr)
        return;
    m_services.setThreadDpiContext(m_savedDpiContext);
    m_savedDpiContext = nullptr;
}

IFACEMETHODIMP CPreviewHandler::SetFocus()
{
    if (m_previewWindow == nullptr)
        return S_FALSE;
    ::SetFocus(m_previewWindow);
    return S_OK;
}

IFACEMETHODIMP CPreviewHandler::QueryFocus(HWND* phwnd)
{
    if (phwnd == nullptr)
        return E_INVALIDARG;
    *phwnd = ::GetFocus();
    if (*phwnd != nullptr)
        return S_OK;
    return HRESULT_FROM_WIN32(::GetLastError());
}

IFACEMETHODIMP CPreviewHandler::TranslateAccelerator(MSG* pmsg)
{
    if (m_site == nullptr)
        return S_FALSE;
    IPreviewHandlerFrame* frame = nullptr;
    if (FAILED(m_site->QueryInterface(IID_IPreviewHandlerFrame, reinterpret_cast<void**>(&frame))))
        return S_FALSE;
    HRESULT hr = frame->TranslateAccelerator(pmsg);
    frame->Release();
    return hr;
}

IFACEMETHODIMP CPreviewHandler::GetWindow(HWND* phwnd)
{
    if (phwnd == nullptr)
        return E_INVALIDARG;
    *phwnd = m_previewWindow;
    return S_OK;
}

IFACEMETHODIMP CPreviewHandler::SetSite(IUnknown* punkSite)
{
    if (m_site != nullptr)
    {
        m_site->Release();
        m_site = nullptr;
    }
    if (punkSite == nullptr)
        return S_OK;
    return punkSite->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&m_site));
}

IFACEMETHODIMP CPreviewHandler::GetSite(REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    return m_site != nullptr ? m_site->QueryInterface(riid, ppv) : E_FAIL;
}
