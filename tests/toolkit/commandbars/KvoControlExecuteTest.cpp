#include <gtest/gtest.h>

#include <memory>
#include <vector>


#include "commandbars/KvoBarManager.h"
#include "commandbars/KvoControl.h"
#include "commandbars/KvoControlButton.h"
#include "commandbars/KvoControls.h"
#include "commandbars/KvoPopupBar.h"
#include "commandbars/KvoPaintManager.h"
#include "LanguageIds.h"
#include "foundation/base/KvoResourceManager.h"
#include "framework/WindowTestSupport.h"
#include "support/LibraryModule.h"
#include "toolkit/commandbars/support/KvoTestCommandBar.h"
#include "toolkit/commandbars/support/KvoTestControl.h"
#include "toolkit/commandbars/support/KvoTestPaintManager.h"
#include "toolkit/commandbars/support/KvoTestSiteWindow.h"

namespace {
const std::vector<UINT> kNotifyThenCommand = {KVO_SITE_CONTROL_NOTIFY, WM_COMMAND};

// Executing through a bar without a window whose commands go to an explicit
// owner, the hidden test site.
class KvoControlExecuteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_liveControls = CKvoTestControl::LiveCount();
        ASSERT_TRUE(m_site.CreateSite());
        m_bar->m_pExplicitOwner = &m_site;
    }
    void TearDown() override
    {
        m_bar.reset();
        m_manager.reset();
        EXPECT_EQ(m_liveControls, CKvoTestControl::LiveCount());
    }
    CKvoControl* AppendButton(UINT id)
    {
        return m_bar->GetControls()->AddControl(new CKvoControlButton, id);
    }

    CKvoTestSiteWindow m_site;
    std::unique_ptr<CKvoBarManager> m_manager;
    std::unique_ptr<CKvoTestCommandBar> m_bar{new CKvoTestCommandBar};
    int m_liveControls = 0;
};

TEST_F(KvoControlExecuteTest, ExecutingNotifiesTheSiteThenSendsTheCommand)
{
    CKvoControl* button = AppendButton(1001);
    button->OnExecute();
    EXPECT_EQ(kNotifyThenCommand, m_site.m_messages);
    EXPECT_EQ(std::vector<UINT>{KVO_CONTROL_NOTIFY_EXECUTE}, m_site.m_notifyCodes);
    EXPECT_EQ(std::vector<UINT>{1001}, m_site.m_commands);
    // Outside popups the pressed state shows while the command runs; it is
    // over when the command is.
    EXPECT_EQ(0, button->GetPressed());
}

TEST_F(KvoControlExecuteTest, ASiteThatAnswersTheNotificationTakesTheCommand)
{
    m_site.m_notifyAnswer = 1;
    AppendButton(1002)->OnExecute();
    EXPECT_EQ(std::vector<UINT>{KVO_SITE_CONTROL_NOTIFY}, m_site.m_messages);
}

