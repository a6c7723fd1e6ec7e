#pragma once
// The host's side of the preview: the site it hands to the handler. It has
// no accelerators of its own, so it lets every key go to the preview.
#include <shobjidl.h>

class CPreviewFrame final : public IPreviewHandlerFrame
{
public:
    CPreviewFrame() = default;
    CPreviewFrame(const CPreviewFrame&) = delete;
    CPreviewFrame& operator=(const CPreviewFrame&) = delete;

    IFACEMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    IFACEMETHODIMP_(ULONG) AddRef() override;
    IFACEMETHODIMP_(ULONG) Release() override;
    IFACEMETHODIMP GetWindowContext(PREVIEWHANDLERFRAMEINFO* pinfo) override;
    IFACEMETHODIMP TranslateAccelerator(MSG*) override { return S_FALSE; }

private:
    ~CPreviewFrame() = default;
    LONG m_refCount = 1;
};
