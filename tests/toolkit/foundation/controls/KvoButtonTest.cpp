// CKvoButton and its themes as real child windows: the looks of every theme
// in each state read back from the screen, clicks by mouse and keyboard,
// check toggling, drop-down styles, icons and the parent's brush.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>

#include "ButtonTestSupport.h"
#include "Office2007BlackGeometry.h"
#include "toolkit/foundation/Office2007DiagnosticThemeScope.h"
#include "foundation/base/KvoColorManager.h"
#include "foundation/controls/KvoButton.h"
#include "foundation/controls/KvoButtonUltraFlatTheme.h"

namespace
{
const UINT kButtonId = 100;
const CRect kButtonRect(10, 10, 100, 36);

COLORREF PaletteColor(int index)
{
    return CKvoColorManager::Instance()->GetColor(index);
}

// The mixing rule of the colour manager, written out here: the weight
// belongs to the first colour, rounded to the nearest integer.
COLORREF Mix(COLORREF first, COLORREF second, int weight)
{
    auto channel = [&](int shift) {
        int a = (first >> shift) & 0xFF;
        int b = (second >> shift) & 0xFF;
        return (a * weight + b * (100 - weight) + 50) / 100;
    };
    return RGB(channel(0), channel(8), channel(16));
}

// The ultra-flat fills, from the button face and the system colours.
enum SpecialColor
{
    kHotFill = -1,
    kPressedFill = -2,
    kCheckedFill = -3,
    // Parts of the Office 2007 push-button picture of the diagnostic theme,
    // which paints each state cell's middle and edges in colours of their
    // own, so a pixel tells which cell was drawn. Coded
    // kPictureCell - (cell * 3 + part).
    kPictureCell = -10,
};

constexpr int PictureMiddle(int cell)
{
    return kPictureCell - cell * 3;
}

constexpr int PictureEdge(int cell)
{
    return kPictureCell - (cell * 3 + 1);
}

COLORREF ExpectedColor(int code)
{
    COLORREF face = PaletteColor(COLOR_BTNFACE);
    COLORREF hot = Mix(face, PaletteColor(COLOR_WINDOW), 30);
    switch (code)
    {
    case kHotFill:
        return hot;
    case kPressedFill:
        return Mix(PaletteColor(COLOR_BTNSHADOW), face, 50);
    case kCheckedFill:
    {
        COLORREF menu = PaletteColor(30);
        COLORREF window = PaletteColor(COLOR_WINDOW);
        auto channel = [&](int shift) {
            return ((hot >> shift) & 0xFF) * 10 / 100 + ((menu >> shift) & 0xFF) * 50 / 100 +
                   ((window >> shift) & 0xFF) * 40 / 100;
        };
        return RGB(channel(0), channel(8), channel(16));
    }
    default:
        if (code <= kPictureCell)
            return Office2007BlackPartColour((kPictureCell - code) / 3, (kPictureCell - code) % 3);
        return PaletteColor(code);
    }
}

// What a theme draws: the colour of the top edge's middle pixel and of the
// face beside the caption, per state (palette indices or SpecialColor).
struct ThemeLook
{
    int themeId;
    const char* name;
    int focusInset;
    bool shiftsPressedCaption;
    int border[kStateCount];
    int face[kStateCount];
};

// Wine's prefix has a visual style, so the default theme (id 0) draws the
// push button with it: its face and frame are the visual style's, and only
// the caption is checked here (the states it asks the visual style for are
// tested in KvoButtonVisualStyleTest). An unknown id (9) is the default
// theme in its classic look. Office 2003 without a Luna scheme draws as
// Office XP. Office 2007 draws the shared set's push-button picture, here
// the diagnostic theme's: cells normal, hot, pushed, disabled (its fallback
// is tested through a stand-in picture source below).
const int kLookNotChecked = -100;
const ThemeLook kThemeLooks[] = {
    {0, "Default", 4, true, {kLookNotChecked}, {kLookNotChecked}},
    {9, "DefaultClassic", 4, true, {20, 20, 21, 21, 20, 20}, {15, 15, 15, 15, 15, 15}},
    {1, "Flat", 4, true, {6, 6, 6, 6, 6, 6}, {15, 15, 15, 15, 15, 15}},
    {2, "UltraFlat", 3, true, {16, 16, 16, 16, 16, 16}, {15, kHotFill, kPressedFill, kCheckedFill, 15, 15}},
    {3, "Office2000", 2, true, {20, 20, 16, 16, 20, 20}, {15, 15, 15, 15, 15, 15}},
    {4, "OfficeXP", 2, false, {16, 32, 32, 32, 16, 16}, {30, 31, 33, 36, 30, 30}},
    {5, "Office2003", 2, false, {16, 32, 32, 32, 16, 16}, {30, 31, 33, 36, 30, 30}},
    {6,
     "Office2007",
     2,
     true,
     {PictureEdge(0), PictureEdge(1), PictureEdge(2), PictureEdge(2), PictureEdge(3), PictureEdge(0)},
     {PictureMiddle(0), PictureMiddle(1), PictureMiddle(2), PictureMiddle(2), PictureMiddle(3), PictureMiddle(0)}},
};

class KvoButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ParkMouse();
        ASSERT_TRUE(CreateTestPopup(m_parent, true, 40, 40, 460, 340));
    }
    void TearDown() override
    {
        m_parent.DestroyWindow();
    }
    void CreateButton(CKvoButton& button, LPCTSTR caption, DWORD style, const CRect& rect = kButtonRect,
                      UINT id = kButtonId)
    {
        ASSERT_TRUE(button.Create(caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, rect, &m_parent, id));
    }

    CButtonTestParent m_parent;
};

