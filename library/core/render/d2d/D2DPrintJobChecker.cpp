#include "render/d2d/D2DPrintJobChecker.h"
#include <atlbase.h>

D2DPrintJobChecker::D2DPrintJobChecker()
    : m_status(), m_cookie(0), m_references(1), m_completed(nullptr), m_connection(nullptr), m_initialised(false)
{
    InitializeCriticalSection(&m_lock);
}

D2DPrintJobChecker::~D2DPrintJobChecker()
{
    Disconnect();
    DeleteCriticalSection(&m_lock);
}

HRESULT STDMETHODCALLTYPE D2DPrintJobChecker::QueryInterface(REFIID iid, void** object)
{
    if (iid == IID_IUnknown || iid == __uuidof(IPrintDocumentPackageStatusEvent)) {
        *object = static_cast<IPrintDocumentPackageStatusEvent*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE D2DPrintJobChecker::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_references));
}

ULONG STDMETHODCALLTYPE D2DPrintJobChecker::Release()
{
    LONG left = InterlockedDecrement(&m_references);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE D2DPrintJobChecker::GetTypeInfoCount(UINT*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE D2DPrintJobChecker::GetTypeInfo(UINT, LCID, ITypeInfo**)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE D2DPrintJobChecker::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE D2DPrintJobChecker::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                                     UINT*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE D2DPrintJobChecker::PackageStatusUpdated(PrintDocumentPackageStatus* status)
{
    if (!status)
        return S_OK;
    EnterCriticalSection(&m_lock);
    m_status = *status;
    LeaveCriticalSection(&m_lock);
    if (status->Completion != PrintDocumentPackageCompletion_InProgress && m_completed)
        SetEvent(m_completed);
    return S_OK;
}

HRESULT D2DPrintJobChecker::Initialize(IPrintDocumentPackageTarget* target)
{
    if (m_initialised)
        return E_FAIL;
    if (!target)
        return E_INVALIDARG;
    HRESULT result = Connect(target);
    if (SUCCEEDED(result)) {
        m_completed = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        if (!m_completed)
            result = HRESULT_FROM_WIN32(GetLastError());
    }
    if (FAILED(result))
        Disconnect();
    else
        m_initialised = true;
    return result;
}

HRESULT D2DPrintJobChecker::Connect(IPrintDocumentPackageTarget* target)
{
    ATL::CComPtr<IConnectionPointContainer> container;
    HRESULT result = target->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container));
    if (SUCCEEDED(result))
        result = container->FindConnectionPoint(__uuidof(IPrintDocumentPackageStatusEvent), &m_connection);
    if (SUCCEEDED(result))
        result = m_connection->Advise(static_cast<IUnknown*>(this), &m_cookie);
    return result;
}

void D2DPrintJobChecker::Disconnect()
{
    if (m_connection) {
        if (m_cookie)
            m_connection->Unadvise(m_cookie);
        m_connection->Release();
        m_connection = nullptr;
    }
    m_cookie = 0;
    if (m_completed) {
        CloseHandle(m_completed);
        m_completed = nullptr;
    }
}
