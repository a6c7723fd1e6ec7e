#include "PreviewPrint.h"
#include <algorithm>
#include <cstddef>
#include <cwchar>
#include "GlobalBlockLock.h"
#include "PreviewRender.h"
#include "PreviewViewLimits.h"
#include "reader/JwCADBase.h"
#include "render/d2d/D2DPrintContext.h"
#include "render/d2d/D2DPrintJob.h"

namespace {
const int kSmallestPrintSide = 256;
const int kFooterUnitsPer800 = 12;
const int kFooterMargin = 4;
const BYTE kFooterCharset = SHIFTJIS_CHARSET;
const wchar_t kFooterFace[] = L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF";  // "ＭＳ ゴシック"
const wchar_t kFullWidthColon = L'\xFF1A';
const DWORD kDirect2DDialogFlags = PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE |
                                   PD_HIDEPRINTTOFILE | PD_NOCURRENTPAGE;
const DWORD kGdiDialogFlags = PD_NOSELECTION | PD_NOPAGENUMS | PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE |
                              PD_HIDEPRINTTOFILE;
const DWORD kPaperBits = DM_PAPERLENGTH | DM_PAPERWIDTH;
// The DEVMODE's fixed part up to its paper fields.
const SIZE_T kPaperFieldsEnd = offsetof(DEVMODEW, dmPrintQuality);

// The font of the footer, selected for the life of the object.
class FooterFont {
public:
    FooterFont(CDC& dc, int shorterSide) : m_dc(dc)
    {
        const LOGFONTW font = FooterLogFont(shorterSide);
        m_font.CreateFontIndirect(&font);
        m_old = m_font.GetSafeHandle() ? dc.SelectObject(m_font.GetSafeHandle()) : nullptr;
    }
    ~FooterFont()
    {
        if (m_old)
            m_dc.SelectObject(m_old);
    }
    FooterFont(const FooterFont&) = delete;
    FooterFont& operator=(const FooterFont&) = delete;

private:
    CDC& m_dc;
    CFont m_font;
    HGDIOBJ m_old = nullptr;
};

void DrawFooter(CDC& dc, const RECT& pageRect, int shorterSide, const CStringW& documentName)
{
    FooterFont font(dc, shorterSide);
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    const CStringW text = PrintFooterText(now, documentName);
    const CSize size = dc.GetTextExtent(text);
    dc.TextOut(pageRect.right - pageRect.left - size.cx - kFooterMargin,
               pageRect.bottom - pageRect.top - size.cy - kFooterMargin, text);
}

// The page rendered as one bitmap, centred on the page.
bool DrawBitmapPage(CDC& printer, CDC& memory, const RECT& pageRect, DrawData& page, const PreviewPrintSource& source)
{
    HBITMAP rendered = nullptr;
    if (RenderPreviewToBitmap(source.path, &rendered, page) != S_OK || !rendered)
        return false;
    CBitmap bitmap;
    bitmap.Attach(rendered);
    BITMAP size = {};
    if (!bitmap.GetObject(sizeof size, &size))
        return false;
    CBitmap* old = memory.SelectObject(&bitmap);
    if (!old)
        return false;
    const int width = pageRect.right - pageRect.left;
    const int height = pageRect.bottom - pageRect.top;
    const BOOL copied = printer.BitBlt((width - size.bmWidth) / 2, (height - size.bmHeight) / 2, size.bmWidth,
                                       size.bmHeight, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
    return copied != FALSE;
}

// The page drawn into the printer DC, one logical unit per device unit.
bool DrawDirectPage(CDC& printer, const RECT& pageRect, DrawData& page, const PreviewPrintSource& source)
{
    const int width = pageRect.right - pageRect.left;
    const int height = pageRect.bottom - pageRect.top;
    printer.SetMapMode(MM_ANISOTROPIC);
    ::SetWindowExtEx(printer.GetSafeHdc(), width, height, nullptr);
    ::SetViewportExtEx(printer.GetSafeHdc(), width, height, nullptr);
    printer.SetWindowOrg(0, 0);
    return RenderPreviewToDC(source.path, &printer, nullptr, page) == S_OK;
}

// Everything between StartPage and EndPage; a failure ends the page early,
// and what was drawn so far is printed.
bool DrawGdiPage(CDC& printer, CDC* memory, const PreviewPrintSource& source, const CStringW& documentName)
{
    RECT pageRect = {};
    if (printer.GetClipBox(&pageRect) != SIMPLEREGION)
        return false;
    InflateRect(&pageRect, -1, -1);
    DrawData page = source.view;
    page.flags = GdiPageFlags(source.view.flags, memory != nullptr);
    const int shorterSide = FitViewToPage(page, pageRect, source);
    const bool drawn = memory ? DrawBitmapPage(printer, *memory, pageRect, page, source)
                              : DrawDirectPage(printer, pageRect, page, source);
    if (!drawn)
        return false;
    DrawFooter(printer, pageRect, shorterSide, documentName);
    return true;
}

// Rendering the page left the page's view in the drawing: the preview's
// goes back, so that its next zoom starts from what it shows.
void RestoreDrawingView(const PreviewPrintSource& source)
{
    const DrawData& view = source.view;
    UsePreviewDrawing(source.path, [&](CJwCADBase& drawing) {
        drawing.m_width = view.width;
        drawing.m_height = view.height;
        drawing.m_originX = view.originX;
        drawing.m_originY = view.originY;
        drawing.m_zoom = view.scale;
        drawing.SetupView();
        return true;
    });
}

// The printer DC of a saved choice. The device is named by the DEVNAMES
// block (whose strings the loader checked): the DEVMODE's own name field
// holds only 31 characters, too few for many network printers' names.
bool CreateSavedPrinterDC(CDC& dc, const PRINTDLGEXW& pd)
{
    CGlobalBlockLock names(pd.hDevNames);
    CGlobalBlockLock mode(pd.hDevMode);
    if (names.Size() < sizeof(DEVNAMES) || !mode.Data())
        return false;
    const auto* header = static_cast<const DEVNAMES*>(names.Data());
    const wchar_t* device = static_cast<const wchar_t*>(names.Data()) + header->wDeviceOffset;
    return dc.CreateDC(nullptr, device, nullptr, mode.Data()) != FALSE;
}

void ReportPrintDialogFailure(HWND owner, HRESULT result)
{
    wchar_t text[512];
    swprintf(text, 512, L"Error 0x%4X occured during printer selection and/or setup.", static_cast<unsigned>(result));
    PreviewPrintDialog().messageBox(owner, text, L"Message", MB_OK);
}
}

CPrintBlocks::~CPrintBlocks()
{
    FreePrintContext(&m_pd);
    if (m_pd.hDC) {
        DeleteDC(m_pd.hDC);
        m_pd.hDC = nullptr;
    }
}

PreviewPrintDialogCalls& PreviewPrintDialog()
{
    static PreviewPrintDialogCalls calls = {&PrintDlgExW, &MessageBoxW};
    return calls;
}

int PrintPageSide(int extent)
{
    return extent < kSmallestPrintSide + 1 ? kSmallestPrintSide : extent & ~3;
}

int FooterFontHeight(int shorterSide)
{
    return -static_cast<int>(shorterSide / 800.0 * kFooterUnitsPer800 + 0.5);
}

LOGFONTW FooterLogFont(int shorterSide)
{
    LOGFONTW font = {};
    font.lfHeight = FooterFontHeight(shorterSide);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = kFooterCharset;
    font.lfOutPrecision = OUT_CHARACTER_PRECIS;
    font.lfClipPrecision = CLIP_CHARACTER_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH;
    wcscpy_s(font.lfFaceName, kFooterFace);
    return font;
}

CStringW PrintDocumentName(const CStringW& title)
{
    CStringW name = title;
    name.Trim();
    name.Replace(L':', kFullWidthColon);
    return name;
}

CStringW PrintFooterText(const SYSTEMTIME& time, const CStringW& documentName)
{
    CStringW text;
    text.Format(L"%04u/%02u/%02u %02u:%02u:%02u ", time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute,
                time.wSecond);
    return text + documentName;
}

uint32_t GdiPageFlags(uint32_t previewFlags, bool bitmap)
{
    uint32_t flags = previewFlags & ~(DrawFlag::KeepView | DrawFlag::Direct2D | DrawFlag::GdiPlusImages);
    if (bitmap)
        flags |= DrawFlag::Direct2D | (previewFlags & DrawFlag::GdiPlusImages);
    return flags | DrawFlag::Print | DrawFlag::ThickLines;
}

RECT Direct2DPageRect(DEVMODEW& mode)
{
    float width = D2DPrintJob::kDefaultPageWidth;
    float height = D2DPrintJob::kDefaultPageHeight;
    if ((mode.dmFields & kPaperBits) == kPaperBits && mode.dmPaperWidth > 0 && mode.dmPaperLength > 0) {
        width = mode.dmPaperWidth / 254.0f * 96.0f;
        height = mode.dmPaperLength / 254.0f * 96.0f;
    } else {
        mode.dmFields &= ~kPaperBits;
    }
    RECT page = {0, 0, static_cast<LONG>(width), static_cast<LONG>(height)};
    InflateRect(&page, -1, -1);
    return page;
}

int FitViewToPage(DrawData& page, const RECT& pageRect, const PreviewPrintSource& source)
{
    const DrawData& preview = source.view;
    page.width = PrintPageSide(pageRect.right - pageRect.left);
    page.height = PrintPageSide(pageRect.bottom - pageRect.top);
    const int shorterSide = std::min(page.width, page.height);
    // The view may come from a damaged info cache file: the page is made
    // from a scale within the view's limits, so the product stays an int.
    if (preview.width > 0) {
        const int32_t viewScale = ClampViewValue(page.scale, kSmallestScale, kLargestScale);
        page.scale = ClampViewValue(static_cast<int64_t>(static_cast<double>(shorterSide) * viewScale / preview.width),
                                    1, INT32_MAX);
    }
    page.originX = ShiftViewOrigin(page.originX, -((int64_t{page.width} - preview.width) / 2));
    page.originY = ShiftViewOrigin(page.originY, (int64_t{page.height} - preview.height) / 2);
    const RECT& picture = source.pictureClient;
    const POINT centre = {(picture.left + picture.right) / 2, (picture.top + picture.bottom) / 2};
    POINT shift = {};
    UsePreviewDrawing(source.path, [&](CJwCADBase& drawing) {
        drawing.ZoomAt(page.scale, SIZE{picture.right - picture.left, picture.bottom - picture.top}, centre, shift,
                       true);
        return true;
    });
    page.originX = ShiftViewOrigin(page.originX, shift.x);
    page.originY = ShiftViewOrigin(page.originY, shift.y);
    return shorterSide;
}

bool PrintGdi(CDC& printerDC, bool bitmap, const PreviewPrintSource& source)
{
    const CStringW documentName = PrintDocumentName(source.title);
    DOCINFOW document = {sizeof document};
    document.lpszDocName = documentName;
    if (printerDC.StartDoc(&document) <= 0)
        return false;
    printerDC.StartPage();
    CDC memory;
    if (bitmap)
        memory.CreateCompatibleDC(&printerDC);
    try {
        DrawGdiPage(printerDC, bitmap ? &memory : nullptr, source, documentName);
    } catch (CException* error) {
        error->Delete();
    } catch (...) {
    }
    memory.DeleteDC();
    printerDC.EndPage();
    printerDC.EndDoc();
    RestoreDrawingView(source);
    return true;
}

bool PrintDirect2D(PRINTDLGEXW& pd, const PreviewPrintSource& source)
{
    CPrintBlocks blocks(pd);
    RECT pageRect = {};
    {
        CGlobalBlockLock mode(pd.hDevMode);
        if (mode.Size() < kPaperFieldsEnd)
            return false;
        pageRect = Direct2DPageRect(*static_cast<DEVMODEW*>(mode.Data()));
    }
    DrawData page = source.view;
    page.progressWnd = source.window;
    page.flags = (source.view.flags & ~DrawFlag::KeepView) | DrawFlag::Print | DrawFlag::ThickLines;
    FitViewToPage(page, pageRect, source);
    // The core's print job takes both blocks over and clears their handles;
    // a render that fails before it leaves them to the guard.
    return RenderPreviewToDC(source.path, nullptr, &pd, page) == S_OK;
}

bool PrintOnSavedPrinter(PRINTDLGEXW& pd, bool ctrl, const PreviewPrintSource& source)
{
    CPrintBlocks blocks(pd);
    if (source.view.flags & DrawFlag::Direct2D)
        return PrintDirect2D(pd, source);
    CDC printer;
    return CreateSavedPrinterDC(printer, pd) && PrintGdi(printer, ctrl, source);
}

void PrintWithDialog(bool ctrl, const PreviewPrintSource& source,
                     const std::function<void(const PRINTDLGEXW&)>& saveChoice)
{
    const bool direct2D = (source.view.flags & DrawFlag::Direct2D) && !ctrl;
    PRINTDLGEXW pd = {};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = source.window;
    pd.nMinPage = pd.nMaxPage = pd.nCopies = 1;
    pd.nStartPage = START_PAGE_GENERAL;
    pd.Flags = direct2D ? kDirect2DDialogFlags : kGdiDialogFlags;
    const HRESULT result = PreviewPrintDialog().printDlgEx(&pd);
    // A cancelled dialog may still hand back blocks or a DC: they go too.
    CPrintBlocks blocks(pd);
    if (FAILED(result)) {
        ReportPrintDialogFailure(source.window, result);
        return;
    }
    if (pd.dwResultAction != PD_RESULT_PRINT || !pd.hDevNames || !pd.hDevMode)
        return;
    saveChoice(pd);
    if (direct2D) {
        PrintDirect2D(pd, source);
        return;
    }
    CDC printer;
    if (printer.Attach(pd.hDC)) {
        pd.hDC = nullptr;
        PrintGdi(printer, ctrl, source);
    }
}
