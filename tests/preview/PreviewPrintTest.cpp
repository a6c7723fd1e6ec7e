// Printing a sample drawing on the test bench's PDF printer (a CUPS queue
// of cups-pdf, which Wine lists as a printer; scripts/wine-bench adds it
// and writes its name to build/.bench-printer). The printed PDF is turned
// into an image with pdftoppm and looked at. Without the printer these
// tests fail and say why: they never pass without printing.
//
// The print dialog is modal: its handling is driven through the seam of
// PreviewPrintDialog, whose fake answers as the dialog does (blocks and a
// printer DC for the bench printer, or a cancel, or a failure); Wine's own
// dialog is also pressed once by a timer, and what it answers is asserted.
#include <gtest/gtest.h>
#include <windows.h>
#include <winspool.h>
#include <commdlg.h>
#include <algorithm>
#include <chrono>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <thread>
#include <vector>
#include "LanguageIds.h"
#include "PreViewDlg.h"
#include "PreviewPrint.h"
#include "PreviewRender.h"
#include "PrintData.h"
#include "app/TavrenaApp.h"
#include "framework/WindowTestSupport.h"
#include "support/LibraryModule.h"
#include "reader/JwCADBase.h"
#include "support/SampleDrawings.h"
#include "support/ScratchFolder.h"

