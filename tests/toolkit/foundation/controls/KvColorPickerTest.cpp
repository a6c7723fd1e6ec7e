// The colour picker and its popup selector, driven through real windows:
// the popup's place, keyboard and mouse choices, what the owner is told,
// the grid's size and the recent colours.
#include <gtest/gtest.h>

#include <afxwin.h>

#include "foundation/controls/KvColorPicker.h"
#include "foundation/base/KvoDrawHelpers.h"
#include "foundation/controls/KvColorSelectorCtrl.h"
#include "foundation/controls/KvColorSelectorCtrlTheme.h"
#include "ColorTestSupport.h"
#include "ButtonTestSupport.h"

namespace
{
const UINT kPickerId = 1040;

// Codes of the picker's WM_COMMAND notifications, in arrival order.
std::vector<UINT> PickerCodes(const CButtonTestParent& parent)
{
    std::vector<UINT> codes;
    for (const auto& command : parent.m_commands)
        if (command.first == kPickerId)
            codes.push_back(command.second);
    return codes;
}

class KvColorPickerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_language.IsLoaded());
        g_kvRecentColors.RemoveAll();
    }
    void TearDown() override
    {
        if (m_parent.GetSafeHwnd())
            m_parent.DestroyWindow();
        g_kvRecentColors.RemoveAll();
    }

    void CreatePicker(int x, int y, int cx = 80, int cy = 24, int parentX = 40, int parentY = 40)
    {
        ASSERT_TRUE(CreateTestPopup(m_parent, true, parentX, parentY, x + cx + 20, y + cy + 20));
        ASSERT_TRUE(m_picker.Create(L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(x, y, x + cx, y + cy), &m_parent,
                                    kPickerId));
        m_picker.SetColor(RGB(0, 0, 0));
        m_picker.SetFocus();
    }

    // Opens the popup with the Down key and answers it once it has the focus.
    CKvColorPopup* OpenPopup()
    {
        m_picker.SendMessage(WM_KEYDOWN, VK_DOWN);
        CKvColorPopup* pPopup = NULL;
        PumpUntil([&] {
            pPopup = dynamic_cast<CKvColorPopup*>(CWnd::FromHandlePermanent(::GetFocus()));
            return pPopup != NULL && pPopup->IsWindowVisible();
        });
        return pPopup;
    }

    bool WaitPopupClosed()
    {
        return PumpUntil([&] { return !m_picker.IsPopupOpen(); });
    }

    CColorLanguageScope m_language;
    CButtonTestParent m_parent;
    CKvColorPicker m_picker;
};

TEST_F(KvColorPickerTest, PopupOpensBelowTheButtonAndKeysChooseACell)
{
    CreatePicker(10, 10);
    CKvColorPopup* pPopup = OpenPopup();
    ASSERT_NE(pPopup, nullptr);
    EXPECT_TRUE(m_picker.IsPopupOpen());
    EXPECT_TRUE(pPopup->GetStyle() & WS_POPUP);

    CRect rcButton, rcPopup;
    m_picker.GetWindowRect(&rcButton);
    pPopup->GetWindowRect(&rcPopup);
    EXPECT_EQ(rcPopup.top, rcButton.bottom);
    EXPECT_EQ(rcPopup.left, rcButton.left);
    // Extended | MoreColors with margins 4/4/10/10 at 96 DPI.
    EXPECT_EQ(rcPopup.Size(), CSize(158, 158));

    CWindowPicture picture(pPopup->m_hWnd);
    picture.SavePng(TestOutputFolder() + L"\\KvColorPopup.png");

    // Down walks the default cell, then down the columns; Right steps on;
    // the ends wrap and Down clamps at the more-colours cell.
    const struct { UINT key; int hot; } steps[] = {
        {VK_DOWN, 0}, {VK_DOWN, 1}, {VK_DOWN, 9}, {VK_RIGHT, 10}, {VK_UP, 2}, {VK_LEFT, 1}, {VK_LEFT, 0}, {VK_LEFT, 41},
        {VK_UP, 40}, {VK_DOWN, 41}, {VK_RIGHT, 0}, {VK_DOWN, 1}, {VK_DOWN, 9}, {VK_RIGHT, 10},
    };
    for (const auto& step : steps) {
        pPopup->SendMessage(WM_KEYDOWN, step.key);
        EXPECT_EQ(pPopup->GetHotIndex(), step.hot) << "key " << step.key;
    }
    m_parent.m_commands.clear();
    pPopup->SendMessage(WM_KEYDOWN, VK_RETURN);
    ASSERT_TRUE(WaitPopupClosed());
    PumpUntil([] { return false; }, 0.2);

    // The tenth table colour; the choice and the close-up are told once each.
    EXPECT_EQ(m_picker.GetColor(), static_cast<COLORREF>(0x0066FF));
    EXPECT_EQ(PickerCodes(m_parent), (std::vector<UINT>{KVCPN_SELENDOK, KVCPN_CLOSEUP}));
    EXPECT_EQ(::GetFocus(), m_picker.m_hWnd);
}

