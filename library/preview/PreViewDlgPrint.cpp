#include "PreViewDlg.h"
#include "LanguageIds.h"
#include "PrintData.h"
#include "app/TavrenaApp.h"

namespace {
CStringW PrintDataPath()
{
    return theApp.m_cacheFolder + kPrintDataFileName;
}
}

// Shift prints at once on the printer chosen last time; Ctrl asks a GDI
// page for one bitmap. Without a saved printer, or when it cannot print,
// the print dialog asks. A render worker that still runs owns the drawing:
// the press is ignored like every render request then.
void CPreViewDlg::OnPrintButton()
{
    GiveFocusToParent();
    if (m_renderPending || m_closing)
        return;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (shift && PrintOnSavedPrinter(ctrl, PrintSource(), PrintDataPath()))
        return;
    PrintWithDialog(ctrl);
}

PreviewPrintSource CPreViewDlg::PrintSource()
{
    PreviewPrintSource source;
    source.path = m_path;
    source.view = m_view;
    GetDlgItemText(IDC_PREVIEW_TITLE, source.title);
    source.pictureClient = RECT{};
    if (m_picture.m_hWnd)
        m_picture.GetClientRect(&source.pictureClient);
    source.window = m_hWnd;
    return source;
}

void CPreViewDlg::SavePrintData(const PRINTDLGEXW& pd)
{
    SavePrintDataFile(PrintDataPath(), pd);
}

bool CPreViewDlg::LoadPrintData(PRINTDLGEXW& pd)
{
    return LoadPrintDataFile(PrintDataPath(), pd);
}

int CPreViewDlg::FitViewToPage(DrawData& page, const RECT& pageRect)
{
    return ::FitViewToPage(page, pageRect, PrintSource());
}

void CPreViewDlg::PrintGdi(CDC& printerDC, bool bitmap)
{
    PrintGdiPage(printerDC, bitmap, PrintSource());
}

bool CPreViewDlg::PrintDirect2D(PRINTDLGEXW& pd)
{
    return PrintDirect2DPage(pd, PrintSource());
}

void CPreViewDlg::PrintWithDialog(bool ctrl)
{
    ::PrintWithDialog(ctrl, PrintSource(), PrintDataPath());
}
