// What the preview window and the toolkit ask of both language modules: the
// strings take exactly the arguments the code passes, and the dialogs,
// images and cursors are there with the ids, classes and styles the code
// relies on.
#include <gtest/gtest.h>
#include <afxwin.h>
#include <atlimage.h>
#include <commctrl.h>
#include <set>
#include <string>
#include <vector>
#include "core/cache/FormatSpecifiers.h"
#include "IconStrip.h"
#include "PreviewTemplates.h"
#include "ToolkitTemplates.h"
#include "framework/WindowTestSupport.h"
#include "support/LibraryModule.h"
#include "support/TestPaths.h"

namespace {
// The inserts %1 to %9 a message uses, in the way AfxFormatString1 reads
// them.
std::set<int> MessageInserts(const std::wstring& format)
{
    std::set<int> inserts;
    for (size_t i = 0; i + 1 < format.size(); ++i) {
        if (format[i] == L'%' && format[i + 1] >= L'1' && format[i + 1] <= L'9')
            inserts.insert(format[i + 1] - L'0');
    }
    return inserts;
}

void ExpectLanguageStringTakes(HMODULE module, const InfoTemplate& info)
{
    const std::wstring format = ResourceString(module, info.id);
    SCOPED_TRACE(testing::Message() << "string " << info.id);
    ASSERT_FALSE(format.empty());
    const std::string expected = info.arguments;
    if (expected == "1") {
        EXPECT_EQ(MessageInserts(format), std::set<int>{1});
    } else if (expected == "T") {
        EXPECT_TRUE(IsTimeSpanFormat(format));
    } else {
        EXPECT_EQ(PrintfArgumentKinds(format), expected);
    }
}

struct ExpectedDialogControl {
    int id;
    const wchar_t* windowClass;
    DWORD styleBits;  // bits that must be set
};

class PreviewLanguageModuleTest : public ::testing::TestWithParam<const wchar_t*> {
protected:
    void SetUp() override { ASSERT_TRUE(m_module.IsLoaded()); }

    // The children of a dialog template made from the module, hidden.
    void ExpectDialogControls(UINT templateId, HWND parent, const std::vector<ExpectedDialogControl>& controls,
                              DWORD dialogStyle)
    {
        SCOPED_TRACE(testing::Message() << "dialog " << templateId);
        HWND dialog = CreateDialogParamW(m_module.Handle(), MAKEINTRESOURCEW(templateId), parent, EmptyDialogProc, 0);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE)) & dialogStyle, dialogStyle);
        for (const ExpectedDialogControl& expected : controls) {
            SCOPED_TRACE(testing::Message() << "control " << expected.id);
            HWND control = GetDlgItem(dialog, expected.id);
            ASSERT_NE(control, nullptr);
            wchar_t className[64] = {};
            GetClassNameW(control, className, 64);
            EXPECT_EQ(_wcsicmp(className, expected.windowClass), 0) << className;
            const DWORD style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
            EXPECT_EQ(style & expected.styleBits, expected.styleBits);
        }
        for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
            EXPECT_NE(GetDlgCtrlID(child), -1) << "the layout map gives -1 to its spacers";
        if ((dialogStyle & WS_POPUP) != 0)
            SavePicture(dialog, templateId);
        DestroyWindow(dialog);
    }

    // The top-level dialogs shown for a person to look at.
    void SavePicture(HWND dialog, UINT templateId)
    {
        ShowWindow(dialog, SW_SHOWNOACTIVATE);
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
        std::wstring module = GetParam();
        module = module.substr(0, module.size() - 4);
        const std::wstring name = L"\\Dialog" + std::to_wstring(templateId) + L"-" + module + L".png";
        EXPECT_TRUE(CWindowPicture(dialog).SavePng(TestOutputFolder() + name));
    }

    static INT_PTR CALLBACK EmptyDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

    LibraryModule m_module{GetParam()};
};
}

TEST_P(PreviewLanguageModuleTest, EveryStringTakesTheCodesArguments)
{
    for (const InfoTemplate* info : kPreviewTemplates)
        ExpectLanguageStringTakes(m_module.Handle(), *info);
    for (const InfoTemplate& tip : kPreviewTooltips)
        ExpectLanguageStringTakes(m_module.Handle(), tip);
    ExpectLanguageStringTakes(m_module.Handle(), kKvoResetToolbarQuestion);
    ExpectLanguageStringTakes(m_module.Handle(), kKvoRestoreToolbarQuestion);
    for (const InfoTemplate& prompt : kKvoCommandPrompts)
        ExpectLanguageStringTakes(m_module.Handle(), prompt);
}