class KvoButtonThemeLookTest : public KvoButtonTest, public ::testing::WithParamInterface<ThemeLook>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_diagnosticTheme.IsInstalled());
        KvoButtonTest::SetUp();
    }

    Office2007DiagnosticThemeScope m_diagnosticTheme;
};

// The caption area: the client without its frames and focus rectangle.
CRect CaptionArea(const CKvoButton& button)
{
    CRect rect;
    button.GetClientRect(&rect);
    rect.DeflateRect(7, 6);
    return rect;
}
} // namespace

TEST_P(KvoButtonThemeLookTest, EachStateDrawsBorderFaceAndCaption)
{
    const ThemeLook& look = GetParam();
    int normalCaptionColumn = -1;
    for (int state = kNormal; state < kStateCount; state++)
    {
        SCOPED_TRACE(kButtonStateNames[state]);
        ParkMouse();
        CKvoButton button;
        CreateButton(button, L"Btn", BS_PUSHBUTTON);
        button.SetTheme(look.themeId);
        ASSERT_EQ(button.GetTheme()->UsesVisualStyles(&button) != FALSE, look.themeId == 0);
        ApplyButtonState(button, static_cast<ButtonTestState>(state));
        CWindowPicture picture = PaintAndRead(button);
        CRect client;
        button.GetClientRect(&client);

        if (look.border[0] != kLookNotChecked)
        {
            EXPECT_EQ(picture.Pixel(client.Width() / 2, 0), ExpectedColor(look.border[state]));
            EXPECT_EQ(picture.Pixel(6, client.Height() / 2), ExpectedColor(look.face[state]));
        }

        COLORREF caption = state == kDisabled ? button.GetTheme()->GetDisabledTextColor() : button.GetTextColor();
        int captionColumn = FirstColumnWith(picture, CaptionArea(button), caption);
        EXPECT_GE(captionColumn, 0) << "the caption is drawn in its colour";
        if (state == kDisabled)
        {
            EXPECT_EQ(CountPixels(picture, CaptionArea(button), button.GetTextColor()), 0);
        }
        if (state == kNormal)
            normalCaptionColumn = captionColumn;
        if (state == kPushed)
        {
            EXPECT_EQ(captionColumn, normalCaptionColumn + (look.shiftsPressedCaption ? 1 : 0));
        }
    }
}

