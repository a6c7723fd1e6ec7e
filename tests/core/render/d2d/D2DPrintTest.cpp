#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include "D2DrawFixture.h"
#include "render/d2d/D2DPrintContext.h"
#include "render/d2d/D2DPrintJob.h"
#include "render/d2d/D2DPrintJobChecker.h"
#include "render/d2d/D2DrawRequest.h"

namespace {
HGLOBAL DevModeBlock(DWORD fields, short width, short length)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODEW));
    DEVMODEW* mode = static_cast<DEVMODEW*>(GlobalLock(block));
    mode->dmSize = sizeof(DEVMODEW);
    mode->dmFields = fields;
    mode->dmPaperWidth = width;
    mode->dmPaperLength = length;
    GlobalUnlock(block);
    return block;
}

HGLOBAL DevNamesBlock(const std::wstring& printer)
{
    SIZE_T bytes = sizeof(DEVNAMES) + (printer.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    DEVNAMES* names = static_cast<DEVNAMES*>(GlobalLock(block));
    names->wDeviceOffset = sizeof(DEVNAMES) / sizeof(wchar_t);
    std::memcpy(reinterpret_cast<BYTE*>(names) + sizeof(DEVNAMES), printer.c_str(),
                (printer.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(block);
    return block;
}

// Whether a global handle was given back to the system.
bool Freed(HGLOBAL block)
{
    return GlobalSize(block) == 0;
}

struct PrintChoice {
    PRINTDLGEXW dialog = {};
    HGLOBAL mode, names;
    PrintChoice(HGLOBAL devMode, HGLOBAL devNames) : mode(devMode), names(devNames)
    {
        dialog.lStructSize = sizeof dialog;
        dialog.hDevMode = devMode;
        dialog.hDevNames = devNames;
    }
    bool AllFreed() const
    {
        return !dialog.hDevMode && !dialog.hDevNames && (!mode || Freed(mode)) && (!names || Freed(names));
    }
};
}

// Tenths of a millimetre to DIPs when both paper sizes are named; the
// letter-size default otherwise.
TEST(D2DPrint, PageSizeFromTheDevMode)
{
    DEVMODEW a4 = {};
    a4.dmFields = DM_PAPERWIDTH | DM_PAPERLENGTH;
    a4.dmPaperWidth = 2100;
    a4.dmPaperLength = 2970;
    D2D1_SIZE_F letter = {D2DPrintJob::kDefaultPageWidth, D2DPrintJob::kDefaultPageHeight};
    D2D1_SIZE_F page = PrintPageSize(a4, letter);
    EXPECT_NEAR(page.width, 793.7, 0.05);
    EXPECT_NEAR(page.height, 1122.5, 0.05);
    a4.dmFields = DM_PAPERWIDTH;
    page = PrintPageSize(a4, letter);
    EXPECT_EQ(page.width, 816.0f);
    EXPECT_EQ(page.height, 1056.0f);
}

// A missing block fails with E_HANDLE, and the other block is freed all the
// same; so is a choice whose printer cannot take a job.
TEST(D2DPrint, PrintJobFreesTheChoiceOnEveryPath)
{
    PrintChoice noNames(DevModeBlock(0, 0, 0), nullptr);
    D2DPrintJob first(nullptr, nullptr, nullptr);
    EXPECT_EQ(first.CreatePrintJob(&noNames.dialog), static_cast<HRESULT>(0x80070006));
    EXPECT_TRUE(noNames.AllFreed());

    PrintChoice noMode(nullptr, DevNamesBlock(L"No such printer"));
    D2DPrintJob second(nullptr, nullptr, nullptr);
    EXPECT_EQ(second.CreatePrintJob(&noMode.dialog), E_HANDLE);
    EXPECT_TRUE(noMode.AllFreed());

    PrintChoice unknown(DevModeBlock(DM_PAPERWIDTH | DM_PAPERLENGTH, 2100, 2970), DevNamesBlock(L"No such printer"));
    D2DPrintJob third(nullptr, nullptr, nullptr);
    EXPECT_TRUE(FAILED(third.CreatePrintJob(&unknown.dialog)));
    EXPECT_TRUE(unknown.AllFreed());
    EXPECT_NEAR(third.PageSize().width, 793.7, 0.05);
}

// A name that does not end inside its block is refused before any use.
TEST(D2DPrint, PrinterNameMustLieInsideItsBlock)
{
    HGLOBAL names = DevNamesBlock(L"P");
    DEVNAMES* header = static_cast<DEVNAMES*>(GlobalLock(names));
    header->wDeviceOffset = 4000;
    GlobalUnlock(names);
    PrintChoice choice(DevModeBlock(0, 0, 0), names);
    D2DPrintJob job(nullptr, nullptr, nullptr);
    EXPECT_EQ(job.CreatePrintJob(&choice.dialog), E_INVALIDARG);
    EXPECT_TRUE(choice.AllFreed());
}

// Without a device (no window for the swap chain), or without a job (the
// bench has no such printer and no print document package), nothing is
// printed: the draw reports failure and the choice is freed, and the core
// still draws on the screen.
TEST_F(D2DrawFixture, FailedPrintReportsFailureAndFreesTheChoice)
{
    HWND popup = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 64, 64, nullptr, nullptr, nullptr, nullptr);
    for (HWND window : {static_cast<HWND>(nullptr), popup}) {
        SCOPED_TRACE(window ? "window" : "no window");
        D2DTestDrawing drawing;
        drawing.m_print = true;
        PrintChoice choice(DevModeBlock(DM_PAPERWIDTH | DM_PAPERLENGTH, 2100, 2970),
                           DevNamesBlock(L"No such printer"));
        EXPECT_FALSE(m_core.Draw(window, &drawing, kEverywhere, &choice.dialog));
        EXPECT_TRUE(choice.AllFreed());
    }
    DestroyWindow(popup);
    D2DTestDrawing screen;
    PixelCanvas canvas(16, 16);
    EXPECT_TRUE(Draw(screen, canvas));
}

// The render entry's step takes the choice over even when it has no core to
// print with, and reports the print as failed.
TEST(D2DrawRequest, PrintWithoutDirect2D)
{
    D2DTestDrawing drawing;
    drawing.m_print = true;
    PrintChoice choice(DevModeBlock(0, 0, 0), DevNamesBlock(L"No such printer"));
    CD2DrawCore* core = nullptr;
    EXPECT_EQ(DrawWithDirect2D(core, false, nullptr, &drawing, kEverywhere, &choice.dialog),
              D2DrawResult::PrintFailed);
    EXPECT_TRUE(choice.AllFreed());
    EXPECT_EQ(core, nullptr);
}

namespace {
// A print job's connection point for status events, as far as the checker
// uses it.
class FakeConnection : public IConnectionPoint {
public:
    IUnknown* sink = nullptr;
    DWORD unadvised = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* listener, DWORD* cookie) override
    {
        sink = listener;
        sink->AddRef();
        *cookie = 7;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override
    {
        unadvised = cookie;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }
};

class FakeTarget : public IPrintDocumentPackageTarget, public IConnectionPointContainer {
public:
    FakeConnection connection;
    IID asked = {};

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (iid == IID_IConnectionPointContainer) {
            *object = static_cast<IConnectionPointContainer*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetPackageTargetTypes(UINT32*, GUID**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetPackageTarget(REFGUID, REFIID, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Cancel() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override
    {
        asked = iid;
        *point = &connection;
        return S_OK;
    }
};
}

// The checker listens once: a second Initialize fails, and it stops
// listening when the last reference goes.
TEST(D2DPrintJobChecker, AdvisesOnceAndUnadvisesAtTheEnd)
{
    FakeTarget target;
    D2DPrintJobChecker* checker = new D2DPrintJobChecker();
    EXPECT_EQ(checker->Initialize(nullptr), E_INVALIDARG);
    EXPECT_EQ(checker->Initialize(&target), S_OK);
    EXPECT_TRUE(target.asked == __uuidof(IPrintDocumentPackageStatusEvent));
    EXPECT_EQ(checker->Initialize(&target), static_cast<HRESULT>(0x80004005));

    PrintDocumentPackageStatus done = {};
    done.Completion = PrintDocumentPackageCompletion_Completed;
    EXPECT_EQ(checker->PackageStatusUpdated(&done), S_OK);
    EXPECT_EQ(checker->PackageStatusUpdated(nullptr), S_OK);

    checker->Release();
    EXPECT_EQ(target.connection.unadvised, 0u);
    target.connection.sink->Release();
    EXPECT_EQ(target.connection.unadvised, 7u);
}

TEST(D2DPrintJobChecker, QueryInterface)
{
    D2DPrintJobChecker* checker = new D2DPrintJobChecker();
    void* answer = nullptr;
    EXPECT_EQ(checker->QueryInterface(__uuidof(IPrintDocumentPackageStatusEvent), &answer), S_OK);
    EXPECT_EQ(answer, static_cast<IPrintDocumentPackageStatusEvent*>(checker));
    checker->Release();
    answer = reinterpret_cast<void*>(1);
    EXPECT_EQ(checker->QueryInterface(IID_IDispatch, &answer), E_NOINTERFACE);
    EXPECT_EQ(answer, nullptr);
    UINT count = 0;
    EXPECT_EQ(checker->GetTypeInfoCount(&count), E_NOTIMPL);
    checker->Release();
}