namespace {
// A CUPS print goes through Ghostscript: seconds, more on a busy machine.
const double kPrintPatience = 90.0;
const int kPreviewSide = 512;

std::wstring BenchFolder()
{
    return std::wstring(JW_BIN_DIR) + L"\\..\\..";
}

std::wstring PrintOutputFolder()
{
    return BenchFolder() + L"\\print-output";
}

std::wstring BenchPrinterName()
{
    std::ifstream in((BenchFolder() + L"\\.bench-printer").c_str());
    std::string name;
    std::getline(in, name);
    return std::wstring(name.begin(), name.end());
}

std::set<std::wstring> PdfFiles()
{
    std::set<std::wstring> files;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((PrintOutputFolder() + L"\\*.pdf").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return files;
    do
        files.insert(PrintOutputFolder() + L"\\" + found.cFileName);
    while (FindNextFileW(search, &found));
    FindClose(search);
    return files;
}

std::string ReadFileBytes(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The first PDF that is not in before and is written to its end.
std::wstring WaitForNewPdf(const std::set<std::wstring>& before)
{
    std::wstring found;
    PumpUntil(
        [&] {
            for (const std::wstring& file : PdfFiles()) {
                if (before.count(file))
                    continue;
                const std::string bytes = ReadFileBytes(file);
                if (bytes.find("%%EOF", bytes.size() > 64 ? bytes.size() - 64 : 0) != std::string::npos) {
                    found = file;
                    return true;
                }
            }
            return false;
        },
        kPrintPatience);
    return found;
}

// Pages of a PDF: its page objects.
int PdfPageCount(const std::string& pdf)
{
    int pages = 0;
    for (size_t at = pdf.find("/Type"); at != std::string::npos; at = pdf.find("/Type", at + 5)) {
        size_t value = pdf.find_first_not_of(" \r\n", at + 5);
        if (value != std::string::npos && pdf.compare(value, 5, "/Page") == 0 && pdf.compare(value, 6, "/Pages") != 0)
            ++pages;
    }
    return pages;
}

// Starts a program of this machine. Wine starts a Linux program as it is,
// but hands back no process to wait for: the caller waits for what the
// program writes.
bool StartProgram(std::wstring command)
{
    STARTUPINFOW startup = {sizeof startup};
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    if (process.hThread)
        CloseHandle(process.hThread);
    if (process.hProcess)
        CloseHandle(process.hProcess);
    return true;
}

// A path of drive Z: as the Linux programs name it.
std::wstring UnixPath(std::wstring path)
{
    if (path.compare(0, 2, L"Z:") == 0 || path.compare(0, 2, L"z:") == 0)
        path.erase(0, 2);
    std::replace(path.begin(), path.end(), L'\\', L'/');
    return path;
}

bool PictureComplete(const std::string& bytes)
{
    static const char pngEnd[] = "IEND\xAE\x42\x60\x82";
    if (bytes.compare(0, 4, "\x89PNG") == 0)
        return bytes.size() >= 8 && bytes.compare(bytes.size() - 8, 8, pngEnd, 8) == 0;
    int width = 0, height = 0, maxValue = 0, consumed = 0;
    return sscanf(bytes.c_str(), "P5 %d %d %d%n", &width, &height, &maxValue, &consumed) == 3 &&
           bytes.size() >= static_cast<size_t>(consumed) + 1 + static_cast<size_t>(width) * height;
}

// pdftoppm's picture of the PDF's first page at 50 dpi: kind "-gray" (a
// PGM file) or "-png", written to stem with its extension.
bool RunPdftoppm(const std::wstring& pdf, const std::wstring& stem, const wchar_t* kind, const wchar_t* extension)
{
    const std::wstring picture = stem + extension;
    DeleteFileW(picture.c_str());
    if (!StartProgram(std::wstring(L"Z:\\usr\\bin\\pdftoppm -r 50 ") + kind + L" -singlefile \"" + UnixPath(pdf) +
                    L"\" \"" + UnixPath(stem) + L"\""))
        return false;
    // Both kinds are whole when their last bytes are there: a PNG's end
    // chunk, a PGM's last row (the header gives the size).
    return PumpUntil([&] { return PictureComplete(ReadFileBytes(picture)); }, kPrintPatience);
}

// A grey image of the PDF's first page at 50 dpi from pdftoppm (PGM).
struct PageImage {
    int width = 0, height = 0;
    std::vector<unsigned char> pixels;
    // Thin lines come out light grey at this resolution.
    bool Inked(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] < 224; }
};

bool RenderPdfPage(const std::wstring& pdf, const std::wstring& stem, PageImage& image)
{
    if (!RunPdftoppm(pdf, stem, L"-gray", L".pgm"))
        return false;
    const std::string pgm = ReadFileBytes(stem + L".pgm");
    int maxValue = 0, consumed = 0;
    if (sscanf(pgm.c_str(), "P5 %d %d %d%n", &image.width, &image.height, &maxValue, &consumed) != 3)
        return false;
    const size_t start = static_cast<size_t>(consumed) + 1;
    if (pgm.size() < start + static_cast<size_t>(image.width) * image.height)
        return false;
    image.pixels.assign(pgm.begin() + start, pgm.begin() + start + static_cast<size_t>(image.width) * image.height);
    return true;
}

// The bench printer's default settings and names, as the print dialog
// would return them.
bool PrinterBlocks(const std::wstring& printer, PRINTDLGEXW& pd)
{
    HANDLE handle = nullptr;
    if (!OpenPrinterW(const_cast<wchar_t*>(printer.c_str()), &handle, nullptr))
        return false;
    const LONG size = DocumentPropertiesW(nullptr, handle, const_cast<wchar_t*>(printer.c_str()), nullptr, nullptr, 0);
    bool made = false;
    if (size > 0) {
        pd.hDevMode = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
        auto* mode = static_cast<DEVMODEW*>(GlobalLock(pd.hDevMode));
        made = DocumentPropertiesW(nullptr, handle, const_cast<wchar_t*>(printer.c_str()), mode, nullptr,
                                   DM_OUT_BUFFER) == IDOK;
        GlobalUnlock(pd.hDevMode);
    }
    ClosePrinter(handle);
    const std::wstring texts[] = {L"winspool", printer, L""};
    size_t chars = sizeof(DEVNAMES) / sizeof(wchar_t);
    for (const std::wstring& text : texts)
        chars += text.size() + 1;
    pd.hDevNames = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, chars * sizeof(wchar_t));
    auto* names = static_cast<DEVNAMES*>(GlobalLock(pd.hDevNames));
    WORD offset = sizeof(DEVNAMES) / sizeof(wchar_t);
    WORD* offsets[] = {&names->wDriverOffset, &names->wDeviceOffset, &names->wOutputOffset};
    for (int i = 0; i < 3; ++i) {
        *offsets[i] = offset;
        std::memcpy(reinterpret_cast<wchar_t*>(names) + offset, texts[i].c_str(), (texts[i].size() + 1) * sizeof(wchar_t));
        offset = static_cast<WORD>(offset + texts[i].size() + 1);
    }
    GlobalUnlock(pd.hDevNames);
    return made;
}

bool BlockFreed(HGLOBAL block)
{
    return GlobalFlags(block) == GMEM_INVALID_HANDLE;
}

// The print dialog's fake: answers with the bench printer, as the dialog
// does after Print, or with what the test sets.
struct FakePrintDialog {
    static std::wstring printer;
    static HRESULT result;
    static DWORD action;
    static DWORD flagsAsked;
    static HGLOBAL names, mode;
    static HDC dc;
    static std::wstring message;

