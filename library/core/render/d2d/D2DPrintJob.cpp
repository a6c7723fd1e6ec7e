#include "render/d2d/D2DPrintJob.h"
#include "render/d2d/D2DPrintContext.h"
#include "render/d2d/D2DPrintJobChecker.h"
#include "render/d2d/Direct2DLibraries.h"
#include <atlbase.h>
#include <d3d11.h>
#include <cstddef>
#include <cwchar>
#include <new>

namespace {
// A failed call's error as an HRESULT that is sure to be a failure.
HRESULT LastErrorResult()
{
    DWORD error = GetLastError();
    return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

// A global block, locked for the life of the object.
class LockedBlock {
public:
    explicit LockedBlock(HGLOBAL block) : m_block(block), m_data(GlobalLock(block)) {}
    ~LockedBlock()
    {
        if (m_data)
            GlobalUnlock(m_block);
    }
    LockedBlock(const LockedBlock&) = delete;
    LockedBlock& operator=(const LockedBlock&) = delete;

    void* Data() const { return m_data; }
    SIZE_T Size() const { return GlobalSize(m_block); }

private:
    HGLOBAL m_block;
    void* m_data;
};

// The printer's name in a DEVNAMES block; null when it does not lie, with
// its terminator, inside the block.
const wchar_t* PrinterName(const LockedBlock& names)
{
    SIZE_T bytes = names.Size();
    if (bytes < sizeof(DEVNAMES))
        return nullptr;
    SIZE_T offset = static_cast<const DEVNAMES*>(names.Data())->wDeviceOffset * sizeof(wchar_t);
    if (offset >= bytes)
        return nullptr;
    const wchar_t* name = reinterpret_cast<const wchar_t*>(static_cast<const BYTE*>(names.Data()) + offset);
    return std::wmemchr(name, L'\0', (bytes - offset) / sizeof(wchar_t)) ? name : nullptr;
}

// Whether the block holds the DEVMODE's fixed part as far as the paper size
// and everything its sizes claim.
bool HoldsDevMode(const LockedBlock& mode)
{
    SIZE_T bytes = mode.Size();
    if (bytes < offsetof(DEVMODEW, dmPrintQuality))
        return false;
    const DEVMODEW* devmode = static_cast<const DEVMODEW*>(mode.Data());
    return devmode->dmSize >= offsetof(DEVMODEW, dmPrintQuality) &&
           static_cast<SIZE_T>(devmode->dmSize) + devmode->dmDriverExtra <= bytes;
}
}

D2DPrintJob::D2DPrintJob(HWND window, ID2D1Factory1* factory, IWICImagingFactory* wicFactory)
    : m_window(window), m_factory(factory), m_wicFactory(wicFactory), m_pageHeight(kDefaultPageHeight),
      m_pageWidth(kDefaultPageWidth)
{
}

D2DPrintJob::~D2DPrintJob() = default;

ID2D1DeviceContext* D2DPrintJob::CreateDevice(PRINTDLGEXW* context)
{
    if (FAILED(CreateDirect3D())) {
        FreePrintContext(context);
        return nullptr;
    }
    ID2D1DeviceContext* recorder = nullptr;
    if (FAILED(CreatePrintJob(context)) ||
        FAILED(m_device->CreateDeviceContext(D2D1_DEVICE_CONTEXT_OPTIONS_NONE, &recorder)))
        return nullptr;
    return recorder;
}

// The swap chain's output is the progress window: without a window there is
// no device, and so no print.
HRESULT D2DPrintJob::CreateDirect3D()
{
    Direct2DLibraries::CreateDeviceAndSwapChainFunction create = Direct2DLibraries::Instance().createDeviceAndSwapChain;
    if (!create || !m_factory)
        return E_NOTIMPL;
    RECT client = {};
    GetClientRect(m_window, &client);
    DXGI_SWAP_CHAIN_DESC description = {};
    description.BufferDesc.Width = static_cast<UINT>(client.right - client.left);
    description.BufferDesc.Height = static_cast<UINT>(client.bottom - client.top);
    description.BufferDesc.RefreshRate = DXGI_RATIONAL{60, 1};
    description.BufferDesc.Format = DXGI_FORMAT_B8G8R8A8_UNORM;
    description.SampleDesc = DXGI_SAMPLE_DESC{1, 0};
    description.BufferUsage = DXGI_USAGE_RENDER_TARGET_OUTPUT;
    description.BufferCount = 1;
    description.OutputWindow = m_window;
    description.Windowed = TRUE;
    description.SwapEffect = DXGI_SWAP_EFFECT_DISCARD;
    ATL::CComPtr<ID3D11Device> device;
    HRESULT result = E_FAIL;
    for (D3D_DRIVER_TYPE driver : {D3D_DRIVER_TYPE_HARDWARE, D3D_DRIVER_TYPE_WARP}) {
        result = create(nullptr, driver, nullptr, D3D11_CREATE_DEVICE_BGRA_SUPPORT, nullptr, 0, D3D11_SDK_VERSION,
                        &description, &m_swapChain, &device, nullptr, nullptr);
        if (SUCCEEDED(result))
            break;
    }
    if (FAILED(result))
        return result;
    ATL::CComQIPtr<IDXGIDevice> graphics(device.p);
    return graphics ? m_factory->CreateDevice(graphics, &m_device) : E_NOINTERFACE;
}

HRESULT D2DPrintJob::CreatePrintJob(PRINTDLGEXW* context)
{
    if (!context)
        return E_POINTER;
    HRESULT result = E_HANDLE;
    if (context->hDevNames) {
        LockedBlock names(context->hDevNames);
        const wchar_t* printer = names.Data() ? PrinterName(names) : nullptr;
        if (!names.Data()) {
            result = LastErrorResult();
        } else if (!printer) {
            result = E_INVALIDARG;
        } else if (context->hDevMode) {
            LockedBlock mode(context->hDevMode);
            if (!mode.Data())
                result = LastErrorResult();
            else
                result = HoldsDevMode(mode) ? OpenJob(printer, static_cast<DEVMODEW*>(mode.Data()))
                                            : E_INVALIDARG;
        }
    }
    FreePrintContext(context);
    return result;
}

HRESULT D2DPrintJob::OpenJob(const wchar_t* printer, DEVMODEW* mode)
{
    D2D1_SIZE_F page = PrintPageSize(*mode, PageSize());
    m_pageWidth = page.width;
    m_pageHeight = page.height;
    HRESULT result = MakeTicket(printer, mode);
    ATL::CComPtr<IPrintDocumentPackageTargetFactory> targets;
    if (SUCCEEDED(result))
        result = CoCreateInstance(__uuidof(PrintDocumentPackageTargetFactory), nullptr, CLSCTX_INPROC_SERVER,
                                  __uuidof(IPrintDocumentPackageTargetFactory), reinterpret_cast<void**>(&targets));
    if (SUCCEEDED(result))
        result = targets->CreateDocumentPackageTargetForPrintJob(printer, L"Quillora printing", nullptr, m_ticket,
                                                                 &m_documentTarget);
    if (SUCCEEDED(result))
        result = m_device ? m_device->CreatePrintControl(m_wicFactory, m_documentTarget, nullptr, &m_printControl)
                          : E_UNEXPECTED;
    return SUCCEEDED(result) ? Watch() : result;
}

HRESULT D2DPrintJob::MakeTicket(const wchar_t* printer, DEVMODEW* mode)
{
    const Direct2DLibraries& libraries = Direct2DLibraries::Instance();
    if (!libraries.openPrintTicketProvider || !libraries.convertDevModeToPrintTicket ||
        !libraries.closePrintTicketProvider)
        return E_NOTIMPL;
    HRESULT result = CreateStreamOnHGlobal(nullptr, TRUE, &m_ticket);
    HPTPROVIDER provider = nullptr;
    if (SUCCEEDED(result))
        result = libraries.openPrintTicketProvider(printer, 1, &provider);
    if (SUCCEEDED(result))
        result = libraries.convertDevModeToPrintTicket(provider, mode->dmSize + mode->dmDriverExtra,
                                                       reinterpret_cast<PDEVMODE>(mode), kPTJobScope, m_ticket);
    if (provider)
        libraries.closePrintTicketProvider(provider);
    if (FAILED(result))
        m_ticket.Release();
    return result;
}

HRESULT D2DPrintJob::Watch()
{
    m_checker.Attach(new (std::nothrow) D2DPrintJobChecker());
    return m_checker ? m_checker->Initialize(m_documentTarget) : E_OUTOFMEMORY;
}

HRESULT D2DPrintJob::AddPage(ID2D1CommandList* commands)
{
    return m_printControl ? m_printControl->AddPage(commands, PageSize(), nullptr, nullptr, nullptr) : E_UNEXPECTED;
}

HRESULT D2DPrintJob::Close()
{
    return m_printControl ? m_printControl->Close() : E_UNEXPECTED;
}
