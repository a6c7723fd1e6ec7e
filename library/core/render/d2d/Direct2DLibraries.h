#pragma once
#include <windows.h>
#include <d2d1.h>
#include <d3d11.h>
#include <dwrite.h>
#include <prntvpt.h>

// Direct2D, DirectWrite, Direct3D 11 and the print ticket provider, bound on
// first use: the library does not import them, so it loads where they are
// missing.
struct Direct2DLibraries {
    typedef HRESULT(WINAPI* CreateFactoryFunction)(D2D1_FACTORY_TYPE, REFIID, const D2D1_FACTORY_OPTIONS*, void**);
    typedef HRESULT(WINAPI* CreateWriteFactoryFunction)(DWRITE_FACTORY_TYPE, REFIID, IUnknown**);
    typedef decltype(&::D2D1MakeRotateMatrix) MakeRotateMatrixFunction;
    typedef decltype(&::D3D11CreateDeviceAndSwapChain) CreateDeviceAndSwapChainFunction;
    typedef decltype(&::PTOpenProvider) OpenProviderFunction;
    typedef decltype(&::PTConvertDevModeToPrintTicket) ConvertDevModeFunction;
    typedef decltype(&::PTCloseProvider) CloseProviderFunction;

    // The process's one binding, made on the first call; entry points stay
    // null when their library or export is missing.
    static const Direct2DLibraries& Instance();

    CreateFactoryFunction createFactory = nullptr;
    CreateWriteFactoryFunction createWriteFactory = nullptr;
    MakeRotateMatrixFunction makeRotateMatrix = nullptr;
    CreateDeviceAndSwapChainFunction createDeviceAndSwapChain = nullptr;
    OpenProviderFunction openPrintTicketProvider = nullptr;
    ConvertDevModeFunction convertDevModeToPrintTicket = nullptr;
    CloseProviderFunction closePrintTicketProvider = nullptr;

private:
    Direct2DLibraries();
};
