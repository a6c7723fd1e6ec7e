#include "PreViewDlg.h"
#include <vector>
#include "LanguageIds.h"
#include "cache/InfoFormat.h"

namespace {
const int kInfoColumnWidth = 100;
const int kSymbolJwk = 1;
const int kDrawingJww = 2;
const int kSymbolJws = 3;

// Every piece between delimiters in order, empty ones and the one after the
// last delimiter too.
void SplitLines(const CStringW& text, const wchar_t* delimiter, std::vector<CStringW>& list)
{
    list.clear();
    const int step = static_cast<int>(wcslen(delimiter));
    int start = 0;
    for (int found = text.Find(delimiter, start); found >= 0; found = text.Find(delimiter, start)) {
        list.push_back(text.Mid(start, found - start));
        start = found + step;
    }
    list.push_back(text.Mid(start));
}

// The figure count of a loaded drawing as its own line. The string starts
// with a line break for its place inside the info text; a list row drops it.
CStringW PreviewCountLine(uint64_t figureCount)
{
    CStringW format;
    CStringW line;
    if (format.LoadString(IDS_INFO_ENTITY_COUNT))
        line.Format(format, FormatCount(figureCount).GetString());
    line.TrimLeft(L"\r\n");
    return line;
}

// The text behind the label and its separator in the last line that holds
// the label; empty when no line does.
CStringW PreviewTitleFrom(const std::vector<CStringW>& lines)
{
    CStringW label;
    label.LoadString(IDS_PREVIEW_TITLE_LABEL);
    CStringW title;
    if (label.IsEmpty())
        return title;
    for (const CStringW& line : lines) {
        const int found = line.Find(label);
        if (found >= 0)
            title = line.Mid(found + label.GetLength() + 1);
    }
    return title;
}
}

void CPreViewDlg::FillInfoList(int kind)
{
    m_infoList.DeleteAllItems();
    HWND header = reinterpret_cast<HWND>(m_infoList.SendMessage(LVM_GETHEADER));
    if (header && Header_GetItemCount(header) == 0)
        m_infoList.InsertColumn(0, L"", LVCFMT_LEFT, kInfoColumnWidth, 0);
    // The list is one column of text: no header above it.
    if (header)
        ::SetWindowLongPtrW(header, GWL_STYLE, ::GetWindowLongPtrW(header, GWL_STYLE) | HDS_HIDDEN);
    std::vector<CStringW> lines;
    SplitLines(CStringW(m_infoText), L"\n", lines);
    if ((kind == kSymbolJwk || kind == kDrawingJww || kind == kSymbolJws) && m_view.doc)
        lines.push_back(PreviewCountLine(m_drawingFacts.figureCount));
    for (size_t row = 0; row < lines.size(); ++row)
        m_infoList.InsertItem(static_cast<int>(row), lines[row]);
    FitInfoColumn();
    SetDlgItemText(IDC_PREVIEW_TITLE, PreviewTitleFrom(lines));
}

void CPreViewDlg::FitInfoColumn()
{
    if (m_infoList.m_hWnd)
        m_infoList.SetColumnWidth(0, LVSCW_AUTOSIZE_USEHEADER);
}

void CPreViewDlg::OnInfoListClick(NMHDR*, LRESULT* result)
{
    if (m_hostedInDialogBox)
        GiveFocusToParent();
    *result = 0;
}