// A bar whose message map takes the execute notification of one command.
class NotifiedCommandBar : public CKvoTestCommandBar {
public:
    static constexpr UINT kHandledCommand = 3001;
    int m_nNotifications = 0;

protected:
    void OnExecuteNotify(NMHDR* header, LRESULT* result)
    {
        ++m_nNotifications;
        EXPECT_EQ(static_cast<UINT_PTR>(kHandledCommand), header->idFrom);
        *result = 1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(NotifiedCommandBar, CKvoTestCommandBar)
    ON_NOTIFY(KVO_CONTROL_NOTIFY_EXECUTE, NotifiedCommandBar::kHandledCommand, OnExecuteNotify)
END_MESSAGE_MAP()

TEST_F(KvoControlExecuteTest, ANotificationTheSiteLeavesIsRoutedThroughTheBar)
{
    NotifiedCommandBar bar;
    bar.m_pExplicitOwner = &m_site;
    CKvoControl* handled = bar.GetControls()->AddControl(new CKvoControlButton, NotifiedCommandBar::kHandledCommand);
    CKvoControl* other = bar.GetControls()->AddControl(new CKvoControlButton, 3002);
    handled->OnExecute();
    other->OnExecute();
    EXPECT_EQ(1, bar.m_nNotifications);
    EXPECT_EQ(std::vector<UINT>{3002}, m_site.m_commands) << "the bar's handler took the first command";
    EXPECT_EQ(3u, m_site.m_messages.size());
}

TEST_F(KvoControlExecuteTest, ATrackedPopupGetsTheCommandThroughItsResultPointer)
{
    int result = 0;
    m_bar->m_pReturnCmd = &result;
    AppendButton(1003)->OnExecute();
    EXPECT_EQ(1003, result);
    EXPECT_TRUE(m_site.m_messages.empty());
}

TEST_F(KvoControlExecuteTest, TheCommandGoesToTheFirstOwnerUpTheParentChain)
{
    CKvoTestCommandBar root;
    CKvoTestSiteWindow rootSite;
    ASSERT_TRUE(rootSite.CreateSite());
    root.m_pExplicitOwner = &rootSite;
    m_bar->m_pExplicitOwner = nullptr;
    m_bar->m_pParentBar = &root;
    AppendButton(1004)->OnExecute();
    EXPECT_EQ(std::vector<UINT>{1004}, rootSite.m_commands);
    EXPECT_TRUE(m_site.m_messages.empty());
}

TEST_F(KvoControlExecuteTest, ACommandThatKeepsThePopupsOpenUpdatesTheBar)
{
    CKvoControl* button = AppendButton(1005);
    button->SetCloseSubMenuOnClick(FALSE);
    button->OnExecute();
    EXPECT_EQ(1, m_bar->m_nIdleUpdates);
    EXPECT_EQ(0, button->GetPressed());
    // A command without an id reaches nobody.
    AppendButton(0)->OnExecute();
    EXPECT_EQ(2u, m_site.m_messages.size());
}

TEST_F(KvoControlExecuteTest, AManagerCountsTheCommandsItPersonalises)
{
    class PersonalisingManager : public CKvoBarManager {
    public:
        BOOL IsPersonalizedCommand(UINT id) override { return id == 1006; }
    };
    m_manager.reset(new PersonalisingManager);
    m_bar->SetBarManager(m_manager.get());
    AppendButton(1006)->OnExecute();
    AppendButton(1007)->OnExecute();
    EXPECT_TRUE(m_manager->IsCommandUsed(1006));
    EXPECT_FALSE(m_manager->IsCommandUsed(1007));

    // A command of a menu counts for the control that opened the menu.
    class PersonalisingMenus : public CKvoBarManager {
    public:
        BOOL IsPersonalizedCommand(UINT id) override { return id == 1008 || id == 1009; }
    };
    PersonalisingMenus menus;
    m_bar->SetBarManager(&menus);
    CKvoControl* opener = AppendButton(1008);
    CKvoPopupBar popup;
    popup.SetControlPopup(opener);
    EXPECT_EQ(m_bar.get(), popup.GetParentCommandBar());
    EXPECT_EQ(&menus, popup.GetBarManager());
    CKvoControl* item = popup.GetControls()->AddControl(new CKvoControlButton, 1009);
    item->OnExecute();
    EXPECT_TRUE(menus.IsCommandUsed(1008));
    EXPECT_TRUE(menus.IsCommandUsed(1009));
    EXPECT_EQ(std::vector<UINT>({1006, 1007, 1009}), m_site.m_commands) << "the owner site is the root's";
    EXPECT_EQ(0, item->GetPressed()) << "no pressed state inside popups";
    m_bar->SetBarManager(m_manager.get());
}

// ---- the press loop on a real bar window ----

class KvoControlPressTest : public KvoControlExecuteTest {
protected:
    void SetUp() override
    {
        KvoControlExecuteTest::SetUp();
        m_paintManager = new CKvoTestPaintManager;
        CKvoPaintManager::SetCustomTheme(m_paintManager);
        ::SetCursorPos(0, 0);
        ASSERT_TRUE(m_bar->CreateBar(120, 120, 200, 30, &m_site));
        m_first = AppendButton(2001);
        m_second = AppendButton(2002);
        m_bar->PlaceControls(60);
        m_bar->UpdateWindow();
    }
    void TearDown() override
    {
        KvoControlExecuteTest::TearDown();
        CKvoPaintManager::DestroyInstance();
        m_paintManager->InternalRelease();
    }
    void Post(UINT message, int x, int y, WPARAM wParam = 0)
    {
        ::PostMessageW(m_bar->GetSafeHwnd(), message, wParam, MAKELPARAM(x, y));
    }

    CKvoTestPaintManager* m_paintManager = nullptr;
    CKvoControl* m_first = nullptr;
    CKvoControl* m_second = nullptr;
};

TEST_F(KvoControlPressTest, AReleaseInsideExecutesOnceAndOutsideNot)
{
    Post(WM_MOUSEMOVE, 70, 10);
    Post(WM_MOUSEMOVE, 80, 12);
    Post(WM_LBUTTONUP, 80, 12);
    m_second->OnClick(FALSE, CPoint(70, 10));
    EXPECT_EQ(std::vector<UINT>{2002}, m_site.m_commands);
    EXPECT_EQ(0, m_second->GetPressed());
    EXPECT_EQ(0, m_second->GetSelected());
    EXPECT_EQ(-1, m_bar->GetHotIndex());
    EXPECT_EQ(1, m_bar->GetPromptSuppressionIndex());
    EXPECT_EQ(nullptr, CWnd::GetCapture());

    Post(WM_MOUSEMOVE, 150, 10);
    Post(WM_LBUTTONUP, 150, 10);
    m_second->OnClick(FALSE, CPoint(70, 10));
    EXPECT_EQ(1u, m_site.m_commands.size()) << "released outside";
    EXPECT_EQ(0, m_second->GetPressed());
}

// A WM_QUIT met in the loop belongs to the thread's own loop: it is posted
// again and the press ends as a release outside.
TEST_F(KvoControlPressTest, AQuitMessageEndsThePressWithoutExecuting)
{
    Post(WM_MOUSEMOVE, 10, 10);
    ::PostQuitMessage(7);
    m_first->TrackPress();
    EXPECT_TRUE(m_site.m_commands.empty());
    EXPECT_EQ(nullptr, CWnd::GetCapture());
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
}

TEST_F(KvoControlPressTest, AnExecuteOnPressIntervalRepeatsWhileHeld)
{
    m_first->SetExecuteOnPressInterval(40);
    COLORREF pressedPixel = 0;
    m_site.m_onCommand = [&](UINT) {
        if (m_site.m_commands.size() == 2) {
            m_bar->UpdateWindow();
            CWindowPicture picture(m_bar->GetSafeHwnd());
            pressedPixel = picture.Pixel(30, 15);
            EXPECT_TRUE(picture.SavePng(TestOutputFolder() + L"\\KvoControlPressed.png"));
        }
        if (m_site.m_commands.size() == 3)
            Post(WM_LBUTTONUP, 30, 15);
    };
    m_first->TrackPress();
    EXPECT_EQ((std::vector<UINT>{2001, 2001, 2001}), m_site.m_commands) << "the release adds none";
    EXPECT_EQ(CKvoTestPaintManager::kPressedColor, pressedPixel);
    EXPECT_EQ(0, m_first->GetPressed());
}

// A timer procedure that moves the mouse capture to its window.
void CALLBACK TakeCapture(HWND window, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(window, id);
    ::SetCapture(window);
}

TEST_F(KvoControlPressTest, TheLoopEndsWhenTheBarLosesTheCapture)
{
    m_site.m_onCommand = [](UINT) {};
    CKvoTestSiteWindow thief;
    ASSERT_TRUE(thief.CreateSite());
    ::SetTimer(thief.GetSafeHwnd(), 1, 20, TakeCapture);
    m_first->TrackPress();
    EXPECT_TRUE(m_site.m_commands.empty());
    EXPECT_EQ(0, m_first->GetPressed());
    ::ReleaseCapture();
}

// ---- customise resize on a real bar window ----

class KvoControlResizeTest : public KvoControlPressTest {
protected:
    void SetUp() override
    {
        KvoControlPressTest::SetUp();
        m_resizable = new CKvoTestControl;
        m_resizable->m_bResizeAllowed = TRUE;
        m_resizable->m_nMinWidth = 30;
        m_bar->GetControls()->AddControl(m_resizable, 2003);
        m_resizable->SetRect(CRect(120, 0, 170, 30));
    }
    CKvoTestControl* m_resizable = nullptr;
};

TEST_F(KvoControlResizeTest, DraggingAnEdgeSetsTheWidthDownToTheMinimum)
{
    struct Case {
        CPoint press;
        int moveTo;
        int expectedWidth;
    } cases[] = {
        {{168, 10}, 188, 70},  // right edge dragged out
        {{121, 10}, 111, 60},  // left edge dragged out
        {{168, 10}, 100, 30},  // the minimum holds
    };
    for (const Case& c : cases) {
        m_resizable->SetWidth(0);
        m_resizable->SetRect(CRect(120, 0, 170, 30));
        const int layouts = m_bar->m_nLayouts;
        Post(WM_MOUSEMOVE, c.moveTo, 10);
        Post(WM_LBUTTONUP, c.moveTo, 10);
        EXPECT_TRUE(m_resizable->TrackCustomizeResize(c.press));
        EXPECT_EQ(c.expectedWidth, m_resizable->GetWidth()) << c.press.x << " to " << c.moveTo;
        EXPECT_EQ(layouts + 1, m_bar->m_nLayouts);
        EXPECT_EQ(nullptr, CWnd::GetCapture());
    }
}

TEST_F(KvoControlResizeTest, EscapeAndQuitApplyNothing)
{
    Post(WM_MOUSEMOVE, 190, 10);
    Post(WM_KEYDOWN, 0, 0, VK_ESCAPE);
    EXPECT_TRUE(m_resizable->TrackCustomizeResize(CPoint(168, 10)));
    EXPECT_EQ(0, m_resizable->GetWidth());

    Post(WM_MOUSEMOVE, 190, 10);
    ::PostQuitMessage(3);
    EXPECT_TRUE(m_resizable->TrackCustomizeResize(CPoint(168, 10)));
    EXPECT_EQ(0, m_resizable->GetWidth());
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));

