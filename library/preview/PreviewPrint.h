#pragma once
// Printing the preview: the current view scaled to one page, either through
// GDI into a printer DC (drawn directly, or as one bitmap) with a footer of
// date, time and drawing name, or through the core's Direct2D print job.
// The printer comes from the print dialog or from "PrintData.dat".
//
// Ownership of the print dialog's blocks: whoever holds a PRINTDLGEXW holds
// its hDevNames and hDevMode; the core's Direct2D print job takes them over
// and clears the handles, so a CPrintBlocks guard frees what is left and
// every block is freed exactly once, on every road.
#include <afxwin.h>
#include <commdlg.h>
#include <functional>
#include "records/DrawData.h"

// What printing needs of the preview dialog.
struct PreviewPrintSource {
    CStringW path;        // the previewed file
    DrawData view;        // the preview's own view
    CStringW title;       // the text of the dialog's title line
    RECT pictureClient;   // client rectangle of the picture control
    HWND window;          // owner of the print dialog, progress window of a Direct2D print
};

// Frees, when it goes, the blocks and the DC still held in a PRINTDLGEXW.
class CPrintBlocks {
public:
    explicit CPrintBlocks(PRINTDLGEXW& pd) : m_pd(pd) {}
    ~CPrintBlocks();
    CPrintBlocks(const CPrintBlocks&) = delete;
    CPrintBlocks& operator=(const CPrintBlocks&) = delete;

private:
    PRINTDLGEXW& m_pd;
};

// The calls of the print dialog road that the tests replace: the modal
// print dialog itself and the message box of its failure.
struct PreviewPrintDialogCalls {
    HRESULT(WINAPI* printDlgEx)(LPPRINTDLGEXW pd);
    int(WINAPI* messageBox)(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
};
PreviewPrintDialogCalls& PreviewPrintDialog();

// Page arithmetic. A page side below 257 units renders at 256, a larger
// one at the next multiple of 4 below.
int PrintPageSide(int extent);
// The footer's font height for the page's shorter side: 12 units per 800.
int FooterFontHeight(int shorterSide);
// The footer's font: FooterFontHeight high, Shift-JIS "ＭＳ ゴシック".
LOGFONTW FooterLogFont(int shorterSide);
// The title line trimmed, its ASCII colons made full-width.
CStringW PrintDocumentName(const CStringW& title);
// "%Y/%m/%d %H:%M:%S " of time, then the document name.
CStringW PrintFooterText(const SYSTEMTIME& time, const CStringW& documentName);
// The flag word of a GDI page: the preview's, without keeping the view,
// with print, thick lines and, for a bitmap page, Direct2D.
uint32_t GdiPageFlags(uint32_t previewFlags, bool bitmap);
// The page of a Direct2D print in pixels of 96 per inch, shrunk by one on
// every side: the DEVMODE's paper when it names both paper dimensions, else
// the print job's default page, for which the two paper bits are cleared.
RECT Direct2DPageRect(DEVMODEW& mode);

// Adapts page (a copy of the preview's view) to pageRect: sizes, scale and
// origin so that the page shows what the preview shows, enlarged. Returns
// the page's shorter side.
int FitViewToPage(DrawData& page, const RECT& pageRect, const PreviewPrintSource& source);
// One page into printerDC: false when no document could be started.
bool PrintGdi(CDC& printerDC, bool bitmap, const PreviewPrintSource& source);
// One page through the Direct2D print job on pd's printer; the blocks of
// pd are freed whatever happens. True when the page was printed.
bool PrintDirect2D(PRINTDLGEXW& pd, const PreviewPrintSource& source);
// The page on the printer chosen last time, whose blocks pd holds as the
// print settings file gave them (they are freed here); false when the page
// could not be started there (the caller then asks).
bool PrintOnSavedPrinter(PRINTDLGEXW& pd, bool ctrl, const PreviewPrintSource& source);
// The print dialog, then the page on the chosen printer; saveChoice keeps
// the choice first.
void PrintWithDialog(bool ctrl, const PreviewPrintSource& source,
                     const std::function<void(const PRINTDLGEXW&)>& saveChoice);