// The focus rectangle lies at the theme's inset and nowhere outside it.
TEST_P(KvoButtonThemeLookTest, FocusRectangleAtTheThemesInset)
{
    const ThemeLook& look = GetParam();
    CKvoButton button;
    CreateButton(button, L"Btn", BS_PUSHBUTTON);
    button.SetTheme(look.themeId);
    CWindowPicture before = PaintAndRead(button);
    button.SetFocus();
    ASSERT_EQ(::GetFocus(), button.m_hWnd);
    CWindowPicture after = PaintAndRead(button);
    CRect client;
    button.GetClientRect(&client);
    int changedOnInset = 0, changedOutside = 0;
    for (int y = look.focusInset + 2; y < client.bottom - look.focusInset - 2; y++)
    {
        changedOnInset += before.Pixel(look.focusInset, y) != after.Pixel(look.focusInset, y);
        changedOutside += before.Pixel(look.focusInset - 1, y) != after.Pixel(look.focusInset - 1, y);
    }
    EXPECT_GT(changedOnInset, 0);
    EXPECT_EQ(changedOutside, 0);
}

INSTANTIATE_TEST_SUITE_P(Themes, KvoButtonThemeLookTest, ::testing::ValuesIn(kThemeLooks),
                         [](const ::testing::TestParamInfo<ThemeLook>& info) { return std::string(info.param.name); });

TEST_F(KvoButtonTest, ClickReachesTheParentByMouseAndByKeyboard)
{
    CKvoButton button;
    CreateButton(button, L"Go", BS_PUSHBUTTON);
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(button.IsPushed());
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(button.IsPushed());
    EXPECT_TRUE(m_parent.Received(kButtonId, BN_CLICKED));

    m_parent.m_commands.clear();
    button.SetFocus();
    button.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    button.SendMessage(WM_KEYUP, VK_SPACE, 0);
    EXPECT_TRUE(m_parent.Received(kButtonId, BN_CLICKED));
}

// The system's click checks an automatic check box; the theme draws the
// tick of the new state, and a second click takes it away.
TEST_F(KvoButtonTest, AutoCheckBoxTogglesAndDrawsItsTick)
{
    CKvoButton box;
    CreateButton(box, L"Check", BS_AUTOCHECKBOX, CRect(10, 10, 120, 30));
    box.SetTheme(KvoButtonThemeUltraFlat);
    // A 13-pixel mark at the left, centred in the 20-pixel height.
    const CRect mark(0, 3, 13, 16);
    COLORREF tick = PaletteColor(COLOR_BTNTEXT);
    EXPECT_EQ(CountPixels(PaintAndRead(box), mark, tick), 0);

    for (int expected : {1, 0})
    {
        box.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        box.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        EXPECT_EQ(box.GetChecked(), expected);
        ParkMouse();
        box.SendMessage(WM_MOUSELEAVE);
        CWindowPicture picture = PaintAndRead(box);
        EXPECT_EQ(CountPixels(picture, mark, tick) > 0, expected == 1);
        // Unchecked, the mark is a frame in the shadow colour around the window colour.
        EXPECT_EQ(picture.Pixel(mark.left, mark.top + 6), PaletteColor(COLOR_BTNSHADOW));
    }
    EXPECT_EQ(m_parent.m_commands.size(), 2u);
}

// A push-like check box keeps its check in the window, so the user's click
// shows as the checked face.
TEST_F(KvoButtonTest, PushLikeCheckBoxShowsTheCheckItsClickSets)
{
    CKvoButton toggle;
    CreateButton(toggle, L"Tog", BS_AUTOCHECKBOX | BS_PUSHLIKE);
    toggle.SetTheme(KvoButtonThemeOfficeXP);
    toggle.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    toggle.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ParkMouse();
    toggle.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(toggle.GetChecked(), BST_CHECKED);
    EXPECT_EQ(PaintAndRead(toggle).Pixel(6, 13), PaletteColor(36));
}