    EXPECT_FALSE(m_resizable->TrackCustomizeResize(CPoint(145, 10))) << "not near an edge";
    EXPECT_FALSE(m_resizable->TrackCustomizeResize(CPoint(100, 10))) << "outside";
}

TEST_F(KvoControlResizeTest, TheResizeCursorShowsNearTheEdgesOfAResizableControl)
{
    LibraryModule language(L"TavrenaENU.dll");
    ASSERT_TRUE(language.IsLoaded());
    CKvoResourceManager::Instance()->SetResourceHandle(language.Handle());
    const HCURSOR resize = CKvoResourceManager::Instance()->LoadCursor(IDC_KVO_CUSTOMIZE_RESIZE);
    ASSERT_NE(nullptr, resize);
    const HCURSOR arrow = ::LoadCursorW(NULL, IDC_ARROW);
    struct Case {
        CPoint point;
        BOOL resizable;
        bool resizeCursor;
    } cases[] = {
        {{121, 10}, TRUE, true}, {{168, 10}, TRUE, true}, {{145, 10}, TRUE, false},
        {{100, 10}, TRUE, false}, {{168, 10}, FALSE, false},
    };
    for (const Case& c : cases) {
        ::SetCursor(arrow);
        m_resizable->m_bResizeAllowed = c.resizable;
        m_resizable->SetCustomizeCursor(c.point);
        EXPECT_EQ(c.resizeCursor ? resize : arrow, ::GetCursor()) << c.point.x;
    }
    CKvoResourceManager::Instance()->SetResourceHandle(nullptr);
}

