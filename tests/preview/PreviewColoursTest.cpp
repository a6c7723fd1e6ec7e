// The preview dialog's own colours: dark or light after the colour setting
// (its background, its answers to WM_CTLCOLOR, its tree, list and tooltip),
// a new look and a new render when Windows switches its colour mode, and a
// drawing on a black background colour. Wine has no dark mode: the seam
// gives the dialog a Windows that has one.
#include <gtest/gtest.h>
#include <afxwin.h>
#include <commctrl.h>
#include <optional>
#include <ostream>
#include <string>
#include "InProcessPreview.h"
#include "LanguageIds.h"
#include "app/TavrenaApp.h"
#include "cache/InfoCache.h"
#include "foundation/base/KvoDarkMode.h"
#include "records/SettingFlag.h"
#include "toolkit/foundation/DarkModeSeam.h"
#include "writer/Drawing.h"
#include "writer/SampleDrawing.h"

namespace {
constexpr COLORREF kDialogDark = RGB(0x1E, 0x1E, 0x1E);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
// A text colour no answer gives.
constexpr COLORREF kUntouchedText = RGB(1, 2, 3);

COLORREF BrushColour(HBRUSH brush)
{
    LOGBRUSH logBrush = {};
    return GetObjectW(brush, sizeof logBrush, &logBrush) == sizeof logBrush ? logBrush.lbColor : CLR_INVALID;
}

// What the dialog answers to one WM_CTLCOLOR message for control.
struct CtlColourAnswer {
    COLORREF brush;
    COLORREF text;
    int backgroundMode;
};

CtlColourAnswer AskCtlColour(HWND dialog, UINT message, HWND control)
{
    HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, kUntouchedText);
    SetBkMode(dc, OPAQUE);
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(dialog, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    const CtlColourAnswer answer = {BrushColour(brush), GetTextColor(dc), GetBkMode(dc)};
    DeleteDC(dc);
    return answer;
}

// The colours the tree, the list and the tooltip were given.
struct ControlColours {
    COLORREF treeBack, treeText, listBack, listTextBack, listText, tipBack, tipText;
    bool operator==(const ControlColours& other) const
    {
        return treeBack == other.treeBack && treeText == other.treeText && listBack == other.listBack &&
               listTextBack == other.listTextBack && listText == other.listText && tipBack == other.tipBack &&
               tipText == other.tipText;
    }
};

void PrintTo(const ControlColours& c, std::ostream* out)
{
    *out << std::hex << "tree " << c.treeBack << "/" << c.treeText << ", list " << c.listBack << "/"
         << c.listTextBack << "/" << c.listText << ", tip " << c.tipBack << "/" << c.tipText;
}

// The dialog's tooltip: a child dialog owns nothing, so its tooltip is
// owned by the host's window; it is the one with the dialog's tools.
HWND DialogToolTip(HWND dialog)
{
    const HWND host = GetAncestor(dialog, GA_ROOT);
    HWND found = nullptr;
    ForEachThreadWindow([&](HWND window) {
        wchar_t name[32] = {};
        GetClassNameW(window, name, 32);
        if (wcscmp(name, TOOLTIPS_CLASSW) == 0 && GetWindow(window, GW_OWNER) == host &&
            SendMessageW(window, TTM_GETTOOLCOUNT, 0, 0) > 0)
            found = window;
        return found == nullptr;
    });
    return found;
}

ControlColours ColoursOf(HWND dialog)
{
    HWND tree = GetDlgItem(dialog, IDC_PREVIEW_LAYERS), list = GetDlgItem(dialog, IDC_PREVIEW_INFO);
    HWND tip = DialogToolTip(dialog);
    auto colour = [](HWND window, UINT message) {
        return window ? static_cast<COLORREF>(SendMessageW(window, message, 0, 0)) : CLR_INVALID;
    };
    return {colour(tree, TVM_GETBKCOLOR),   colour(tree, TVM_GETTEXTCOLOR),  colour(list, LVM_GETBKCOLOR),
            colour(list, LVM_GETTEXTBKCOLOR), colour(list, LVM_GETTEXTCOLOR), colour(tip, TTM_GETTIPBKCOLOR),
            colour(tip, TTM_GETTIPTEXTCOLOR)};
}

const ControlColours kDarkControls = {kBlack, kWhite, kBlack, kBlack, kWhite, kBlack, kWhite};
const ControlColours kLightControls = {kWhite, kBlack, kWhite, kWhite, kBlack, kWhite, kBlack};

// A pixel of the shown bitmap (a 24-bit DIB section, rows bottom-up) and
// the count of pixels unlike the background at its corner.
COLORREF BitmapCorner(HBITMAP bitmap)
{
    DIBSECTION section = {};
    if (GetObjectW(bitmap, sizeof section, &section) != sizeof section || !section.dsBm.bmBits)
        return CLR_INVALID;
    GdiFlush();
    const auto* pixel = static_cast<const BYTE*>(section.dsBm.bmBits);
    return RGB(pixel[2], pixel[1], pixel[0]);
}

int PixelsUnlikeTheCorner(HBITMAP bitmap)
{
    DIBSECTION section = {};
    if (GetObjectW(bitmap, sizeof section, &section) != sizeof section || !section.dsBm.bmBits)
        return 0;
    GdiFlush();
    const BITMAP& bits = section.dsBm;
    const auto* first = static_cast<const BYTE*>(bits.bmBits);
    int unlike = 0;
    for (int y = 0; y < bits.bmHeight; ++y) {
        const BYTE* row = first + y * bits.bmWidthBytes;
        for (int x = 0; x < bits.bmWidth; ++x)
            unlike += memcmp(row + x * 3, first, 3) != 0;
    }
    return unlike;
}

class PreviewColoursTest : public InProcessPreviewTest {
protected:
    void SetUp() override
    {
        InProcessPreviewTest::SetUp();
        m_settings = theApp.m_settings;
        m_backColor = theApp.m_backColor;
    }
    void TearDown() override
    {
        InProcessPreviewTest::TearDown();
        m_seam.reset();
        theApp.m_settings = m_settings;
        theApp.m_backColor = m_backColor;
        theApp.m_infoCache.Clear();
    }
    // A Windows of this build for the dark-mode bootstrap, which runs now.
    void SetUpWindows(DWORD build)
    {
        m_seam.reset();
        m_seam.emplace(build);
        InitDarkMode();
    }
    // A preview of the sample drawing, loaded and rendered.
    void OpenSample()
    {
        const std::wstring path = m_scratch.Path() + L"\\colours.jww";
        ASSERT_TRUE(jwwrite::SaveFile(path, jwwrite::WriteDrawing(jwwrite::SampleDrawing())));
        m_dialog = Open(path);
        ASSERT_NE(m_dialog, nullptr);
        ASSERT_TRUE(PumpUntil([&] { return Rendered(m_dialog) && ShownBitmap(m_dialog); }, kPatience));
    }
    void CloseDialog()
    {
        DestroyWindow(m_dialog);
        m_dialog = nullptr;
    }