// An ultra-flat radio mark is a 13-pixel disc with a 5-pixel dot at (4, 4).
TEST_F(KvoButtonTest, UltraFlatRadioDot)
{
    CKvoButton radio;
    CreateButton(radio, L"Radio", BS_AUTORADIOBUTTON, CRect(10, 10, 120, 23));
    radio.SetTheme(KvoButtonThemeUltraFlat);
    CWindowPicture unchecked = PaintAndRead(radio);
    EXPECT_EQ(unchecked.Pixel(6, 6), PaletteColor(COLOR_WINDOW));
    radio.SetCheck(BST_CHECKED);
    CWindowPicture checked = PaintAndRead(radio);
    COLORREF dot = PaletteColor(COLOR_BTNTEXT);
    for (POINT inner : {POINT{6, 6}, POINT{5, 6}, POINT{7, 6}, POINT{6, 5}, POINT{6, 7}})
        EXPECT_EQ(checked.Pixel(inner.x, inner.y), dot);
    // The dot's radius is 1.75: the pixel 2 away from its centre keeps a
    // quarter of the window colour under it; 3 away is outside.
    COLORREF window = PaletteColor(COLOR_WINDOW);
    auto quarter = [&](int shift) {
        int d = (dot >> shift) & 0xFF, w = (window >> shift) & 0xFF;
        return static_cast<int>(d + (w - d) * 0.25) & 0xFF;
    };
    EXPECT_EQ(checked.Pixel(6, 4), RGB(quarter(0), quarter(8), quarter(16)));
    EXPECT_EQ(checked.Pixel(6, 3), window);
    EXPECT_EQ(checked.Pixel(9, 6), window);
}

TEST_F(KvoButtonTest, SplitArrowDropsDownInsteadOfClicking)
{
    CKvoButton split;
    CreateButton(split, L"Split", BS_PUSHBUTTON);
    split.SetPushButtonStyle(KvoPushButtonSplit);
    int arrowX = kButtonRect.Width() - split.GetBorderGap() - 8;
    split.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(arrowX, 10));
    split.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(arrowX, 10));
    EXPECT_TRUE(m_parent.Received(kButtonId, KVO_BN_DROPDOWN));
    EXPECT_FALSE(m_parent.Received(kButtonId, BN_CLICKED));
    EXPECT_FALSE(split.IsPushed());

    m_parent.m_commands.clear();
    split.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    split.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_TRUE(m_parent.Received(kButtonId, BN_CLICKED));
    EXPECT_FALSE(m_parent.Received(kButtonId, KVO_BN_DROPDOWN));
}

TEST_F(KvoButtonTest, DropDownButtonDropsDownOnSpace)
{
    CKvoButton menu;
    CreateButton(menu, L"Menu", BS_PUSHBUTTON);
    menu.SetPushButtonStyle(KvoPushButtonDropDown);
    menu.SetFocus();
    menu.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    menu.SendMessage(WM_CHAR, VK_SPACE, 0);
    EXPECT_TRUE(m_parent.Received(kButtonId, KVO_BN_DROPDOWN));
    EXPECT_FALSE(menu.IsPushed());
}

// A flat button that is neither hot nor pressed shows the parent's brush.
TEST_F(KvoButtonTest, ParentBrushShowsUnderAFlatButton)
{
    CBrush green;
    green.CreateSolidBrush(RGB(0, 128, 0));
    m_parent.m_hCtlColorBrush = static_cast<HBRUSH>(green.GetSafeHandle());
    CKvoButton button;
    CreateButton(button, L"Flat", BS_PUSHBUTTON);
    button.SetFlatStyle(TRUE);
    CWindowPicture picture = PaintAndRead(button);
    EXPECT_EQ(picture.Pixel(0, 0), RGB(0, 128, 0));
    EXPECT_EQ(picture.Pixel(6, 13), RGB(0, 128, 0));
    m_parent.m_hCtlColorBrush = NULL;
}