TEST_F(KvoControlResizeTest, TheManagersSelectionComesBackAfterTheResize)
{
    m_manager.reset(new CKvoBarManager);
    m_bar->SetBarManager(m_manager.get());
    m_manager->SetCustomizeMode(TRUE);
    m_manager->SetCustomizeSelection(m_resizable);
    Post(WM_MOUSEMOVE, 188, 10);
    Post(WM_LBUTTONUP, 188, 10);
    m_resizable->OnCustomizeMouseDown(CPoint(168, 10));
    EXPECT_EQ(70, m_resizable->GetWidth());
    EXPECT_EQ(m_resizable, m_manager->GetCustomizeSelection());
    m_manager->SetCustomizeSelection(nullptr);
}

// ---- accessibility ----

TEST_F(KvoControlPressTest, TheAccessibleInterfaceDescribesTheControl)
{
    void* pointer = nullptr;
    ASSERT_EQ(S_OK, static_cast<HRESULT>(m_second->ExternalQueryInterface(&__uuidof(IAccessible), &pointer)));
    IAccessible* accessible = static_cast<IAccessible*>(pointer);
    void* dispatch = nullptr;
    ASSERT_EQ(S_OK, accessible->QueryInterface(__uuidof(IDispatch), &dispatch));
    EXPECT_EQ(pointer, dispatch) << "the IDispatch is the accessible interface";
    static_cast<IDispatch*>(dispatch)->Release();

    VARIANT self = {};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    m_second->SetCaption(L"Save &As && Close\tCtrl+S");
    BSTR name = nullptr;
    ASSERT_EQ(S_OK, accessible->get_accName(self, &name));
    EXPECT_STREQ(L"Save As & Close\tCtrl+S", name);
    ::SysFreeString(name);

    VARIANT role = {};
    ASSERT_EQ(S_OK, accessible->get_accRole(self, &role));
    EXPECT_EQ(ROLE_SYSTEM_PUSHBUTTON, role.lVal);
    m_bar->m_barType = KvoBarTypePopup;
    ASSERT_EQ(S_OK, accessible->get_accRole(self, &role));
    EXPECT_EQ(ROLE_SYSTEM_MENUITEM, role.lVal);

    m_second->SetEnabled(0);
    m_second->SetChecked(1);
    VARIANT state = {};
    ASSERT_EQ(S_OK, accessible->get_accState(self, &state));
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_CHECKED, state.lVal);
    m_second->SetVisible(FALSE);
    ASSERT_EQ(S_OK, accessible->get_accState(self, &state));
    EXPECT_TRUE(state.lVal & STATE_SYSTEM_INVISIBLE);
    m_second->SetVisible(TRUE);

    long left = 0, top = 0, width = 0, height = 0;
    ASSERT_EQ(S_OK, accessible->accLocation(&left, &top, &width, &height, self));
    EXPECT_EQ(180, left);
    EXPECT_EQ(120, top);
    EXPECT_EQ(60, width);
    EXPECT_EQ(30, height);

    VARIANT hit = {};
    EXPECT_EQ(S_OK, accessible->accHitTest(190, 130, &hit));
    EXPECT_EQ(VT_I4, hit.vt);
    EXPECT_EQ(S_FALSE, accessible->accHitTest(130, 130, &hit)) << "on the bar, not on the control";
    EXPECT_EQ(S_FALSE, accessible->accHitTest(10, 10, &hit));

    VARIANT other = self;
    other.lVal = 2;
    EXPECT_EQ(E_INVALIDARG, accessible->get_accName(other, &name));
    IDispatch* parent = nullptr;
    ASSERT_EQ(S_OK, accessible->get_accParent(&parent));
    EXPECT_NE(nullptr, parent);
    parent->Release();
    long children = -1;
    EXPECT_EQ(S_OK, accessible->get_accChildCount(&children));
    EXPECT_EQ(0, children);
    BSTR action = nullptr;
    ASSERT_EQ(S_OK, accessible->get_accDefaultAction(self, &action));
    EXPECT_STREQ(L"Click", action);
    ::SysFreeString(action);
    accessible->Release();

    // A control with a popup bar has it as its one child.
    CKvoTestCommandBar popup;
    CKvoTestControl* opener = new CKvoTestControl;
    opener->m_pPopupBar = &popup;
    m_bar->m_barType = KvoBarTypeNormal;
    m_bar->GetControls()->AddControl(opener, 2004);
    ASSERT_EQ(S_OK, static_cast<HRESULT>(opener->ExternalQueryInterface(&__uuidof(IAccessible), &pointer)));
    accessible = static_cast<IAccessible*>(pointer);
    EXPECT_EQ(S_OK, accessible->get_accChildCount(&children));
    EXPECT_EQ(1, children);
    VARIANT first = self;
    first.lVal = 1;
    IDispatch* child = nullptr;
    ASSERT_EQ(S_OK, accessible->get_accChild(first, &child));
    ASSERT_NE(nullptr, child);
    child->Release();
    first.lVal = 2;
    EXPECT_EQ(S_OK, accessible->get_accChild(first, &child));
    EXPECT_EQ(nullptr, child);
    ASSERT_EQ(S_OK, accessible->get_accRole(self, &role));
    EXPECT_EQ(ROLE_SYSTEM_BUTTONMENU, role.lVal);
    ASSERT_EQ(S_OK, accessible->get_accState(self, &state));
    EXPECT_TRUE(state.lVal & STATE_SYSTEM_HASPOPUP);
    accessible->Release();
    m_bar->GetControls()->Remove(opener);

    // Without a bar a control answers what it can.
    CKvoTestControl loose;
    ASSERT_EQ(S_OK, static_cast<HRESULT>(loose.ExternalQueryInterface(&__uuidof(IAccessible), &pointer)));
    accessible = static_cast<IAccessible*>(pointer);
    EXPECT_EQ(E_FAIL, accessible->get_accParent(&parent));
    EXPECT_EQ(E_INVALIDARG, accessible->get_accRole(self, &role));
    EXPECT_EQ(E_INVALIDARG, accessible->get_accState(self, &state));
    EXPECT_EQ(S_FALSE, accessible->accHitTest(0, 0, &hit));
    EXPECT_EQ(S_OK, accessible->accLocation(&left, &top, &width, &height, self));
    EXPECT_EQ(0, width);
    EXPECT_EQ(S_OK, accessible->accDoDefaultAction(self));
    EXPECT_EQ(std::vector<BOOL>{TRUE}, loose.m_clicks);
    accessible->Release();
}
}  // namespace