    std::optional<DarkModeSeam> m_seam;
    uint32_t m_settings = 0;
    COLORREF m_backColor = 0;
};

// Setting 1 makes the preview dark and setting 2 light, whatever Windows
// says: the dialog, its buttons and statics on the dark brush with white
// text (other controls keep the base answer), the tree, list and tooltip in
// black and white, and the user background colour black, which stays so
// after the preview has gone.
TEST_F(PreviewColoursTest, ColourSettingDecidesTheDialogsColours)
{
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const struct {
        const char* name;
        WORD setting;
        bool dark;
    } cases[] = {{"dark", 1, true}, {"light", 2, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUpWindows(19045);
        ASSERT_TRUE(g_darkModeSupported);
        g_darkModeSetting = c.setting;
        const COLORREF userColour = RGB(10, 200, 30);
        theApp.m_backColor = userColour;
        OpenSample();
        const COLORREF background = c.dark ? kDialogDark : window;

        const CtlColourAnswer dialog = AskCtlColour(m_dialog, WM_CTLCOLORDLG, m_dialog);
        EXPECT_EQ(dialog.brush, background);
        const CtlColourAnswer button = AskCtlColour(m_dialog, WM_CTLCOLORBTN, GetDlgItem(m_dialog, IDC_PREVIEW_PRINT));
        EXPECT_EQ(button.brush, background);
        const CtlColourAnswer title = AskCtlColour(m_dialog, WM_CTLCOLORSTATIC, GetDlgItem(m_dialog, IDC_PREVIEW_TITLE));
        EXPECT_EQ(title.brush, background);
        EXPECT_EQ(title.backgroundMode, TRANSPARENT);
        EXPECT_EQ(title.text, c.dark ? kWhite : GetSysColor(COLOR_WINDOWTEXT)) << "white or the base answer's";
        if (c.dark) {
            const CtlColourAnswer edit = AskCtlColour(m_dialog, WM_CTLCOLOREDIT, GetDlgItem(m_dialog, IDC_PREVIEW_INFO));
            EXPECT_NE(edit.brush, kDialogDark) << "other controls keep the base answer";
        }
        EXPECT_EQ(ColoursOf(m_dialog), c.dark ? kDarkControls : kLightControls);

        // The dialog's own background: left of the title line, and between
        // the title line and the picture.
        RECT frame = {}, titleRect = {}, pictureRect = {};
        GetWindowRect(m_dialog, &frame);
        GetWindowRect(GetDlgItem(m_dialog, IDC_PREVIEW_TITLE), &titleRect);
        GetWindowRect(GetDlgItem(m_dialog, IDC_PREVIEW_PICTURE), &pictureRect);
        RedrawWindow(m_dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        CWindowPicture picture(m_dialog);
        EXPECT_TRUE(picture.SavePng(TestOutputFolder() + L"\\PreviewColours-" + CStringW(c.name).GetString() +
                                    L".png"));
        const int besideTitle = titleRect.left - frame.left - 1;
        ASSERT_GE(besideTitle, 0);
        EXPECT_EQ(picture.Pixel(besideTitle, (titleRect.top + titleRect.bottom) / 2 - frame.top), background);
        if (pictureRect.top - titleRect.bottom >= 2) {
            EXPECT_EQ(picture.Pixel(pictureRect.left - frame.left + 4, pictureRect.top - frame.top - 1), background);
        }

        CloseDialog();
        EXPECT_EQ(theApp.m_backColor, c.dark ? kBlack : userColour);
    }
}

// Windows switching between light and dark apps mode recolours the preview
// and renders it again at once; a change of another setting, a mode that
// stays, or a Windows without dark mode leaves both alone.
TEST_F(PreviewColoursTest, ColourModeChangeRecoloursAndRendersAgain)
{
    const struct {
        const char* name;
        DWORD build;
        const wchar_t* section;
        bool turnDark;
        bool follows;
    } cases[] = {
        {"Windows turns dark", 19045, L"ImmersiveColorSet", true, true},
        {"the mode stays light", 19045, L"ImmersiveColorSet", false, false},
        {"another setting", 19045, L"intl", true, false},
        {"no dark mode", 17134, L"ImmersiveColorSet", true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WindowsDarkSetting windows;
        ASSERT_TRUE(windows.IsOpen());
        windows.SetDark(false);
        SetUpWindows(c.build);
        OpenSample();
        ASSERT_EQ(ColoursOf(m_dialog), kLightControls);
        const HBITMAP before = ShownBitmap(m_dialog);

        windows.SetDark(c.turnDark);
        SendMessageW(m_dialog, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(c.section));
        EXPECT_EQ(ColoursOf(m_dialog), c.follows ? kDarkControls : kLightControls);
        EXPECT_EQ(ShownBitmap(m_dialog) != before, c.follows) << "a new render at once";
        EXPECT_EQ(AskCtlColour(m_dialog, WM_CTLCOLORDLG, m_dialog).brush,
                  c.follows ? kDialogDark : GetSysColor(COLOR_WINDOW));
        CloseDialog();
    }
}

// Black as the user background colour: the drawing is rendered on black,
// and figures drawn in the background colour turn white, so the drawing
// shows as much as it does on white.
TEST_F(PreviewColoursTest, BlackBackgroundColourShowsTheWholeDrawing)
{
    theApp.m_settings |= SettingFlag::UserBackground;
    int unlike[2] = {};
    const COLORREF backgrounds[2] = {kWhite, kBlack};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        theApp.m_backColor = backgrounds[i];
        OpenSample();
        const HBITMAP shown = ShownBitmap(m_dialog);
        EXPECT_EQ(BitmapCorner(shown), backgrounds[i]);
        unlike[i] = PixelsUnlikeTheCorner(shown);
        if (backgrounds[i] == kBlack) {
            EXPECT_TRUE(CWindowPicture(GetDlgItem(m_dialog, IDC_PREVIEW_PICTURE))
                            .SavePng(TestOutputFolder() + L"\\PreviewColours-black-background.png"));
        }
        CloseDialog();
        theApp.m_infoCache.Clear();
    }
    RecordProperty("pixelsOnWhite", unlike[0]);
    RecordProperty("pixelsOnBlack", unlike[1]);
    EXPECT_GT(unlike[0], 0);
    EXPECT_GE(unlike[1], unlike[0] * 9 / 10);
}
}  // namespace
