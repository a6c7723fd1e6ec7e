// The default button theme with the Windows visual styles. Wine has no
// visual style for buttons (the theme tests of KvoButtonTest see the classic
// look), so these tests give the theme a table of stand-in entry points that
// record which part and state it asks to draw.
#include <gtest/gtest.h>

#include <vector>

#include <uxtheme.h>
#include <vssym32.h>

#include "ButtonTestSupport.h"
#include "foundation/controls/KvoButton.h"
#include "foundation/controls/KvoButtonTheme.h"

namespace
{
struct DrawnPart
{
    int part;
    int state;
};
std::vector<DrawnPart> g_drawnParts;
const HTHEME kFakeTheme = reinterpret_cast<HTHEME>(static_cast<INT_PTR>(0x5A5A));

HTHEME WINAPI FakeOpenThemeData(HWND, LPCWSTR)
{
    return kFakeTheme;
}
HRESULT WINAPI FakeCloseThemeData(HTHEME)
{
    return S_OK;
}
BOOL WINAPI FakeIsAppThemed()
{
    return TRUE;
}
HRESULT WINAPI FakeDrawThemeBackground(HTHEME, HDC, int part, int state, LPCRECT, LPCRECT)
{
    g_drawnParts.push_back({part, state});
    return S_OK;
}
HRESULT WINAPI FakeGetThemePartSize(HTHEME, HDC, int, int, RECT*, THEMESIZE, SIZE* size)
{
    size->cx = 13;
    size->cy = 13;
    return S_OK;
}

class KvoButtonVisualStyleTest : public ::testing::Test
{
protected:
    KvoButtonVisualStyleTest() : m_functions(false)
    {
        m_functions.openThemeData = FakeOpenThemeData;
        m_functions.closeThemeData = FakeCloseThemeData;
        m_functions.isAppThemed = FakeIsAppThemed;
        m_functions.drawThemeBackground = FakeDrawThemeBackground;
        m_functions.getThemePartSize = FakeGetThemePartSize;
    }
    void SetUp() override
    {
        ParkMouse();
        ASSERT_TRUE(CreateTestPopup(m_parent, true, 40, 40, 300, 200));
    }
    void TearDown() override
    {
        m_parent.DestroyWindow();
    }
    // A button of that style with the default theme over the stand-ins;
    // answers the states drawn for part when painted.
    void CreateThemedButton(CKvoButton& button, DWORD style)
    {
        ASSERT_TRUE(button.Create(L"Btn", WS_CHILD | WS_VISIBLE | style, CRect(10, 10, 100, 34), &m_parent, 100));
        button.SetTheme(new CKvoButtonTheme(&m_functions), TRUE);
        ASSERT_TRUE(button.GetTheme()->UsesVisualStyles(&button));
    }
    std::vector<int> DrawnStates(CKvoButton& button, int part)
    {
        g_drawnParts.clear();
        PaintAndRead(button);
        std::vector<int> states;
        for (const DrawnPart& drawn : g_drawnParts)
            if (drawn.part == part)
                states.push_back(drawn.state);
        return states;
    }

    KvoUxThemeFunctions m_functions;
    CButtonTestParent m_parent;
};
} // namespace

TEST_F(KvoButtonVisualStyleTest, PushButtonStates)
{
    CKvoButton button;
    CreateThemedButton(button, BS_PUSHBUTTON);
    EXPECT_EQ(DrawnStates(button, BP_PUSHBUTTON), std::vector<int>{PBS_NORMAL});
    button.SetChecked(1);
    EXPECT_EQ(DrawnStates(button, BP_PUSHBUTTON), std::vector<int>{PBS_PRESSED});
    button.SetChecked(0);
    button.SendMessage(BM_SETSTATE, TRUE);
    EXPECT_EQ(DrawnStates(button, BP_PUSHBUTTON), std::vector<int>{PBS_PRESSED});
    button.SendMessage(BM_SETSTATE, FALSE);
    button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(DrawnStates(button, BP_PUSHBUTTON), std::vector<int>{PBS_HOT});
    button.SendMessage(WM_MOUSELEAVE);
    button.EnableWindow(FALSE);
    EXPECT_EQ(DrawnStates(button, BP_PUSHBUTTON), std::vector<int>{PBS_DISABLED});

    CKvoButton defaultButton;
    CreateThemedButton(defaultButton, BS_DEFPUSHBUTTON);
    EXPECT_EQ(DrawnStates(defaultButton, BP_PUSHBUTTON), std::vector<int>{PBS_DEFAULTED});
}

// Check marks come in runs of four states: unchecked, checked, mixed.
TEST_F(KvoButtonVisualStyleTest, CheckBoxStates)
{
    CKvoButton box;
    CreateThemedButton(box, BS_AUTO3STATE);
    EXPECT_EQ(DrawnStates(box, BP_CHECKBOX), std::vector<int>{CBS_UNCHECKEDNORMAL});
    box.SetCheck(BST_CHECKED);
    EXPECT_EQ(DrawnStates(box, BP_CHECKBOX), std::vector<int>{CBS_CHECKEDNORMAL});
    box.SetCheck(BST_INDETERMINATE);
    EXPECT_EQ(DrawnStates(box, BP_CHECKBOX), std::vector<int>{CBS_MIXEDNORMAL});
    box.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(DrawnStates(box, BP_CHECKBOX), std::vector<int>{CBS_MIXEDHOT});

    CKvoButton radio;
    CreateThemedButton(radio, BS_AUTORADIOBUTTON);
    radio.SetCheck(BST_CHECKED);
    radio.EnableWindow(FALSE);
    EXPECT_EQ(DrawnStates(radio, BP_RADIOBUTTON), std::vector<int>{RBS_CHECKEDDISABLED});
}

// Other ids than 0 never use the visual styles, even where they exist.
TEST_F(KvoButtonVisualStyleTest, OnlyTheDefaultIdUsesVisualStyles)
{
    CKvoButton button;
    CreateThemedButton(button, BS_PUSHBUTTON);
    button.SetTheme(new CKvoButtonTheme(&m_functions), FALSE);
    EXPECT_FALSE(button.GetTheme()->UsesVisualStyles(&button));
    EXPECT_TRUE(DrawnStates(button, BP_PUSHBUTTON).empty());
}
