#include "PreviewFrame.h"

#include <shlwapi.h>

IFACEMETHODIMP CPreviewFrame::QueryInterface(REFIID riid, void** ppv)
{
    static const QITAB interfaces[] = {
        QITABENT(CPreviewFrame, IPreviewHandlerFrame),
        {nullptr, 0},
    };
    return ::QISearch(this, interfaces, riid, ppv);
}

IFACEMETHODIMP_(ULONG) CPreviewFrame::AddRef()
{
    return ::InterlockedIncrement(&m_refCount);
}

IFACEMETHODIMP_(ULONG) CPreviewFrame::Release()
{
    LONG count = ::InterlockedDecrement(&m_refCount);
    if (count == 0)
        delete this;
    return count;
}

IFACEMETHODIMP CPreviewFrame::GetWindowContext(PREVIEWHANDLERFRAMEINFO* pinfo)
{
    if (pinfo == nullptr)
        return E_POINTER;
    pinfo->haccel = nullptr;
    pinfo->cAccelEntries = 0;
    return S_OK;
}