TEST_F(KvColorPickerTest, AClickChoosesAndTheSameColourAgainIsNoChange)
{
    CreatePicker(10, 10);
    CKvColorPopup* pPopup = OpenPopup();
    ASSERT_NE(pPopup, nullptr);
    // Cell 14 of the table: row 1, column 5 (index 14 counts the default).
    const COLOR_CELL* pCell = pPopup->GetCell(14);
    ASSERT_NE(pCell, nullptr);
    const COLORREF clrCell = pCell->clr;
    CRect rcCell(pCell->rect);
    const LPARAM lPoint = MAKELPARAM(rcCell.CenterPoint().x, rcCell.CenterPoint().y);
    pPopup->SendMessage(WM_MOUSEMOVE, 0, lPoint);
    pPopup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
    m_parent.m_commands.clear();
    pPopup->SendMessage(WM_LBUTTONUP, 0, lPoint);
    ASSERT_TRUE(WaitPopupClosed());
    EXPECT_EQ(m_picker.GetColor(), clrCell);
    EXPECT_EQ(PickerCodes(m_parent), (std::vector<UINT>{KVCPN_SELENDOK, KVCPN_CLOSEUP}));

    pPopup = OpenPopup();
    ASSERT_NE(pPopup, nullptr);
    EXPECT_TRUE(pPopup->GetCell(14)->bChecked);
    m_parent.m_commands.clear();
    pPopup->SendMessage(WM_MOUSEMOVE, 0, lPoint);
    pPopup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
    pPopup->SendMessage(WM_LBUTTONUP, 0, lPoint);
    ASSERT_TRUE(WaitPopupClosed());
    EXPECT_EQ(m_picker.GetColor(), clrCell);
    EXPECT_EQ(PickerCodes(m_parent), (std::vector<UINT>{KVCPN_SELNOCHANGE, KVCPN_CLOSEUP}));
}

TEST_F(KvColorPickerTest, EscapeAndLostFocusCancelOnce)
{
    CreatePicker(10, 10);
    CKvColorPopup* pPopup = OpenPopup();
    ASSERT_NE(pPopup, nullptr);
    m_parent.m_commands.clear();
    pPopup->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    ASSERT_TRUE(WaitPopupClosed());
    PumpUntil([] { return false; }, 0.2);
    EXPECT_EQ(m_picker.GetColor(), RGB(0, 0, 0));
    EXPECT_EQ(PickerCodes(m_parent), (std::vector<UINT>{KVCPN_SELENDCANCEL, KVCPN_CLOSEUP}));

    pPopup = OpenPopup();
    ASSERT_NE(pPopup, nullptr);
    m_parent.m_commands.clear();
    m_parent.SetFocus();
    ASSERT_TRUE(WaitPopupClosed());
    PumpUntil([] { return false; }, 0.2);
    EXPECT_EQ(PickerCodes(m_parent), (std::vector<UINT>{KVCPN_SELENDCANCEL, KVCPN_CLOSEUP}));
}

