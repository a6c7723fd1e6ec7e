// The preview's information list and title line through the real dialog:
// the drawing's info text one line per row, empty lines kept, the figure
// count as a last row for JWW, JWK and JWS files but not for JWC, and the
// title taken from the line that holds the title label.
#include <afxwin.h>
#include <atlbase.h>
#include <commctrl.h>
#include <memory>
#include <string>
#include <vector>
#include "PreviewDialogFixture.h"
#include "writer/Drawing.h"
#include "writer/JwcWriter.h"

namespace {
using namespace previewtest;

std::vector<std::wstring> InfoLines(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t found = text.find(L'\n'); found != std::wstring::npos; found = text.find(L'\n', start)) {
        lines.push_back(text.substr(start, found - start));
        start = found + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

class PreviewInfoListTest : public PreviewDialogFixture {
protected:
    std::vector<std::wstring> Rows() const
    {
        HWND list = Item(IDC_PREVIEW_INFO);
        std::vector<std::wstring> rows;
        const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < count; ++row)
            rows.push_back(ListText(list, row));
        return rows;
    }
    std::wstring InfoText(const std::wstring& path) const
    {
        ATL::CComBSTR text;
        EXPECT_EQ(m_exports.GetZumenInfo(path.c_str(), std::addressof(text)), S_OK);
        return text.m_str ? std::wstring(text.m_str) : std::wstring();
    }
    // The count string of the language module with its leading line break,
    // which it has for its place inside the info text, left off.
    std::wstring CountLine(const wchar_t* count) const
    {
        std::wstring format = m_exports.LanguageString(IDS_INFO_ENTITY_COUNT);
        CStringW line;
        line.Format(format.c_str(), count);
        std::wstring text(line.GetString());
        return text.substr(text.find_first_not_of(L"\r\n"));
    }
};

TEST_F(PreviewInfoListTest, RowsAreTheInfoTextWithTheFigureCountLast)
{
    jwwrite::Drawing drawing;
    jwwrite::JwcDrawing jwc;
    for (int i = 0; i < 1200; ++i) {
        jwwrite::Line line;
        line.x1 = -100;
        line.x2 = 100;
        line.y1 = line.y2 = i * 0.1;
        drawing.entities.push_back(line);
        jwc.lines.push_back({-100, static_cast<float>(i * 0.1), 100, static_cast<float>(i * 0.1), 1, 1, 0});
    }
    struct Case {
        const wchar_t* name;
        std::vector<uint8_t> bytes;
        bool countLine;
    } const cases[] = {
        {L"counted.jww", jwwrite::WriteDrawing(drawing), true},
        {L"counted.jwc", jwwrite::WriteJwc(jwc), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.name, c.name + wcslen(c.name)));
        const std::wstring path = m_scratch.Path() + L"\\" + c.name;
        ASSERT_TRUE(jwwrite::SaveFile(path, c.bytes));
        ASSERT_TRUE(OpenAndWaitForPicture(path));
        std::vector<std::wstring> expected = InfoLines(InfoText(path));
        if (c.countLine)
            expected.push_back(CountLine(L"1,200"));
        EXPECT_EQ(Rows(), expected);
        wchar_t title[256] = {};
        GetDlgItemTextW(m_dialog, IDC_PREVIEW_TITLE, title, 256);
        EXPECT_STREQ(title, L"counted") << "the value behind the title label";
        HWND header = reinterpret_cast<HWND>(SendMessageW(Item(IDC_PREVIEW_INFO), LVM_GETHEADER, 0, 0));
        EXPECT_TRUE(GetWindowLongW(header, GWL_STYLE) & HDS_HIDDEN);
        Close();
    }
}
}  // namespace
