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
// the press is ignored then, like every render request.
void CPreViewDlg::OnPrint()
{
    GiveFocusToParent();
    if (m_renderPending || m_closing)
        return;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const PreviewPrintSource source = PrintSource();
    if (shift) {
        PRINTDLGEXW pd = {};
        pd.lStructSize = sizeof pd;
        if (LoadPrintData(pd) && PrintOnSavedPrinter(pd, ctrl, source))
            return;
    }
    PrintWithDialog(ctrl, source, [this](const PRINTDLGEXW& pd) { SavePrintData(pd); });
}

void CPreViewDlg::SavePrintData(const PRINTDLGEXW& pd)
{
    SavePrintDataFile(PrintDataPath(), pd);
}

bool CPreViewDlg::LoadPrintData(PRINTDLGEXW& pd)
{
    return LoadPrintDataFile(PrintDataPath(), pd);
}

PreviewPrintSource CPreViewDlg::PrintSource()
{
    PreviewPrintSource source;
    source.path = m_path;
    source.view = m_view;
    GetDlgItemText(IDC_PREVIEW_TITLE, source.title);
    source.pictureClient = RECT{};
    m_picture.GetClientRect(&source.pictureClient);
    source.window = m_hWnd;
    return source;
}