    static HRESULT WINAPI PrintDlgEx(LPPRINTDLGEXW pd)
    {
        flagsAsked = pd->Flags;
        if (FAILED(result))
            return result;
        PrinterBlocks(printer, *pd);
        names = pd->hDevNames;
        mode = pd->hDevMode;
        if (pd->Flags & PD_RETURNDC) {
            const auto* settings = static_cast<const DEVMODEW*>(GlobalLock(pd->hDevMode));
            pd->hDC = dc = CreateDCW(L"WINSPOOL", printer.c_str(), nullptr, settings);
            GlobalUnlock(pd->hDevMode);
        }
        pd->dwResultAction = action;
        return result;
    }
    static int WINAPI MessageBox(HWND, LPCWSTR text, LPCWSTR caption, UINT)
    {
        message = std::wstring(caption) + L"|" + text;
        return IDOK;
    }
};
std::wstring FakePrintDialog::printer;
HRESULT FakePrintDialog::result = S_OK;
DWORD FakePrintDialog::action = PD_RESULT_PRINT;
DWORD FakePrintDialog::flagsAsked = 0;
HGLOBAL FakePrintDialog::names = nullptr;
HGLOBAL FakePrintDialog::mode = nullptr;
HDC FakePrintDialog::dc = nullptr;
std::wstring FakePrintDialog::message;

class PreviewPrintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_printer = BenchPrinterName();
        ASSERT_FALSE(m_printer.empty()) << "no PDF printer: scripts/wine-bench start adds a CUPS queue of cups-pdf "
                                           "(scripts/setup installs cups and printer-driver-cups-pdf)";
        DWORD needed = 0, count = 0;
        EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 4, nullptr, 0, &needed, &count);
        std::vector<BYTE> buffer(needed + 1);
        ASSERT_TRUE(EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 4, buffer.data(), needed, &needed, &count));
        bool listed = false;
        for (DWORD i = 0; i < count; ++i)
            listed = listed || m_printer == reinterpret_cast<PRINTER_INFO_4W*>(buffer.data())[i].pPrinterName;
        ASSERT_TRUE(listed) << "Wine does not list the CUPS queue as a printer";
        ASSERT_TRUE(LoadSample());
        m_oldCalls = PreviewPrintDialog();
        FakePrintDialog::printer = m_printer;
        FakePrintDialog::result = S_OK;
        FakePrintDialog::action = PD_RESULT_PRINT;
        FakePrintDialog::message.clear();
        PreviewPrintDialog() = {&FakePrintDialog::PrintDlgEx, &FakePrintDialog::MessageBox};
    }
    void TearDown() override
    {
        PreviewPrintDialog() = m_oldCalls;
        m_owner.DestroyWindow();
    }

    // The first sample as the preview shows it after its first render: a
    // square bitmap, the view placed, rendered once so the drawing holds
    // the preview's view.
    bool LoadSample()
    {
        // The wooden floor plan first: lines, arcs and texts over the page.
        const std::vector<std::wstring> samples = SampleDrawingFiles({L"\x6728\x9020\x5E73\x9762\x4F8B.jww", L"*.jww"});
        if (samples.empty())
            return false;
        m_source.path = samples.front().c_str();
        m_source.title = m_source.path.Mid(m_source.path.ReverseFind(L'\\') + 1);
        m_source.pictureClient = RECT{0, 0, 400, 480};
        // The print dialog wants a window for its owner.
        if (!CreateTestPopup(m_owner, true))
            return false;
        m_source.window = m_owner.m_hWnd;
        DrawData& view = m_source.view;
        if (LoadPreviewDocument(m_source.path, view) != S_OK || !view.doc)
            return false;
        view.flags &= ~DrawFlag::WholeDrawing;
        view.viewWidth = 400;
        view.viewHeight = 480;
        view.viewSet = true;
        view.width = view.height = kPreviewSide;
        view.scale = 256;
        view.originX = view.scale - kPreviewSide / 2;
        view.originY = -view.originX;
        HBITMAP shown = nullptr;
        if (RenderPreviewToBitmap(m_source.path, &shown, view) != S_OK)
            return false;
        DeleteObject(shown);
        return true;
    }

    // The PDF of the last print: one page with ink where the drawing is
    // (the middle of the page) and the footer at its bottom right.
    void ExpectPrintedPage(const std::set<std::wstring>& before, const wchar_t* pictureName)
    {
        const std::wstring pdf = WaitForNewPdf(before);
        ASSERT_FALSE(pdf.empty()) << "no PDF arrived from the printer";
        EXPECT_EQ(PdfPageCount(ReadFileBytes(pdf)), 1);
        const std::wstring stem = TestOutputFolder() + L"\\" + pictureName;
        PageImage page;
        ASSERT_TRUE(RenderPdfPage(pdf, stem, page)) << "pdftoppm could not read the PDF";
        ASSERT_TRUE(RunPdftoppm(pdf, stem, L"-png", L".png"));
        int top = page.height, bottom = -1, left = page.width, right = -1, footer = 0, drawing = 0;
        const int footerTop = page.height * 95 / 100;
        for (int y = 0; y < page.height; ++y)
            for (int x = 0; x < page.width; ++x) {
                if (!page.Inked(x, y))
                    continue;
                if (y >= footerTop) {
                    footer += x > page.width / 2;
                    continue;
                }
                ++drawing;
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                left = std::min(left, x);
                right = std::max(right, x);
            }
        ASSERT_GT(drawing, 100) << "the page has no drawing on it";
        EXPECT_GT(footer, 20) << "no footer at the bottom right";
        // The page shows what the preview shows, around the page's middle.
        const int middleX = (left + right) / 2, middleY = (top + bottom) / 2;
        EXPECT_GT(middleX, page.width / 4);
        EXPECT_LT(middleX, page.width * 3 / 4);
        EXPECT_GT(middleY, page.height / 4);
        EXPECT_LT(middleY, page.height * 3 / 4);
        EXPECT_GT(right - left, page.width / 10);
    }

    // The print button's two roads, with the print settings file in the
    // test's own folder.
    void PrintThroughDialog()
    {
        PrintWithDialog(false, m_source,
                        [this](const PRINTDLGEXW& pd) { SavePrintDataFile(m_printData.c_str(), pd); });
    }
    bool PrintOnTheSavedPrinter()
    {
        PRINTDLGEXW pd = {};
        pd.lStructSize = sizeof pd;
        return LoadPrintDataFile(m_printData.c_str(), pd) && PrintOnSavedPrinter(pd, false, m_source);
    }

    std::wstring m_printer;
    CWnd m_owner;
    PreviewPrintSource m_source;
    PreviewPrintDialogCalls m_oldCalls = {};
    ScratchFolder m_scratch;
    std::wstring m_printData = m_scratch.Path() + L"\\" + kPrintDataFileName;
};