TEST_F(KvColorPickerTest, PopupNearTheScreenEdgesStaysInTheWorkArea)
{
    CRect rcWork;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    // The button ends 20 pixels above the work area's bottom and 10 left of
    // its right edge.
    CreatePicker(10, 10, 80, 24, rcWork.right - 120, rcWork.bottom - 54);
    CRect rcButton;
    m_picker.GetWindowRect(&rcButton);
    CKvColorPopup* pPopup = OpenPopup();
    ASSERT_NE(pPopup, nullptr);
    CRect rcPopup;
    pPopup->GetWindowRect(&rcPopup);
    EXPECT_EQ(rcPopup.bottom, rcButton.top);
    EXPECT_EQ(rcPopup.right, rcWork.right);
    pPopup->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_TRUE(WaitPopupClosed());
}

// A popup object deleted while its window is still up: the window and its
// drop shadows go after the popup's own part of the object, and the shadows
// still use the shadow manager then.
TEST_F(KvColorPickerTest, PopupDeletedWhileItsShadowsAreUpLeavesThemTheirManager)
{
    BOOL systemShadows = FALSE;
    ::SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &systemShadows, 0);
    ::SystemParametersInfoW(SPI_SETDROPSHADOW, 0, reinterpret_cast<PVOID>(TRUE), 0);
    CreatePicker(10, 10);
    CRect rcButton;
    m_picker.GetWindowRect(&rcButton);
    CKvColorPopup* pPopup = new CKvColorPopup(false, 0);
    CKvColorSelectorCtrlThemeFactory factory;
    pPopup->SetTheme(factory.CreateTheme(KvColorSelectorThemeOfficeXP));
    ASSERT_TRUE(pPopup->Create(rcButton, &m_parent, 0, RGB(0, 0, 0), RGB(0, 0, 0)));
    std::vector<HWND> shadows;
    for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
        if (::GetWindow(hWnd, GW_OWNER) == pPopup->m_hWnd)
            shadows.push_back(hWnd);
    EXPECT_EQ(shadows.size(), 2u);
    delete pPopup;
    SetPopupMouseHook(NULL);
    for (HWND hWnd : shadows)
        EXPECT_FALSE(::IsWindow(hWnd));
    ::SystemParametersInfoW(SPI_SETDROPSHADOW, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(systemShadows)), 0);
}

TEST_F(KvColorPickerTest, DisabledPickerDoesNotOpenAndShowsAFaceSwatch)
{
    CreatePicker(10, 10);
    m_picker.SetColor(RGB(255, 0, 0));
    m_picker.EnableWindow(FALSE);
    m_picker.SendMessage(WM_KEYDOWN, VK_DOWN);
    m_picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    m_picker.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpUntil([] { return false; }, 0.2);
    EXPECT_FALSE(m_picker.IsPopupOpen());
    m_picker.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    CWindowPicture picture(m_picker.m_hWnd);
    EXPECT_EQ(picture.Pixel(20, 12), ::GetSysColor(COLOR_BTNFACE));

    m_picker.EnableWindow(TRUE);
    m_picker.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    CWindowPicture enabled(m_picker.m_hWnd);
    EXPECT_EQ(enabled.Pixel(20, 12), RGB(255, 0, 0));
}

TEST(KvColorPickerContrastTest, ContrastFollowsLuminance)
{
    const struct { COLORREF clr; COLORREF contrast; } cases[] = {
        {RGB(200, 200, 200), RGB(0, 0, 0)},   {RGB(128, 128, 128), RGB(255, 255, 255)},
        {RGB(255, 255, 0), RGB(0, 0, 0)},     {RGB(0, 0, 255), RGB(255, 255, 255)},
    };
    CKvColorPicker picker;
    for (const auto& c : cases) {
        picker.SetColor(c.clr);
        EXPECT_EQ(picker.GetContrastColor(), c.contrast) << std::hex << c.clr;
    }
    picker.ModifyPickerStyle(0, KvColorSelStyle::ShowHex);
    EXPECT_EQ(picker.GetPopupStyle(), KvColorSelStyle::Extended | KvColorSelStyle::MoreColors | KvColorSelStyle::ShowHex);
}

// A selector whose more-colours dialog answers from a script.
class CScriptedSelector : public CKvColorSelectorCtrl
{
public:
    COLORREF m_clrScripted = 0;
    bool m_bAccept = true;
    void SetStyleForSize(DWORD dwStyle) { m_dwStyle = dwStyle; }

protected:
    bool ChooseMoreColor(COLORREF& clrChosen) override
    {
        clrChosen = m_clrScripted;
        return m_bAccept;
    }
};

