// CKvButton, the icon button, as a real child window: its three themes in
// each state read back from the screen, clicks, the icon's place and its
// disabled image, and the family's theme switched through the theme manager.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "ButtonTestSupport.h"
#include "foundation/base/KvoColorManager.h"
#include "foundation/controls/KvButton.h"
#include "foundation/controls/KvButtonTheme.h"

namespace
{
const UINT kIconButtonId = 300;
const CRect kIconButtonRect(10, 10, 110, 38);

COLORREF Palette(int index)
{
    return CKvoColorManager::Instance()->GetColor(index);
}

// A face code from kGradient on names the colour manager's gradient
// (code - kGradient) instead of a palette colour.
const int kGradient = 100;

// The top-left pixel (frame or face) and the face beside the caption, per
// state, as palette indices; the caption's colour per state.
struct IconThemeLook
{
    int themeId;
    const char* name;
    int corner[kStateCount];
    int face[kStateCount];
    int caption[kStateCount];
};

// The default theme is flat by the button's default style: a frame only
// while hot or pressed. Without a Luna scheme (Wine) Office 2003 has the
// Office XP face at rest; its hot, pressed and checked faces are gradients.
const IconThemeLook kIconThemeLooks[] = {
    {KvButtonThemeDefault, "Default", {15, 20, 16, 16, 15, 15}, {15, 15, 15, 15, 15, 15}, {18, 18, 18, 18, 17, 18}},
    {KvButtonThemeOfficeXP, "OfficeXP", {15, 32, 32, 32, 15, 15}, {15, 31, 33, 36, 15, 15}, {46, 45, 47, 46, 17, 46}},
    {KvButtonThemeOffice2003,
     "Office2003",
     {15, 32, 32, 32, 15, 15},
     {15, kGradient + 9, kGradient + 8, kGradient + 7, 15, 15},
     {46, 0, 0, 46, 17, 46}},
};

class KvButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ParkMouse();
        ASSERT_TRUE(CreateTestPopup(m_parent, true, 40, 40, 460, 300));
    }
    void TearDown() override
    {
        m_parent.DestroyWindow();
    }
    void CreateButton(CKvButton& button, LPCTSTR caption, DWORD style = BS_PUSHBUTTON,
                      const CRect& rect = kIconButtonRect, UINT id = kIconButtonId)
    {
        ASSERT_TRUE(button.Create(caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, rect, &m_parent, id));
    }

    CButtonTestParent m_parent;
};

class KvButtonThemeLookTest : public KvButtonTest, public ::testing::WithParamInterface<IconThemeLook>
{
};

// A private theme of the look's id, made by the family's factory.
void GiveTheme(CKvButton& button, int themeId)
{
    CKvButtonThemeFactory factory;
    button.SetTheme(factory.CreateTheme(themeId));
}

bool IsBetween(COLORREF value, COLORREF a, COLORREF b)
{
    for (int shift : {0, 8, 16})
    {
        int v = (value >> shift) & 0xFF, lo = (a >> shift) & 0xFF, hi = (b >> shift) & 0xFF;
        if (v < std::min(lo, hi) || v > std::max(lo, hi))
            return false;
    }
    return true;
}
} // namespace

TEST_P(KvButtonThemeLookTest, EachStateDrawsFrameFaceAndCaption)
{
    const IconThemeLook& look = GetParam();
    for (int state = kNormal; state < kStateCount; state++)
    {
        SCOPED_TRACE(kButtonStateNames[state]);
        ParkMouse();
        CKvButton button;
        CreateButton(button, L"Btn");
        GiveTheme(button, look.themeId);
        ASSERT_EQ(button.GetButtonTheme()->GetThemeID(), look.themeId);
        ApplyButtonState(button, static_cast<ButtonTestState>(state));
        CWindowPicture picture = PaintAndRead(button);
        CRect client;
        button.GetClientRect(&client);

        EXPECT_EQ(picture.Pixel(0, 0), Palette(look.corner[state]));
        COLORREF face = picture.Pixel(8, client.Height() / 2);
        if (look.face[state] < kGradient)
        {
            EXPECT_EQ(face, Palette(look.face[state]));
        }
        else
        {
            const CKvoPaintManagerColorGradient& gradient =
                CKvoColorManager::Instance()->GetGradient(look.face[state] - kGradient);
            EXPECT_TRUE(IsBetween(face, gradient.GetLightColor(), gradient.GetDarkColor())) << std::hex << face;
        }

        CRect captionArea = client;
        captionArea.DeflateRect(10, 5);
        EXPECT_GT(CountPixels(picture, captionArea, Palette(look.caption[state])), 0);
    }
}