// Image left of the caption, both centred as one block with the 3-pixel
// gap between them; disabled, the icon turns grey.
TEST_F(KvoButtonTest, IconBesideCaptionIsCentredWithItAndGreysWhenDisabled)
{
    HICON red = CreateSolidIcon(16, RGB(255, 0, 0));
    CKvoButton button;
    CreateButton(button, L"Go", BS_PUSHBUTTON, CRect(10, 10, 130, 40));
    ASSERT_TRUE(button.SetIcon(16, 16, red, NULL, TRUE));
    EXPECT_EQ(button.GetImageSize(), CSize(16, 16));

    CClientDC dc(&button);
    CRect textRect, imageRect;
    button.GetTheme()->CalcPushButtonLayout(&dc, &button, &textRect, NULL, &imageRect);
    EXPECT_EQ(textRect.left, imageRect.left + 16 + 3);
    CRect area;
    button.GetClientRect(&area);
    area.DeflateRect(button.GetBorderGap(), button.GetBorderGap());
    EXPECT_LE(std::abs((imageRect.left - area.left) - (area.right - textRect.right)), 1);

    CWindowPicture picture = PaintAndRead(button);
    CRect client;
    button.GetClientRect(&client);
    EXPECT_EQ(FirstColumnWith(picture, client, RGB(255, 0, 0)), imageRect.left);
    EXPECT_EQ(FirstRowWith(picture, client, RGB(255, 0, 0)), imageRect.top);
    EXPECT_EQ(CountPixels(picture, client, RGB(255, 0, 0)), 16 * 16);

    button.EnableWindow(FALSE);
    CWindowPicture disabled = PaintAndRead(button);
    EXPECT_EQ(CountPixels(disabled, client, RGB(255, 0, 0)), 0);
    COLORREF grey = disabled.Pixel(imageRect.left + 8, imageRect.top + 8);
    EXPECT_TRUE(IsGrey(grey)) << std::hex << grey;
    ::DestroyIcon(red);
}

// Id 0 allows the visual styles; any other unknown id is the default theme
// in its classic look.
TEST_F(KvoButtonTest, ThemeIdsChooseTheLookAndTheVisualStyles)
{
    CKvoButton button;
    CreateButton(button, L"Btn", BS_PUSHBUTTON);
    const struct
    {
        int id;
        CRuntimeClass* themeClass;
        BOOL visualStyles;
    } cases[] = {
        {0, RUNTIME_CLASS(CKvoButtonTheme), TRUE},
        {1, RUNTIME_CLASS(CKvoButtonFlatTheme), FALSE},
        {2, RUNTIME_CLASS(CKvoButtonUltraFlatTheme), FALSE},
        {3, RUNTIME_CLASS(CKvoButtonOffice2000Theme), FALSE},
        {4, RUNTIME_CLASS(CKvoButtonOfficeXPTheme), FALSE},
        {5, RUNTIME_CLASS(CKvoButtonOffice2003Theme), FALSE},
        {6, RUNTIME_CLASS(CKvoButtonOffice2007Theme), FALSE},
        {9, RUNTIME_CLASS(CKvoButtonTheme), FALSE},
    };
    for (const auto& c : cases)
    {
        button.SetTheme(c.id);
        EXPECT_EQ(button.GetTheme()->GetRuntimeClass(), c.themeClass) << c.id;
        EXPECT_EQ(button.IsVisualStylesAllowed(), c.visualStyles) << c.id;
    }
}

// A strip per theme of push buttons in each state, a checked check box and
// a checked radio button, saved for a person to look at.
TEST_F(KvoButtonTest, StripOfEachThemeInEveryState)
{
    const int columnWidth = 76, height = 30;
    for (const ThemeLook& look : kThemeLooks)
    {
        CButtonTestParent strip;
        ASSERT_TRUE(CreateTestPopup(strip, true, 20, 20, 8 + 8 * columnWidth, height + 8));
        std::vector<std::unique_ptr<CKvoButton>> buttons;
        for (int column = 0; column < 8; column++)
        {
            CRect rect(4 + column * columnWidth, 4, 0, 4 + height);
            rect.right = rect.left + columnWidth - 4;
            DWORD style = column == 6 ? BS_AUTOCHECKBOX : column == 7 ? BS_AUTORADIOBUTTON : BS_PUSHBUTTON;
            CString caption = column < kStateCount ? CString(kButtonStateNames[column]) : CString(look.name);
            buttons.push_back(std::make_unique<CKvoButton>());
            ASSERT_TRUE(buttons.back()->Create(caption, WS_CHILD | WS_VISIBLE | style, rect, &strip, 200 + column));
            buttons.back()->SetTheme(look.themeId);
            if (column >= kStateCount)
                buttons.back()->SetCheck(BST_CHECKED);
        }
        for (int state = kNormal; state < kStateCount; state++)
            ApplyButtonState(*buttons[state], static_cast<ButtonTestState>(state));
        CWindowPicture picture = PaintAndRead(strip);
        std::wstring name(look.name, look.name + strlen(look.name));
        EXPECT_TRUE(picture.SavePng(TestOutputFolder() + L"\\KvoButton-" + name + L".png"));
        buttons.clear();
        strip.DestroyWindow();
        ParkMouse();
    }
}