// The GDI road drawn directly into the printer DC, and as one bitmap.
TEST_F(PreviewPrintTest, GdiPagePrintsTheDrawingWithItsFooter)
{
    struct Case {
        bool bitmap;
        const wchar_t* picture;
    } cases[] = {{false, L"PreviewPrint-gdi"}, {true, L"PreviewPrint-bitmap"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bitmap ? "bitmap" : "direct");
        PRINTDLGEXW pd = {};
        ASSERT_TRUE(PrinterBlocks(m_printer, pd));
        CDC printer;
        {
            const auto* settings = static_cast<const DEVMODEW*>(GlobalLock(pd.hDevMode));
            ASSERT_TRUE(printer.CreateDC(L"WINSPOOL", m_printer.c_str(), nullptr, settings));
            GlobalUnlock(pd.hDevMode);
        }
        CPrintBlocks blocks(pd);
        const std::set<std::wstring> before = PdfFiles();
        const CJwCADBase* drawing = m_source.view.doc;
        ASSERT_TRUE(PrintGdi(printer, c.bitmap, m_source));
        ExpectPrintedPage(before, c.picture);
        // The drawing's view is the preview's again.
        EXPECT_EQ(drawing->m_zoom, m_source.view.scale);
        EXPECT_EQ(drawing->m_width, kPreviewSide);
    }
}