TEST(KvColorSelectorSizeTest, SizeFollowsTheDpi)
{
    g_kvRecentColors.RemoveAll();
    const struct { int dpi; CSize size; } cases[] = {{96, CSize(158, 158)}, {144, CSize(230, 231)}};
    for (const auto& c : cases) {
        CScriptedSelector selector;
        selector.SetStyleForSize(KvColorSelStyle::Extended | KvColorSelStyle::MoreColors);
        selector.SetMargins(4, 4, 10, 10);
        selector.SetDpi(c.dpi);
        EXPECT_EQ(selector.CalcSize(), c.size) << c.dpi;
    }
}

class KvColorSelectorRecentTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_language.IsLoaded());
        g_kvRecentColors.RemoveAll();
        ASSERT_TRUE(CreateTestPopup(m_parent, false, 40, 40, 300, 300));
    }
    void TearDown() override
    {
        m_parent.DestroyWindow();
        g_kvRecentColors.RemoveAll();
    }
    // A new child selector; the more-colours cell is its last.
    void ChooseMore(COLORREF clr)
    {
        CScriptedSelector selector;
        ASSERT_TRUE(selector.CreateSelector(CRect(0, 0, 200, 250), &m_parent,
                                            KvColorSelStyle::Extended | KvColorSelStyle::MoreColors, RGB(0, 0, 0),
                                            RGB(255, 255, 255)));
        selector.m_clrScripted = clr;
        selector.EndSelection(selector.GetCellCount() - 1, 0);
        selector.DestroyWindow();
    }
    std::vector<COLORREF> Recent() const
    {
        return std::vector<COLORREF>(g_kvRecentColors.GetData(), g_kvRecentColors.GetData() + g_kvRecentColors.GetSize());
    }

    CColorLanguageScope m_language;
    CWnd m_parent;
};

TEST_F(KvColorSelectorRecentTest, RecentColoursFillInOrderAndStopAtTheRow)
{
    std::vector<COLORREF> expected;
    for (COLORREF i = 1; i <= 10; ++i) {
        ChooseMore(RGB(10 * i, 1, 2));
        expected.push_back(RGB(10 * i, 1, 2));
    }
    // Eight fit in the row: the two oldest gave way.
    expected.erase(expected.begin(), expected.begin() + 2);
    EXPECT_EQ(Recent(), expected);

    // A table colour and a colour already in the row are not added and push
    // nothing out.
    ChooseMore(0x0066FF);
    ChooseMore(RGB(50, 1, 2));
    EXPECT_EQ(Recent(), expected);

    // The row then shows them, each with its hexadecimal tooltip.
    CScriptedSelector selector;
    ASSERT_TRUE(selector.CreateSelector(CRect(0, 0, 200, 250), &m_parent,
                                        KvColorSelStyle::Extended | KvColorSelStyle::MoreColors, RGB(80, 1, 2), 0));
    ASSERT_EQ(selector.GetCellCount(), 1 + 40 + 8 + 1);
    EXPECT_EQ(selector.GetCell(41)->clr, expected[0]);
    EXPECT_TRUE(selector.GetCell(41 + 5)->bChecked);  // RGB(80, 1, 2)
    EXPECT_FALSE(selector.GetCell(49)->bChecked);     // the more-colours cell
    EXPECT_EQ(selector.CalcSize().cy, 27 + 5 * 18 + 27 + 18 + 4);
}

TEST_F(KvColorSelectorRecentTest, UnknownCurrentColourChecksTheMoreColoursCell)
{
    CScriptedSelector selector;
    ASSERT_TRUE(selector.CreateSelector(CRect(0, 0, 200, 250), &m_parent,
                                        KvColorSelStyle::Extended | KvColorSelStyle::MoreColors, RGB(1, 2, 3), 0));
    const COLOR_CELL* pMore = selector.GetCell(selector.GetCellCount() - 1);
    EXPECT_EQ(pMore->dwKind, KvColorCellKindMore);
    EXPECT_TRUE(pMore->bChecked);
    EXPECT_EQ(pMore->clr, RGB(1, 2, 3));
    EXPECT_STREQ(selector.GetCell(0)->szText, L"Automatic");
}
} // namespace
