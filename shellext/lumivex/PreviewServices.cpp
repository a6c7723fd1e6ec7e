#include "PreviewServices.h"

#include "exports/TavrenaExports.h"

namespace
{

HWND ShowLibraryPreview(const wchar_t* path, const RECT& rect, HWND host)
{
    return ::PreViewDlg(path, rect, host);
}

// Looked up at run time: the DLL also loads on systems without the call.
DPI_AWARENESS_CONTEXT SetSystemThreadDpiContext(DPI_AWARENESS_CONTEXT context)
{
    using SetContext = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
    static const SetContext setContext = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext")));
    return setContext ? setContext(context) : nullptr;
}

} // namespace

const PreviewServices& LibraryPreviewServices()
{
    static const PreviewServices services = {ShowLibraryPreview, SetSystemThreadDpiContext};
    return services;
}