// How Wine's PostScript printer draws the renderer's whole circle: Arc
// with its start and end on one point. GDI documents that as the whole
// ellipse, and a memory DC (the bitmap road) draws it so; Wine 8's PostScript
// driver turns both ends into one angle and strokes a PostScript arc of no
// length, so circles vanish from the page drawn directly into the printer
// DC. Ellipse and an arc with distinct ends print. The expectation on the
// equal-ends arc records Wine's answer: it fails once Wine draws the circle.
TEST_F(PreviewPrintTest, WinePrinterArcWithEqualEndsDrawsNoCircle)
{
    CDC printer;
    ASSERT_TRUE(printer.CreateDC(L"WINSPOOL", m_printer.c_str(), nullptr, nullptr));
    const int dpi = printer.GetDeviceCaps(LOGPIXELSX), side = dpi * 2, top = dpi * 2;
    struct Shape {
        const char* name;
        int left;
    } shapes[] = {{"Arc with equal ends", dpi / 2}, {"Ellipse", dpi * 3}, {"Arc over its upper half", dpi * 11 / 2}};
    const std::set<std::wstring> before = PdfFiles();
    ASSERT_GT(printer.StartDoc(L"circle"), 0);
    ASSERT_GT(printer.StartPage(), 0);
    {
        CPen pen(PS_SOLID, dpi / 30, RGB(0, 0, 0));
        CPen* oldPen = printer.SelectObject(&pen);
        HGDIOBJ oldBrush = printer.SelectObject(GetStockObject(NULL_BRUSH));
        const int x0 = shapes[0].left, x1 = shapes[1].left, x2 = shapes[2].left, bottom = top + side;
        EXPECT_TRUE(printer.Arc(x0, top, x0 + side, bottom, x0, top, x0, top));
        EXPECT_TRUE(printer.Ellipse(x1, top, x1 + side, bottom));
        EXPECT_TRUE(printer.Arc(x2, top, x2 + side, bottom, x2 + side, top + side / 2, x2, top + side / 2));
        printer.SelectObject(oldBrush);
        printer.SelectObject(oldPen);
    }
    ASSERT_GT(printer.EndPage(), 0);
    ASSERT_GT(printer.EndDoc(), 0);
    const std::wstring pdf = WaitForNewPdf(before);
    ASSERT_FALSE(pdf.empty()) << "no PDF arrived from the printer";
    PageImage page;
    const std::wstring stem = TestOutputFolder() + L"\\PreviewPrint-circles";
    ASSERT_TRUE(RenderPdfPage(pdf, stem, page)) << "pdftoppm could not read the PDF";
    ASSERT_TRUE(RunPdftoppm(pdf, stem, L"-png", L".png"));
    // Ink in each shape's box, on the 50-dpi picture.
    std::vector<int> ink;
    for (const Shape& shape : shapes) {
        int count = 0;
        for (int y = top * 50 / dpi; y < (top + side) * 50 / dpi && y < page.height; ++y)
            for (int x = shape.left * 50 / dpi; x < (shape.left + side) * 50 / dpi && x < page.width; ++x)
                count += page.Inked(x, y);
        ink.push_back(count);
    }
    const int circle = static_cast<int>(3.14159 * 2 * 50);
    EXPECT_GT(ink[1], circle * 3 / 4) << shapes[1].name;
    EXPECT_GT(ink[2], circle * 3 / 8) << shapes[2].name;
    EXPECT_LT(ink[0], circle / 10) << shapes[0].name << ": Wine now prints the whole circle";
}

