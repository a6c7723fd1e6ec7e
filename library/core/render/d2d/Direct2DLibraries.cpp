#include "render/d2d/Direct2DLibraries.h"

namespace {
// The libraries stay loaded for the life of the process: factories made from
// them may outlive any one caller. Only the system folder is searched: the
// library loads into any process that opens a file dialog, whose own and
// current folders may hold a planted copy.
template <class Function> Function Bind(const wchar_t* library, const char* name)
{
    HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}
}

Direct2DLibraries::Direct2DLibraries()
    : createFactory(Bind<CreateFactoryFunction>(L"d2d1.dll", "D2D1CreateFactory")),
      createWriteFactory(Bind<CreateWriteFactoryFunction>(L"dwrite.dll", "DWriteCreateFactory")),
      makeRotateMatrix(Bind<MakeRotateMatrixFunction>(L"d2d1.dll", "D2D1MakeRotateMatrix")),
      createDeviceAndSwapChain(Bind<CreateDeviceAndSwapChainFunction>(L"d3d11.dll", "D3D11CreateDeviceAndSwapChain")),
      openPrintTicketProvider(Bind<OpenProviderFunction>(L"prntvpt.dll", "PTOpenProvider")),
      convertDevModeToPrintTicket(Bind<ConvertDevModeFunction>(L"prntvpt.dll", "PTConvertDevModeToPrintTicket")),
      closePrintTicketProvider(Bind<CloseProviderFunction>(L"prntvpt.dll", "PTCloseProvider"))
{
}

const Direct2DLibraries& Direct2DLibraries::Instance()
{
    static const Direct2DLibraries libraries;
    return libraries;
}
