#pragma once
// The preview pane's handler for Jw_cad drawings: a plain host window inside
// the pane's window, and the library's live preview inside that.
#include <windows.h>
#include <ocidl.h>
#include <propsys.h>
#include <shobjidl.h>

#include <string>

#include "PreviewServices.h"

class CPreviewHandler final : public IPreviewHandler,
                        public IInitializeWithFile,
                        public IPreviewHandlerVisuals,
                        public IOleWindow,
                        public IObjectWithSite
{
public:
    explicit CPreviewHandler(const PreviewServices& services = LibraryPreviewServices());
    CPreviewHandler(const CPreviewHandler&) = delete;
    CPreviewHandler& operator=(const CPreviewHandler&) = delete;

    // IUnknown
    IFACEMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    IFACEMETHODIMP_(ULONG) AddRef() override;
    IFACEMETHODIMP_(ULONG) Release() override;

    // IInitializeWithFile
    IFACEMETHODIMP Initialize(LPCWSTR pszFilePath, DWORD grfMode) override;

    // IPreviewHandler
    IFACEMETHODIMP SetWindow(HWND hwnd, const RECT* prc) override;
    IFACEMETHODIMP SetRect(const RECT* prc) override;
    IFACEMETHODIMP DoPreview() override;
    IFACEMETHODIMP Unload() override;
    IFACEMETHODIMP SetFocus() override;
    IFACEMETHODIMP QueryFocus(HWND* phwnd) override;
    IFACEMETHODIMP TranslateAccelerator(MSG* pmsg) override;

    // IPreviewHandlerVisuals: the preview chooses its own colours and font.
    IFACEMETHODIMP SetBackgroundColor(COLORREF) override { return S_OK; }
    IFACEMETHODIMP SetFont(const LOGFONTW*) override { return S_OK; }
    IFACEMETHODIMP SetTextColor(COLORREF) override { return S_OK; }

    // IOleWindow
    IFACEMETHODIMP GetWindow(HWND* phwnd) override;
    IFACEMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IObjectWithSite
    IFACEMETHODIMP SetSite(IUnknown* punkSite) override;
    IFACEMETHODIMP GetSite(REFIID riid, void** ppv) override;

private:
    ~CPreviewHandler();
    HRESULT CreateHostWindow();
    // Host at the rectangle inside the parent, preview filling the host.
    void PlaceWindows();
    void DestroyWindows();
    void RestoreDpiContext();

    const PreviewServices& m_services;
    HWND m_hostWindow = nullptr;
    DPI_AWARENESS_CONTEXT m_savedDpiContext = nullptr;
    std::wstring m_path;
    LONG m_refCount = 1;
    HWND m_parentWindow = nullptr;
    HWND m_previewWindow = nullptr;
    RECT m_rect = {};
    IUnknown* m_site = nullptr;
};