// Print in the dialog: the choice is saved first, the page printed, and
// the dialog's blocks and DC go. The saved choice then prints without the
// dialog (Shift).
TEST_F(PreviewPrintTest, DialogChoiceIsSavedPrintedAndFreed)
{
    const std::set<std::wstring> before = PdfFiles();
    PrintThroughDialog();
    EXPECT_EQ(FakePrintDialog::flagsAsked, 0x0014010Cu);
    ExpectPrintedPage(before, L"PreviewPrint-dialog");
    EXPECT_TRUE(BlockFreed(FakePrintDialog::names));
    EXPECT_TRUE(BlockFreed(FakePrintDialog::mode));
    EXPECT_EQ(GetObjectType(FakePrintDialog::dc), 0u) << "the printer DC is deleted";

    PRINTDLGEXW saved = {};
    ASSERT_TRUE(LoadPrintDataFile(m_printData.c_str(), saved));
    const auto* mode = static_cast<const DEVMODEW*>(GlobalLock(saved.hDevMode));
    EXPECT_EQ(std::wstring(mode->dmDeviceName), m_printer.substr(0, CCHDEVICENAME - 1));
    GlobalUnlock(saved.hDevMode);
    GlobalFree(saved.hDevNames);
    GlobalFree(saved.hDevMode);

    const std::set<std::wstring> beforeSaved = PdfFiles();
    FakePrintDialog::result = E_FAIL;  // the dialog must not be asked
    EXPECT_TRUE(PrintOnTheSavedPrinter());
    EXPECT_TRUE(FakePrintDialog::message.empty());
    ExpectPrintedPage(beforeSaved, L"PreviewPrint-saved");
}