// With the focus style the focus rectangle is drawn 2 pixels inside a
// flat button.
TEST_P(KvButtonThemeLookTest, FocusRectangleInsideAFlatButton)
{
    const IconThemeLook& look = GetParam();
    CKvButton button;
    CreateButton(button, L"Btn");
    GiveTheme(button, look.themeId);
    CWindowPicture before = PaintAndRead(button);
    button.SetFocus();
    CWindowPicture after = PaintAndRead(button);
    int changedOnInset = 0, changedOutside = 0;
    for (int y = 4; y < kIconButtonRect.Height() - 4; y++)
    {
        changedOnInset += before.Pixel(2, y) != after.Pixel(2, y);
        changedOutside += before.Pixel(1, y) != after.Pixel(1, y);
    }
    EXPECT_GT(changedOnInset, 0);
    EXPECT_EQ(changedOutside, 0);
}

INSTANTIATE_TEST_SUITE_P(Themes, KvButtonThemeLookTest, ::testing::ValuesIn(kIconThemeLooks),
                         [](const ::testing::TestParamInfo<IconThemeLook>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(KvButtonTest, ClickReachesTheParentByMouseAndByKeyboard)
{
    CKvButton button;
    CreateButton(button, L"Go");
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(button.IsPushed());
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(m_parent.Received(kIconButtonId, BN_CLICKED));

    m_parent.m_commands.clear();
    button.SetFocus();
    button.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    button.SendMessage(WM_KEYUP, VK_SPACE, 0);
    EXPECT_TRUE(m_parent.Received(kIconButtonId, BN_CLICKED));
}

// Beside the caption the icon stands at the border gap, centred in height;
// pressed it moves one pixel; disabled it is the grey image.
TEST_F(KvButtonTest, IconBesideTheCaptionAndItsDisabledImage)
{
    HICON red = CreateSolidIcon(16, RGB(255, 0, 0));
    CKvButton button;
    CreateButton(button, L"Go");
    ASSERT_TRUE(button.SetIcon(CSize(16, 16), red, NULL));
    CRect client;
    button.GetClientRect(&client);
    int top = (client.Height() - 16) / 2;

    CWindowPicture picture = PaintAndRead(button);
    EXPECT_EQ(FirstColumnWith(picture, client, RGB(255, 0, 0)), 4);
    EXPECT_EQ(FirstRowWith(picture, client, RGB(255, 0, 0)), top);
    EXPECT_EQ(CountPixels(picture, client, RGB(255, 0, 0)), 16 * 16);

    button.SendMessage(BM_SETSTATE, TRUE);
    CWindowPicture pushed = PaintAndRead(button);
    EXPECT_EQ(FirstColumnWith(pushed, client, RGB(255, 0, 0)), 5);
    EXPECT_EQ(FirstRowWith(pushed, client, RGB(255, 0, 0)), top + 1);
    button.SendMessage(BM_SETSTATE, FALSE);

    button.EnableWindow(FALSE);
    CWindowPicture disabled = PaintAndRead(button);
    EXPECT_EQ(CountPixels(disabled, client, RGB(255, 0, 0)), 0);
    COLORREF grey = disabled.Pixel(4 + 8, top + 8);
    EXPECT_TRUE(IsGrey(grey) && grey != Palette(COLOR_BTNFACE)) << std::hex << grey;
    ::DestroyIcon(red);
}

// Above the caption: centred across, lifted by half the caption and half the
// image gap from the middle.
TEST_F(KvButtonTest, IconAboveTheCaption)
{
    HICON red = CreateSolidIcon(16, RGB(255, 0, 0));
    CKvButton button;
    CreateButton(button, L"Go", BS_PUSHBUTTON, CRect(10, 10, 90, 70));
    button.SetXButtonStyle(button.GetXButtonStyle() | KvButtonStyle::ImageAboveText);
    ASSERT_TRUE(button.SetIcon(CSize(16, 16), red, NULL));
    CClientDC dc(&button);
    CFont* pOld = dc.SelectObject(button.CButton::GetFont());
    CSize caption = dc.GetTextExtent(L"Go", 2);
    dc.SelectObject(pOld);

    CRect client;
    button.GetClientRect(&client);
    CWindowPicture picture = PaintAndRead(button);
    EXPECT_EQ(FirstColumnWith(picture, client, RGB(255, 0, 0)), (80 - 16) / 2);
    EXPECT_EQ(FirstRowWith(picture, client, RGB(255, 0, 0)), (60 - 16) / 2 - (caption.cy / 2 + 8 / 2));
    ::DestroyIcon(red);
}

// Switching the theme of the family repaints every button of the family;
// a button with a theme of its own keeps it.
TEST_F(KvButtonTest, FamilyThemeSwitchRepaintsEveryButtonOfTheFamily)
{
    CKvButton first, second, own;
    CreateButton(first, L"One", BS_PUSHBUTTON, CRect(10, 10, 90, 36), 301);
    CreateButton(second, L"Two", BS_PUSHBUTTON, CRect(100, 10, 180, 36), 302);
    CreateButton(own, L"Own", BS_PUSHBUTTON, CRect(190, 10, 270, 36), 303);
    GiveTheme(own, KvButtonThemeDefault);
    for (CKvButton* button : {&first, &second, &own})
        button->SetChecked(TRUE);
    CWindowPicture before = PaintAndRead(m_parent);

    CKvThemeManagerStyleFactory* family = CKvThemeManager::Instance()->GetFactory(RUNTIME_CLASS(CKvButtonThemeFactory));
    ASSERT_NE(family, nullptr);
    family->SetTheme(family->CreateTheme(KvButtonThemeOfficeXP));
    // The buttons only invalidate; the repaint comes with the messages.
    ASSERT_TRUE(PumpUntil([&] { return !::GetUpdateRect(first.m_hWnd, NULL, FALSE) &&
                                       !::GetUpdateRect(second.m_hWnd, NULL, FALSE); }));
    CWindowPicture after(m_parent.m_hWnd);
    COLORREF checkedFace = Palette(36);
    EXPECT_EQ(after.Pixel(10 + 8, 10 + 13), checkedFace);
    EXPECT_EQ(after.Pixel(100 + 8, 10 + 13), checkedFace);
    EXPECT_NE(before.Pixel(10 + 8, 10 + 13), checkedFace);
    EXPECT_EQ(after.Pixel(190 + 8, 10 + 13), before.Pixel(190 + 8, 10 + 13));

    family->SetTheme(family->CreateTheme(KvButtonThemeDefault));
}

// The Office XP look that the button style installs takes the XP colours:
// a pushed button shows the pressed face inside the border colour.
TEST_F(KvButtonTest, XPColorsReachTheThemeTheStyleInstalled)
{
    CKvButton button;
    CreateButton(button, L"XP");
    button.SetXButtonStyle(KvButtonStyle::OfficeXP);
    ASSERT_EQ(button.GetButtonTheme()->GetThemeID(), KvButtonThemeOfficeXP);
    const COLORREF border = RGB(200, 0, 0), hotFace = RGB(0, 200, 0), pressedFace = RGB(0, 0, 200);
    button.SetXPColors(border, hotFace, pressedFace);
    button.SendMessage(BM_SETSTATE, TRUE);
    CWindowPicture pushed = PaintAndRead(button);
    CRect client;
    button.GetClientRect(&client);
    EXPECT_EQ(pushed.Pixel(0, 0), border);
    EXPECT_EQ(pushed.Pixel(client.right - 1, client.bottom - 1), border);
    EXPECT_EQ(pushed.Pixel(8, client.Height() / 2), pressedFace);
    button.SendMessage(BM_SETSTATE, FALSE);
}

TEST_F(KvButtonTest, DitheredFaceWhileCheckedAndTheCursorIsOutside)
{
    CKvButton button;
    CreateButton(button, L"Dit");
    button.SetXButtonStyle(KvButtonStyle::DitherPressed);
    button.SetChecked(TRUE);
    CWindowPicture picture = PaintAndRead(button);
    COLORREF a = picture.Pixel(8, 8), b = picture.Pixel(9, 8);
    EXPECT_NE(a, b);
    EXPECT_TRUE((a == Palette(COLOR_BTNFACE) && b == Palette(COLOR_BTNHIGHLIGHT)) ||
                (b == Palette(COLOR_BTNFACE) && a == Palette(COLOR_BTNHIGHLIGHT)));
    EXPECT_EQ(picture.Pixel(9, 9), a);
}

// A strip per theme of the icon button in each state, saved for a person
// to look at.
TEST_F(KvButtonTest, StripOfEachThemeInEveryState)
{
    HICON green = CreateSolidIcon(16, RGB(0, 160, 0));
    const int columnWidth = 92, height = 30;
    for (const IconThemeLook& look : kIconThemeLooks)
    {
        CButtonTestParent strip;
        ASSERT_TRUE(CreateTestPopup(strip, true, 20, 20, 8 + kStateCount * columnWidth, height + 8));
        std::vector<std::unique_ptr<CKvButton>> buttons;
        for (int column = 0; column < kStateCount; column++)
        {
            CRect rect(4 + column * columnWidth, 4, 0, 4 + height);
            rect.right = rect.left + columnWidth - 4;
            buttons.push_back(std::make_unique<CKvButton>());
            ASSERT_TRUE(buttons.back()->Create(CString(kButtonStateNames[column]), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                               rect, &strip, 400 + column));
            GiveTheme(*buttons.back(), look.themeId);
            buttons.back()->SetIcon(CSize(16, 16), green, NULL);
        }
        for (int state = kNormal; state < kStateCount; state++)
            ApplyButtonState(*buttons[state], static_cast<ButtonTestState>(state));
        CWindowPicture picture = PaintAndRead(strip);
        std::wstring name(look.name, look.name + strlen(look.name));
        EXPECT_TRUE(picture.SavePng(TestOutputFolder() + L"\\KvButton-" + name + L".png"));
        buttons.clear();
        strip.DestroyWindow();
        ParkMouse();
    }
    ::DestroyIcon(green);
}
