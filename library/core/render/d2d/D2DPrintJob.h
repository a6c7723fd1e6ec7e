#pragma once
#include <windows.h>
#include <atlbase.h>
#include <commdlg.h>
#include <d2d1_1.h>
#include <documenttarget.h>
#include <dxgi.h>
#include <wincodec.h>

class D2DPrintJobChecker;

// One print through Direct2D: a Direct3D 11 device with a Direct2D device
// on the progress window, a print ticket from the printer's DEVMODE, a job
// on the chosen printer and the print control that takes the page. Lives
// for one print.
class D2DPrintJob {
public:
    static constexpr float kDefaultPageWidth = 816.0f;    // 8.5 inches at 96 DIPs
    static constexpr float kDefaultPageHeight = 1056.0f;  // 11 inches

    D2DPrintJob(HWND window, ID2D1Factory1* factory, IWICImagingFactory* wicFactory);
    ~D2DPrintJob();

    D2DPrintJob(const D2DPrintJob&) = delete;
    D2DPrintJob& operator=(const D2DPrintJob&) = delete;

    // The device context to record the page with (the caller's), or null.
    // The DEVMODE and DEVNAMES of context are freed on every path.
    ID2D1DeviceContext* CreateDevice(PRINTDLGEXW* context);
    // Opens the job on the printer that context names, sized by its DEVMODE;
    // frees both of its blocks, whatever the result.
    HRESULT CreatePrintJob(PRINTDLGEXW* context);
    HRESULT AddPage(ID2D1CommandList* commands);
    // Ends the print document.
    HRESULT Close();

    D2D1_SIZE_F PageSize() const { return D2D1_SIZE_F{m_pageWidth, m_pageHeight}; }

private:
    HRESULT CreateDirect3D();
    HRESULT OpenJob(const wchar_t* printer, DEVMODEW* mode);
    HRESULT MakeTicket(const wchar_t* printer, DEVMODEW* mode);
    HRESULT Watch();

    HWND m_window;
    // Released from the last line up: the job's objects before the device
    // and the factories that made them.
    ATL::CComPtr<ID2D1Factory1> m_factory;
    ATL::CComPtr<IWICImagingFactory> m_wicFactory;
    ATL::CComPtr<IDXGISwapChain> m_swapChain;
    ATL::CComPtr<ID2D1Device> m_device;
    ATL::CComPtr<IStream> m_ticket;
    ATL::CComPtr<IPrintDocumentPackageTarget> m_documentTarget;
    ATL::CComPtr<ID2D1PrintControl> m_printControl;
    ATL::CComPtr<D2DPrintJobChecker> m_checker;
    float m_pageHeight;
    float m_pageWidth;
};