// Cancel hands back blocks that still go; a failing dialog says so in a
// message box; neither prints or saves. Without a saved file, or with a
// damaged one, the direct print does not happen.
TEST_F(PreviewPrintTest, CancelAndFailureSaveNothingAndFreeEverything)
{
    FakePrintDialog::action = PD_RESULT_CANCEL;
    PrintThroughDialog();
    EXPECT_TRUE(BlockFreed(FakePrintDialog::names));
    EXPECT_TRUE(BlockFreed(FakePrintDialog::mode));
    EXPECT_EQ(GetObjectType(FakePrintDialog::dc), 0u);
    EXPECT_EQ(GetFileAttributesW(m_printData.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(FakePrintDialog::message.empty());

    FakePrintDialog::result = E_FAIL;
    PrintThroughDialog();
    EXPECT_EQ(FakePrintDialog::message, L"Message|Error 0x80004005 occured during printer selection and/or setup.");
    EXPECT_EQ(GetFileAttributesW(m_printData.c_str()), INVALID_FILE_ATTRIBUTES);

    EXPECT_FALSE(PrintOnTheSavedPrinter());
    std::ofstream(m_printData.c_str(), std::ios::binary) << "\x22\x17\x34\x01 damaged";
    EXPECT_FALSE(PrintOnTheSavedPrinter());
}

// The Direct2D road: the dialog is asked without a DC, and the blocks go to
// the core's print job, which frees them; under Wine the job cannot be
// made (no print document package target), so the page fails, and the
// blocks are still freed exactly once.
TEST_F(PreviewPrintTest, Direct2DRoadFreesTheBlocksAlsoWhenThePrintFails)
{
    m_source.view.flags |= DrawFlag::Direct2D;
    PrintThroughDialog();
    EXPECT_EQ(FakePrintDialog::flagsAsked, 0x0094000Cu);
    EXPECT_TRUE(BlockFreed(FakePrintDialog::names));
    EXPECT_TRUE(BlockFreed(FakePrintDialog::mode));
    EXPECT_NE(GetFileAttributesW(m_printData.c_str()), INVALID_FILE_ATTRIBUTES) << "saved before printing";

    PRINTDLGEXW pd = {};
    ASSERT_TRUE(PrinterBlocks(m_printer, pd));
    const HGLOBAL names = pd.hDevNames, mode = pd.hDevMode;
    const bool printed = PrintDirect2D(pd, m_source);
    RecordProperty("direct2DPrinted", printed ? 1 : 0);
    EXPECT_EQ(pd.hDevNames, nullptr);
    EXPECT_EQ(pd.hDevMode, nullptr);
    EXPECT_TRUE(BlockFreed(names));
    EXPECT_TRUE(BlockFreed(mode));

    // A render that fails before the print job (scale 0) leaves the blocks
    // to the preview, which frees them.
    ASSERT_TRUE(PrinterBlocks(m_printer, pd));
    const HGLOBAL names2 = pd.hDevNames, mode2 = pd.hDevMode;
    PreviewPrintSource broken = m_source;
    broken.view.scale = 0;
    EXPECT_FALSE(PrintDirect2D(pd, broken));
    EXPECT_TRUE(BlockFreed(names2));
    EXPECT_TRUE(BlockFreed(mode2));
}

// The print button of a real preview dialog with Shift held: the printer
// saved in the cache folder prints the page at once, without the dialog.
// Without a saved printer the same press asks the print dialog (here the
// fake, which cancels).
TEST_F(PreviewPrintTest, ShiftPrintButtonPrintsOnTheSavedPrinter)
{
    LibraryModule language(L"TavrenaJPN.dll");
    ASSERT_TRUE(language.IsLoaded());
    // The dialog's resources from the language module, the print settings
    // file in the scratch folder, the keys as they were: all put back
    // however the test ends.
    struct Restore {
        HINSTANCE resources = AfxGetResourceHandle();
        CStringW cacheFolder = theApp.m_cacheFolder;
        BYTE keys[256] = {};
        Restore() { GetKeyboardState(keys); }
        ~Restore()
        {
            SetKeyboardState(keys);
            theApp.m_cacheFolder = cacheFolder;
            AfxSetResourceHandle(resources);
        }
    } restore;
    AfxSetResourceHandle(language.Handle());
    theApp.m_cacheFolder = (m_scratch.Path() + L"\\").c_str();
    const BYTE* oldKeys = restore.keys;

    CWnd host;  // destroyed, with the preview in it, before the state goes back
    ASSERT_TRUE(CreateTestPopup(host, true, 20, 20, 440, 580));
    auto* dialog = new CPreViewDlg(m_source.path, RECT{0, 0, 420, 560}, &host);
    ASSERT_TRUE(dialog->Create(IDD_PREVIEW, &host));
    dialog->ShowWindow(SW_SHOW);
    const HWND window = dialog->m_hWnd;
    const HWND picture = ::GetDlgItem(window, IDC_PREVIEW_PICTURE);
    EXPECT_TRUE(PumpUntil(
        [&] {
            return ::IsWindowEnabled(::GetDlgItem(window, IDC_PREVIEW_ZOOM)) &&
                   ::SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0);
        },
        kPrintPatience));

    BYTE keys[256];
    std::memcpy(keys, oldKeys, sizeof keys);
    keys[VK_SHIFT] = 0x80;
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    FakePrintDialog::action = PD_RESULT_CANCEL;
    FakePrintDialog::flagsAsked = 0;
    ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_PREVIEW_PRINT, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(window, IDC_PREVIEW_PRINT)));
    EXPECT_NE(FakePrintDialog::flagsAsked, 0u) << "no saved printer: the print dialog is asked";

    PRINTDLGEXW pd = {};
    pd.lStructSize = sizeof pd;
    ASSERT_TRUE(PrinterBlocks(m_printer, pd));
    {
        CPrintBlocks blocks(pd);
        ASSERT_TRUE(SavePrintDataFile(theApp.m_cacheFolder + kPrintDataFileName, pd));
    }
    const std::set<std::wstring> before = PdfFiles();
    FakePrintDialog::flagsAsked = 0;
    ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_PREVIEW_PRINT, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(window, IDC_PREVIEW_PRINT)));
    EXPECT_EQ(FakePrintDialog::flagsAsked, 0u) << "the saved printer prints without the dialog";
    ExpectPrintedPage(before, L"PreviewPrint-shift");
}

