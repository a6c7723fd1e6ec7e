#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "commandbars/KvoBarManager.h"
#include "commandbars/KvoControlAction.h"
#include "commandbars/KvoControls.h"
#include "toolkit/commandbars/support/KvoFixtureResourceScope.h"
#include "toolkit/commandbars/support/KvoTestCommandBar.h"
#include "toolkit/commandbars/support/KvoTestControl.h"

namespace {
class KvoControlActionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_liveControls = CKvoTestControl::LiveCount();
        m_manager->EnableActions();
        m_bar->SetBarManager(m_manager.get());
    }
    void TearDown() override
    {
        m_bar.reset();
        m_manager.reset();
        EXPECT_EQ(m_liveControls, CKvoTestControl::LiveCount());
    }
    CKvoTestControl* Append(UINT id)
    {
        CKvoTestControl* control = new CKvoTestControl;
        m_bar->GetControls()->AddControl(control, id);
        return control;
    }
    CKvoControlActions* Actions() { return m_manager->GetActions(); }

    std::unique_ptr<CKvoBarManager> m_manager{new CKvoBarManager};
    std::unique_ptr<CKvoTestCommandBar> m_bar{new CKvoTestCommandBar};
    KvoFixtureResourceScope m_resources;
    int m_liveControls = 0;
};

TEST_F(KvoControlActionTest, ActionsStaySortedAndOnlyValidIdsAreFound)
{
    for (UINT id : {7u, 3u, 0xFFFFFFEu, 5u, 1u})
        Actions()->FindOrAdd(id);
    Actions()->FindOrAdd(5);
    ASSERT_EQ(5, Actions()->GetCount());
    const UINT expected[] = {1, 3, 5, 7, 0xFFFFFFE};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(expected[i], Actions()->GetAt(i)->GetID());
    EXPECT_EQ(nullptr, Actions()->GetAt(5));
    EXPECT_EQ(nullptr, Actions()->FindAction(4));
    EXPECT_EQ(nullptr, Actions()->FindAction(0));
    EXPECT_EQ(nullptr, Actions()->FindAction(0xFFFFFFF));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Actions()->GetAt(i), Actions()->FindAction(expected[i]));
    EXPECT_EQ(Actions()->GetAt(2), m_manager->FindAction(5));

    // A new action takes the prompt of its id's string.
    CKvoControlAction* prompted = Actions()->FindOrAdd(402);
    EXPECT_EQ(CString(L"Opens a drawing"), prompted->GetDescription());
    EXPECT_EQ(CString(L"Open drawing"), prompted->GetTooltip());
    EXPECT_EQ(CString(L"O"), prompted->GetKeyboardTip());
    EXPECT_EQ(CString(), prompted->GetCaption()) << "the action's prompt sets no caption";
}

TEST_F(KvoControlActionTest, BindingEmptiesTheControlsOwnStateAndUnbindingRestoresIt)
{
    CKvoControlAction* action = Actions()->FindOrAdd(20);
    action->SetEnabled(FALSE);
    action->SetChecked(TRUE);
    CKvoTestControl* control = Append(0);
    control->SetCaption(L"Own");
    control->SetTooltip(L"Tip");
    control->SetDescription(L"Description");
    control->SetCategory(L"Category");
    control->SetShortcutText(L"F9");
    control->SetKeyboardTip(L"K");

    control->SetAction(action);
    control->SetAction(action);
    EXPECT_EQ(1, action->GetControlCount());
    EXPECT_EQ(20u, control->GetID());
    EXPECT_EQ(0, control->GetEnabled());
    EXPECT_EQ(1, control->GetChecked());
    EXPECT_EQ(CString(), control->GetCaption());
    EXPECT_EQ(CString(), control->GetTooltip());
    EXPECT_EQ(CString(), control->GetDescription());
    EXPECT_EQ(CString(), control->GetCategory());
    EXPECT_EQ(CString(), control->GetShortcutText());
    EXPECT_EQ(CString(), control->GetKeyboardTip());

    // In customise mode every control can be used.
    m_manager->SetCustomizeMode(TRUE);
    EXPECT_EQ(1, control->GetEnabled());
    m_manager->SetCustomizeMode(FALSE);

    control->SetAction(nullptr);
    EXPECT_EQ(0, action->GetControlCount());
    EXPECT_EQ(1, control->GetEnabled());
    EXPECT_EQ(0, control->GetChecked());

    // Moving to another action leaves the first.
    CKvoControlAction* other = Actions()->FindOrAdd(21);
    control->SetAction(action);
    control->SetAction(other);
    EXPECT_EQ(0, action->GetControlCount());
    EXPECT_EQ(1, other->GetControlCount());
    EXPECT_EQ(21u, control->GetID());

    // Removing the control from its bar unbinds it.
    m_bar->GetControls()->Remove(control);
    EXPECT_EQ(0, other->GetControlCount());
}