// The title line shows what follows the label and one separator in the info
// text, so the label must stand in both info templates right before a title.
TEST_P(PreviewLanguageModuleTest, TitleLabelIntroducesTheTitleOfBothInfoTemplates)
{
    const std::wstring label = ResourceString(m_module.Handle(), kTitleLabel.id);
    ASSERT_FALSE(label.empty());
    for (UINT id : {kDrawingInfoTemplate.id, kPartInfoTemplate.id}) {
        const std::wstring info = ResourceString(m_module.Handle(), id);
        const size_t at = info.find(label);
        ASSERT_NE(at, std::wstring::npos) << "string " << id;
        EXPECT_EQ(info.substr(at + label.size() + 1, 2), L"%s") << "string " << id;
    }
}

TEST_P(PreviewLanguageModuleTest, DialogsHoldTheControlsTheCodeBinds)
{
    // The preview is a child dialog; the host stands in for the shell's.
    HWND host = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 400, 600, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(host, nullptr);
    const std::vector<ExpectedDialogControl> preview = {
        {1001, L"Static", 0},
        {1002, L"Static", SS_BITMAP | SS_CENTERIMAGE | SS_NOTIFY},
        {1000, TRACKBAR_CLASSW, 0},
        {1003, WC_TREEVIEWW, 0},
        {1004, WC_LISTVIEWW, LVS_REPORT},
        {1010, L"Button", 0}, {1011, L"Button", 0}, {1012, L"Button", 0}, {1013, L"Button", 0},
        {1016, L"Button", 0}, {1017, L"Button", 0}, {1018, L"Button", 0}, {1019, L"Button", 0},
        {1014, L"Button", 0},
    };
    ExpectDialogControls(101, host, preview, DS_CONTROL | WS_CHILD | WS_CLIPCHILDREN);
    const std::vector<ExpectedDialogControl> about = {
        {1100, L"Static", SS_NOTIFY}, {1101, L"Static", 0}, {IDOK, L"Button", 0}, {1015, L"Button", 0}};
    ExpectDialogControls(100, host, about, WS_POPUP | WS_CAPTION);
    std::vector<ExpectedDialogControl> settings = {
        {1040, L"Button", 0}, {IDOK, L"Button", 0}, {IDCANCEL, L"Button", 0}};
    for (int id = 1021; id <= 1027; ++id)
        settings.push_back({id, L"Button", BS_AUTOCHECKBOX});
    ExpectDialogControls(400, host, settings, WS_POPUP | WS_CAPTION);
    DestroyWindow(host);
}

// The icon strip: 16 x 16 cells 0 to 13, 32 bits with a real alpha channel.
TEST_P(PreviewLanguageModuleTest, IconStripIsA32BitPngWithAlpha)
{
    CImage strip;
    ASSERT_TRUE(LoadPngResource(m_module.Handle(), IDR_PREVIEW_ICONS, strip));
    EXPECT_EQ(strip.GetHeight(), 16);
    EXPECT_GE(strip.GetWidth(), 14 * 16);
    ASSERT_EQ(strip.GetBPP(), 32);
    std::set<int> alphas;
    for (int y = 0; y < strip.GetHeight(); ++y) {
        const BYTE* row = static_cast<const BYTE*>(strip.GetBits()) + y * strip.GetPitch();
        for (int x = 0; x < strip.GetWidth(); ++x)
            alphas.insert(row[x * 4 + 3]);
    }
    EXPECT_TRUE(alphas.count(0) && alphas.count(255)) << "transparent and opaque pixels";
    EXPECT_GT(alphas.size(), 2u) << "soft edges";
}

TEST_P(PreviewLanguageModuleTest, CursorsAndTheSystemButtonBitmapLoad)
{
    for (UINT id : {IDC_SPLIT_VERTICAL_BAR, IDC_SPLIT_HORIZONTAL_BAR, IDC_KVO_CUSTOMIZE_RESIZE}) {
        HANDLE cursor = LoadImageW(m_module.Handle(), MAKEINTRESOURCEW(id), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE);
        EXPECT_NE(cursor, nullptr) << "cursor " << id;
        if (cursor != nullptr)
            DestroyCursor(static_cast<HCURSOR>(cursor));
    }
    HBITMAP buttons = static_cast<HBITMAP>(
        LoadImageW(m_module.Handle(), MAKEINTRESOURCEW(IDB_KVO_MDI_BUTTONS), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(buttons, nullptr);
    DIBSECTION dib = {};
    ASSERT_EQ(GetObjectW(buttons, sizeof(dib), &dib), static_cast<int>(sizeof(dib)));
    EXPECT_EQ(dib.dsBm.bmWidth, 4 * 16) << "restore, minimise, maximise, close";
    EXPECT_EQ(dib.dsBm.bmHeight, 16);
    EXPECT_EQ(dib.dsBm.bmBitsPixel, 32);
    DeleteObject(buttons);
}

INSTANTIATE_TEST_SUITE_P(Modules, PreviewLanguageModuleTest,
                         testing::Values(L"TavrenaJPN.dll", L"TavrenaENU.dll"));