// Presses a button of the print dialog from inside its modal loop: the
// first visible dialog box of this thread.
UINT g_printDialogButton = IDOK;
HWND g_printDialogSeen = nullptr;
BOOL CALLBACK PressPrintDialogButton(HWND window, LPARAM)
{
    wchar_t kind[16] = {};
    GetClassNameW(window, kind, 16);
    if (wcscmp(kind, L"#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    g_printDialogSeen = window;
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(g_printDialogButton, BN_CLICKED), 0);
    return FALSE;
}
void CALLBACK PressPrintDialogLater(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), PressPrintDialogButton, 0);
}

// Wine's own dialog behind the seam, with what it answered noted.
struct WinePrintDialogAnswer {
    HRESULT result;
    DWORD action;
    bool names, mode, dc;
};
WinePrintDialogAnswer g_wineAnswer = {};
HRESULT WINAPI RecordWinePrintDialog(LPPRINTDLGEXW pd)
{
    const HRESULT result = PrintDlgExW(pd);
    g_wineAnswer = {result, pd->dwResultAction, pd->hDevNames != nullptr, pd->hDevMode != nullptr, pd->hDC != nullptr};
    return result;
}

// Wine's own print dialog, pressed by a timer: Cancel prints and saves
// nothing; Print on the default printer (the bench's queue when it is the
// only one) saves the choice and prints the page.
TEST_F(PreviewPrintTest, WinesPrintDialogCancelsAndPrints)
{
    PreviewPrintDialog() = {&RecordWinePrintDialog, &FakePrintDialog::MessageBox};
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, PressPrintDialogLater);
    g_printDialogButton = IDCANCEL;
    g_printDialogSeen = nullptr;
    PrintThroughDialog();
    EXPECT_NE(g_printDialogSeen, nullptr) << "Wine showed no print dialog";
    EXPECT_EQ(GetFileAttributesW(m_printData.c_str()), INVALID_FILE_ATTRIBUTES);

    wchar_t defaultPrinter[256] = {};
    DWORD size = 256;
    GetDefaultPrinterW(defaultPrinter, &size);
    RecordProperty("defaultPrinter", std::string(defaultPrinter, defaultPrinter + wcslen(defaultPrinter)));
    if (m_printer == defaultPrinter) {
        const std::set<std::wstring> before = PdfFiles();
        g_printDialogButton = IDOK;
        g_printDialogSeen = nullptr;
        PrintThroughDialog();
        EXPECT_NE(g_printDialogSeen, nullptr);
        EXPECT_EQ(g_wineAnswer.result, S_OK) << FakePrintDialog::message.c_str();
        EXPECT_EQ(g_wineAnswer.action, static_cast<DWORD>(PD_RESULT_PRINT));
        EXPECT_TRUE(g_wineAnswer.names && g_wineAnswer.mode && g_wineAnswer.dc);
        EXPECT_NE(GetFileAttributesW(m_printData.c_str()), INVALID_FILE_ATTRIBUTES) << "the choice is saved";
        ExpectPrintedPage(before, L"PreviewPrint-winedialog");
    }
    KillTimer(nullptr, timer);
}
}  // namespace
