#pragma once
#include <windows.h>
#include <ocidl.h>
#include <documenttarget.h>

// Listens to a print job's package status: keeps the last status and
// signals its event once the job completes, fails or is cancelled. Starts
// with one reference; the print system holds another while it is advised.
class D2DPrintJobChecker : public IPrintDocumentPackageStatusEvent {
public:
    D2DPrintJobChecker();
    virtual ~D2DPrintJobChecker();

    D2DPrintJobChecker(const D2DPrintJobChecker&) = delete;
    D2DPrintJobChecker& operator=(const D2DPrintJobChecker&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

    // May be called on a thread of the print system.
    HRESULT STDMETHODCALLTYPE PackageStatusUpdated(PrintDocumentPackageStatus* status) override;

    // Advises target's status events to this checker, once: E_FAIL when it
    // already is, E_INVALIDARG for no target.
    HRESULT Initialize(IPrintDocumentPackageTarget* target);

private:
    HRESULT Connect(IPrintDocumentPackageTarget* target);
    void Disconnect();

    PrintDocumentPackageStatus m_status;
    DWORD m_cookie;
    LONG m_references;
    HANDLE m_completed;  // manual reset
    CRITICAL_SECTION m_lock;
    IConnectionPoint* m_connection;
    bool m_initialised;
};