namespace
{
// An Office 2007 theme with a stand-in picture source: it records which
// picture and state it was asked for, and has pictures only when told so.
class CRecordingOffice2007Theme : public CKvoButtonOffice2007Theme
{
public:
    bool m_bHasPictures = false;
    COLORREF m_clrGroupBoxFrame = CLR_NONE;
    CString m_strLastImage;
    int m_nLastState = -1;
    int m_nLastStates = 0;

protected:
    BOOL DrawThemeImage(CDC*, LPCTSTR lpszImage, int nState, int nStates, const CRect&, const CRect&,
                        COLORREF) override
    {
        m_strLastImage = lpszImage;
        m_nLastState = nState;
        m_nLastStates = nStates;
        return m_bHasPictures;
    }
    COLORREF GetThemeImageColor(LPCTSTR, LPCTSTR) override
    {
        return m_clrGroupBoxFrame;
    }
};
} // namespace

// The push-button picture has five states stacked: normal, hot, pushed,
// disabled, default. Without pictures the default look is drawn instead.
TEST_F(KvoButtonTest, Office2007AsksForThePictureStateAndFallsBackWithoutIt)
{
    CKvoButton button;
    CreateButton(button, L"Btn", BS_PUSHBUTTON);
    CRecordingOffice2007Theme* theme = new CRecordingOffice2007Theme();
    theme->m_bHasPictures = true;
    button.SetTheme(theme, FALSE);
    const struct
    {
        ButtonTestState state;
        int pictureState;
    } cases[] = {{kNormal, 0}, {kHot, 1}, {kPushed, 2}, {kChecked, 2}, {kDisabled, 3}};
    for (const auto& c : cases)
    {
        ParkMouse();
        button.SendMessage(WM_MOUSELEAVE);
        button.SendMessage(BM_SETSTATE, FALSE);
        button.SetChecked(0);
        button.EnableWindow(TRUE);
        ApplyButtonState(button, c.state);
        PaintAndRead(button);
        EXPECT_EQ(theme->m_strLastImage, CString(L"PUSHBUTTON")) << kButtonStateNames[c.state];
        EXPECT_EQ(theme->m_nLastState, c.pictureState) << kButtonStateNames[c.state];
        EXPECT_EQ(theme->m_nLastStates, 5);
    }
    button.EnableWindow(TRUE);
    button.SendMessage(BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    PaintAndRead(button);
    EXPECT_EQ(theme->m_nLastState, 4);

    // With the picture missing, the classic frame: highlight on top.
    theme->m_bHasPictures = false;
    ParkMouse();
    button.SendMessage(WM_MOUSELEAVE);
    button.SendMessage(BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_EQ(PaintAndRead(button).Pixel(kButtonRect.Width() / 2, 0), PaletteColor(COLOR_BTNHIGHLIGHT));
}

// The group-box frame colour of the theme text becomes the shadow colour;
// without theme text the ultra-flat shadow stays.
TEST_F(KvoButtonTest, Office2007ShadowFromTheThemeText)
{
    CKvoButton button;
    CreateButton(button, L"Btn", BS_PUSHBUTTON);

    CRecordingOffice2007Theme* theme = new CRecordingOffice2007Theme();
    button.SetTheme(theme, FALSE);
    EXPECT_EQ(theme->GetShadowColor(), PaletteColor(COLOR_BTNSHADOW));
    theme->m_clrGroupBoxFrame = RGB(70, 70, 70);
    theme->RefreshMetrics(&button);
    EXPECT_EQ(theme->GetShadowColor(), RGB(70, 70, 70));

    // The real theme reads the library's own theme text.
    button.SetTheme(KvoButtonThemeOffice2007);
    COLORREF groupBoxFrame = CLR_NONE;
    for (const Office2007BlackColour& colour : kOffice2007BlackColours)
        if (CString(colour.section) == L"Controls" && CString(colour.key) == L"GroupBoxFrame")
            groupBoxFrame = RGB(colour.red, colour.green, colour.blue);
    EXPECT_EQ(button.GetTheme()->GetShadowColor(), groupBoxFrame);
}

// Under Luna blue an Office 2003 button is filled with the hot gradient and
// framed in dark blue while the mouse is over it.
TEST_F(KvoButtonTest, Office2003UnderLunaBlue)
{
    CKvoColorManager* colors = CKvoColorManager::Instance();
    colors->SetCurrentSystemTheme(KvoSystemThemeBlue);
    {
        CKvoButton button;
        CreateButton(button, L"Btn", BS_PUSHBUTTON);
        button.SetTheme(KvoButtonThemeOffice2003);
        ASSERT_TRUE(static_cast<CKvoButtonOffice2003Theme*>(button.GetTheme())->IsLunaTheme());
        CWindowPicture rest = PaintAndRead(button);
        EXPECT_EQ(rest.Pixel(kButtonRect.Width() / 2, 0), static_cast<COLORREF>(0xB99D7F));
        EXPECT_EQ(rest.Pixel(6, kButtonRect.Height() / 2), static_cast<COLORREF>(0xF0C7A9));
        ApplyButtonState(button, kHot);
        CWindowPicture hot = PaintAndRead(button);
        EXPECT_EQ(hot.Pixel(kButtonRect.Width() / 2, 0), static_cast<COLORREF>(0x800000));
        const CKvoPaintManagerColorGradient& gradient = colors->GetGradient(9);
        COLORREF top = hot.Pixel(6, 1), bottom = hot.Pixel(6, kButtonRect.Height() - 2);
        EXPECT_NE(top, bottom);
        for (COLORREF face : {top, bottom})
            for (int shift : {0, 8, 16})
            {
                int v = (face >> shift) & 0xFF, a = (gradient.GetLightColor() >> shift) & 0xFF,
                    b = (gradient.GetDarkColor() >> shift) & 0xFF;
                EXPECT_TRUE(v >= std::min(a, b) && v <= std::max(a, b)) << std::hex << face;
            }
    }
    colors->SetCurrentSystemTheme(KvoSystemThemeAuto);
    CKvoColorManager::RefreshColorsStatic();
}

// Mode 2 draws no group-box frame, only the caption.
TEST_F(KvoButtonTest, GroupBoxFrameAndCaptionOnlyMode)
{
    CKvoButton group;
    CreateButton(group, L"Group", BS_GROUPBOX, CRect(10, 10, 150, 90));
    group.SetTheme(KvoButtonThemeUltraFlat);
    COLORREF shadow = PaletteColor(COLOR_BTNSHADOW);
    CWindowPicture framed = PaintAndRead(group);
    EXPECT_EQ(framed.Pixel(0, 50), shadow);
    EXPECT_EQ(framed.Pixel(139, 50), shadow);
    EXPECT_EQ(framed.Pixel(70, 79), shadow);
    EXPECT_GT(CountPixels(framed, CRect(8, 0, 80, 20), PaletteColor(COLOR_BTNTEXT)), 0);

    group.SetGroupBoxMode(2);
    ::RedrawWindow(m_parent.m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    CWindowPicture captionOnly(group.m_hWnd);
    EXPECT_NE(captionOnly.Pixel(0, 50), shadow);
    EXPECT_NE(captionOnly.Pixel(70, 79), shadow);
    EXPECT_GT(CountPixels(captionOnly, CRect(8, 0, 80, 20), PaletteColor(COLOR_BTNTEXT)), 0);
}
