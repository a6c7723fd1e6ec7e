// PreviewHost DRAWING [PNG] [--size WxH]: shows the preview Explorer's
// preview pane would show for a drawing, driving the registered preview
// handler the way the shell's preview host does: created in-process in a
// single-threaded apartment, handed the file, a site, a window of this
// program and its rectangle; then the preview, a picture of the window
// (default "preview.png"), a new size and the unload.
//
// Standard error: one line per call with its result ("SetRect: 0x80004005",
// "DoPreview: 0x00000000") and "windows: N before, M after Unload" for the
// thread's windows before SetWindow and after Unload. Exit code 0 when the
// preview came, its picture was written and Unload left no window behind;
// 1 otherwise; 2 for a wrong command line.
#include <windows.h>
#include <shobjidl.h>

#include <cstdio>
#include <cwchar>
#include <new>
#include <string>

#include "CallReport.h"
#include "ComApartment.h"
#include "PreviewFrame.h"
#include "PreviewHostWindow.h"
#include "ShellHandlerClass.h"

namespace
{

const wchar_t kPreviewHandlerKey[] = L"{8895b1c6-b41f-4c1c-a562-0d564250836f}";
const SIZE kDefaultPaneSize = {480, 360};
// The preview loads and renders on the library's worker thread and reports
// through messages: done when they have stopped coming for a while.
const DWORD kRenderQuietMs = 1500;
const DWORD kRenderLimitMs = 30000;

// An interface pointer released at the end of its scope.
template <class Interface> class CInterface
{
public:
    CInterface() = default;
    ~CInterface()
    {
        if (m_pointer)
            m_pointer->Release();
    }
    CInterface(const CInterface&) = delete;
    CInterface& operator=(const CInterface&) = delete;
    Interface* operator->() const { return m_pointer; }
    void** Out() { return reinterpret_cast<void**>(&m_pointer); }
    Interface* Get() const { return m_pointer; }

private:
    Interface* m_pointer = nullptr;
};

struct HostOptions
{
    const wchar_t* drawing = nullptr;
    const wchar_t* pngPath = L"preview.png";
    SIZE paneSize = kDefaultPaneSize;
};

bool ParseSize(const wchar_t* text, SIZE* size)
{
    int width = 0;
    int height = 0;
    if (swscanf(text, L"%dx%d", &width, &height) != 2 || width <= 0 || height <= 0)
        return false;
    *size = {width, height};
    return true;
}

bool ParseOptions(int argc, wchar_t** argv, HostOptions* options)
{
    int positional = 0;
    for (int i = 1; i < argc; ++i)
    {
        if (wcscmp(argv[i], L"--size") == 0)
        {
            if (i + 1 >= argc || !ParseSize(argv[++i], &options->paneSize))
                return false;
        }
        else if (positional++ == 0)
            options->drawing = argv[i];
        else
            options->pngPath = argv[i];
    }
    return options->drawing != nullptr && positional <= 2;
}

HRESULT CreatePreviewHandler(const wchar_t* drawing, IPreviewHandler** handler)
{
    CLSID clsid;
    HRESULT hr = FindShellHandlerClass(drawing, kPreviewHandlerKey, &clsid);
    if (SUCCEEDED(hr))
        hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IPreviewHandler,
                                reinterpret_cast<void**>(handler));
    return hr;
}

// Hands the handler its file and its site, as the preview host does first.
bool InitializeHandler(IPreviewHandler* handler, const wchar_t* drawing)
{
    CInterface<IInitializeWithFile> initialize;
    HRESULT hr = handler->QueryInterface(IID_IInitializeWithFile, initialize.Out());
    if (SUCCEEDED(hr))
        hr = initialize->Initialize(drawing, STGM_READ);
    ReportCall("Initialize", hr, drawing);
    if (FAILED(hr))
        return false;
    CInterface<IObjectWithSite> withSite;
    hr = handler->QueryInterface(IID_IObjectWithSite, withSite.Out());
    if (SUCCEEDED(hr))
    {
        CPreviewFrame* frame = new (std::nothrow) CPreviewFrame();
        if (frame == nullptr)
            return false;
        hr = withSite->SetSite(frame);
        frame->Release();
    }
    ReportCall("SetSite", hr);
    return SUCCEEDED(hr);
}

// The preview, its picture, a new size: true when all of them came.
bool ShowPreview(IPreviewHandler* handler, CPreviewHostWindow& pane, const HostOptions& options)
{
    RECT rect = pane.ClientRect();
    HRESULT hr = handler->SetWindow(pane.Handle(), &rect);
    ReportCall("SetWindow", hr);
    if (FAILED(hr))
        return false;
    // Before a preview exists, a size change has nothing to move.
    ReportCall("SetRect", handler->SetRect(&rect));
    HRESULT preview = handler->DoPreview();
    ReportCall("DoPreview", preview);
    PumpUntilQuiet(kRenderQuietMs, kRenderLimitMs);
    bool saved = pane.SavePicture(options.pngPath);
    ReportCall("PNG", saved ? S_OK : E_FAIL, options.pngPath);

    pane.Resize(options.paneSize.cx * 3 / 4, options.paneSize.cy * 3 / 4);
    rect = pane.ClientRect();
    ReportCall("SetRect", handler->SetRect(&rect));
    PumpUntilQuiet(kRenderQuietMs, kRenderLimitMs);
    return SUCCEEDED(preview) && saved;
}

int RunPreview(const HostOptions& options)
{
    CInterface<IPreviewHandler> handler;
    HRESULT hr = CreatePreviewHandler(options.drawing, reinterpret_cast<IPreviewHandler**>(handler.Out()));
    ReportCall("preview handler", hr);
    if (FAILED(hr) || !InitializeHandler(handler.Get(), options.drawing))
        return 1;
    CPreviewHostWindow pane(options.paneSize.cx, options.paneSize.cy);
    if (pane.Handle() == nullptr)
    {
        ReportCall("host window", HRESULT_FROM_WIN32(::GetLastError()));
        return 1;
    }
    PumpUntilQuiet(100, 2000);
    const int windowsBefore = CountThreadWindows();
    bool shown = ShowPreview(handler.Get(), pane, options);
    ReportCall("Unload", handler->Unload());
    PumpUntilQuiet(100, 2000);
    const int windowsAfter = CountThreadWindows();
    fprintf(stderr, "windows: %d before, %d after Unload\n", windowsBefore, windowsAfter);
    return shown && windowsAfter == windowsBefore ? 0 : 1;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    HostOptions options;
    if (!ParseOptions(argc, argv, &options))
    {
        fputs("usage: PreviewHost DRAWING [PNG] [--size WxH]\n", stderr);
        return 2;
    }
    ComApartment apartment;
    if (FAILED(apartment.Result()))
    {
        ReportCall("CoInitializeEx", apartment.Result());
        return 1;
    }
    return RunPreview(options);
}
