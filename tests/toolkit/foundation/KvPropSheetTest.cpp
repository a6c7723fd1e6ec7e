#include <gtest/gtest.h>
#include <afxwin.h>
#include <functional>
#include "KvDialogTestSupport.h"
#include "foundation/controls/KvPropPage.h"
#include "foundation/controls/KvPropSheet.h"

namespace {
class RecordingPage : public KvPropPage {
public:
    RecordingPage(std::vector<int>* order, int number) : KvPropPage(IDD_KV_PAGE), m_order(order), m_number(number) {}
    void OnDpiChanged(WPARAM, LPARAM) override { m_order->push_back(m_number); }

private:
    std::vector<int>* m_order;
    int m_number;
};

// A modal sheet of two pages; while it runs, inspect() looks at it from a
// timer of the sheet's own message loop, then the sheet is cancelled.
class KvPropSheetTest : public KvDialogTemplateTest {
protected:
    void TearDown() override
    {
        KvoResetDarkModeState();
        KvDialogTemplateTest::TearDown();
    }

    void RunSheet(const std::function<void(KvPropSheet&)>& inspect)
    {
        s_sheet = &m_sheet;
        s_inspect = &inspect;
        s_inspected = false;
        m_sheet.AddPage(&m_first);
        m_sheet.AddPage(&m_second);
        UINT_PTR timer = SetTimer(nullptr, 0, 50, &KvPropSheetTest::OnTimer);
        m_sheet.DoModal();
        KillTimer(nullptr, timer);
        EXPECT_TRUE(s_inspected) << "the sheet never ran";
    }

    std::vector<int> m_dpiOrder;
    KvPropSheet m_sheet;
    RecordingPage m_first{&m_dpiOrder, 1};
    RecordingPage m_second{&m_dpiOrder, 2};

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        if (s_inspected || !s_sheet->m_hWnd)
            return;
        s_inspected = true;
        (*s_inspect)(*s_sheet);
        s_sheet->PostMessage(PSM_PRESSBUTTON, PSBTN_CANCEL);
    }

    static KvPropSheet* s_sheet;
    static const std::function<void(KvPropSheet&)>* s_inspect;
    static bool s_inspected;
};

KvPropSheet* KvPropSheetTest::s_sheet = nullptr;
const std::function<void(KvPropSheet&)>* KvPropSheetTest::s_inspect = nullptr;
bool KvPropSheetTest::s_inspected = false;

HBRUSH AskBrush(HWND window, UINT message)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    return reinterpret_cast<HBRUSH>(SendMessageW(window, message, reinterpret_cast<WPARAM>(dc.m_hDC), 0));
}
}

TEST_F(KvPropSheetTest, SheetPassesDpiChangesToItsPagesInOrder)
{
    RunSheet([this](KvPropSheet& sheet) {
        EXPECT_EQ(96u, sheet.GetDpi());
        EXPECT_NE(nullptr, sheet.GetDarkBrush());
        EXPECT_NE(nullptr, m_first.GetDarkBrush());
        CRect suggested;
        sheet.GetWindowRect(&suggested);
        sheet.SendMessage(WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
        EXPECT_EQ(144u, sheet.GetDpi());
    });
    EXPECT_EQ((std::vector<int>{1, 2}), m_dpiOrder);
}

// Through the seam: in dark mode the sheet allows dark drawing for itself
// and answers the dark brush, and so does its page.
TEST_F(KvPropSheetTest, DarkSheetAndPageAnswerTheDarkBrush)
{
    DarkModeSeam seam;
    InitDarkMode();
    g_darkModeActive = true;
    RunSheet([&](KvPropSheet& sheet) {
        const auto& calls = seam.Calls();
        ASSERT_FALSE(calls.allowDark.empty());
        EXPECT_EQ(sheet.m_hWnd, calls.allowDark[0].window);
        EXPECT_TRUE(calls.allowDark[0].dark);
        EXPECT_EQ(sheet.GetDarkBrush(), AskBrush(sheet.m_hWnd, WM_CTLCOLORDLG));
        EXPECT_EQ(m_first.GetDarkBrush(), AskBrush(m_first.m_hWnd, WM_CTLCOLORSTATIC));

        // A page themes itself only when told to.
        ClearDarkModeCalls(seam);
        m_first.SendMessage(WM_THEMECHANGED);
        ASSERT_EQ(1u, calls.allowDark.size());
        EXPECT_EQ(m_first.m_hWnd, calls.allowDark[0].window);

        // A colour-set change re-themes the sheet.
        ClearDarkModeCalls(seam);
        sheet.SendMessage(WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
        EXPECT_FALSE(g_darkModeActive) << "the fake Windows asks for light colours";
        EXPECT_NE(sheet.GetDarkBrush(), AskBrush(sheet.m_hWnd, WM_CTLCOLORDLG));
        sheet.SendMessage(WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    });
}

TEST_F(KvPropSheetTest, LightSheetAnswersTheBaseBrush)
{
    RunSheet([](KvPropSheet& sheet) {
        EXPECT_NE(sheet.GetDarkBrush(), AskBrush(sheet.m_hWnd, WM_CTLCOLORDLG));
        sheet.SendMessage(WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    });
}