TEST_F(KvoControlActionTest, ChangesAreAnnouncedToEveryBoundControlBeforeAndAfter)
{
    CKvoControlAction* action = Actions()->FindOrAdd(30);
    CKvoTestControl* first = Append(30);
    CKvoTestControl* second = Append(30);
    ASSERT_EQ(2, action->GetControlCount());

    m_bar->ClearUpdateFlags();
    action->SetCaption(L"Caption\tCtrl+C");
    EXPECT_EQ(CString(L"Caption"), action->GetCaption()) << "cut at the tab";
    action->SetCaption(L"Caption");
    action->SetEnabled(FALSE);
    action->SetVisible(FALSE);
    action->SetEditHint(L"Type here");
    const std::vector<int> expected = {-1 - KvoActionCaption, KvoActionCaption, -1 - KvoActionEnabled,
                                       KvoActionEnabled,      -1 - KvoActionVisible, KvoActionVisible,
                                       -1 - KvoActionEditHint, KvoActionEditHint};
    EXPECT_EQ(expected, first->m_actionEvents);
    EXPECT_EQ(expected, second->m_actionEvents);
    EXPECT_EQ(1, first->m_nCaptionChanges) << "a caption change reaches OnCaptionChanged";
    EXPECT_TRUE(m_bar->GetUpdateFlags() & KVO_BAR_UPDATE_LAYOUT);
    EXPECT_EQ(CString(L"Caption"), first->GetCaption());
    EXPECT_FALSE(second->IsVisible(0));

    action->SetCaption(MAKEINTRESOURCEW(501));
    EXPECT_EQ(CString(L"Word"), action->GetCaption());
}

TEST_F(KvoControlActionTest, TheAttachedObjectGoesWithTheAction)
{
    CKvoTestControl* attached = new CKvoTestControl;
    const int live = CKvoTestControl::LiveCount();
    Actions()->FindOrAdd(40)->SetTag(attached);
    EXPECT_EQ(attached, Actions()->FindAction(40)->GetTag());
    m_bar->SetBarManager(nullptr);
    m_manager.reset();
    EXPECT_EQ(live - 1, CKvoTestControl::LiveCount());
}

// The actions die with their manager while the bars' controls may live on:
// each bound control is unbound first, as by SetAction(NULL), instead of
// keeping a pointer to a freed action.
TEST_F(KvoControlActionTest, AnActionThatGoesFirstUnbindsItsControls)
{
    CKvoControlAction* action = Actions()->FindOrAdd(50);
    action->SetEnabled(FALSE);
    action->SetCaption(L"Action caption");
    CKvoTestControl* control = Append(50);
    ASSERT_EQ(action, control->GetAction());

    m_bar->SetBarManager(nullptr);
    m_manager.reset();
    EXPECT_EQ(nullptr, control->GetAction());
    EXPECT_EQ(1, control->GetEnabled());
    EXPECT_EQ(0, control->GetChecked());
    EXPECT_EQ(50u, control->GetID());
    EXPECT_EQ(CString(), control->GetCaption());
    EXPECT_TRUE(control->IsVisible(0));
}
}  // namespace
