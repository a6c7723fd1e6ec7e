#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <vector>

#include "commandbars/KvoBarManager.h"
#include "commandbars/KvoControl.h"
#include "commandbars/KvoControlAction.h"
#include "commandbars/KvoControlButton.h"
#include "commandbars/KvoControls.h"
#include "foundation/base/KvoResourceManager.h"
#include "toolkit/commandbars/support/KvoFixtureResourceScope.h"
#include "toolkit/commandbars/support/KvoTestCommandBar.h"
#include "toolkit/commandbars/support/KvoTestControl.h"
#include "toolkit/commandbars/support/KvoTestSiteWindow.h"

namespace {
class KvoControlsTest : public ::testing::Test {
protected:
    void SetUp() override { m_liveControls = CKvoTestControl::LiveCount(); }
    void TearDown() override
    {
        m_bar.reset();
        m_manager.reset();
        EXPECT_EQ(m_liveControls, CKvoTestControl::LiveCount());
    }

    CKvoControls* Controls() { return m_bar->GetControls(); }
    CKvoTestControl* Append(UINT id, BOOL temporary = FALSE)
    {
        CKvoTestControl* control = new CKvoTestControl;
        control->SetType(KvoControlTypeButton);
        Controls()->AddControl(control, id, nullptr, -1, temporary);
        return control;
    }
    // One control per entry, with those hide flags and control flags.
    void AppendWith(std::initializer_list<std::pair<DWORD, DWORD>> hideAndFlags)
    {
        for (const auto& entry : hideAndFlags) {
            CKvoTestControl* control = Append(0);
            control->SetHideFlags(entry.first);
            control->SetFlags(entry.second);
        }
    }
    CKvoBarManager* Manager(BOOL actions = TRUE)
    {
        if (!m_manager) {
            m_manager.reset(new CKvoBarManager);
            if (actions)
                m_manager->EnableActions();
            m_bar->SetBarManager(m_manager.get());
        }
        return m_manager.get();
    }

    std::unique_ptr<CKvoBarManager> m_manager;
    std::unique_ptr<CKvoTestCommandBar> m_bar{new CKvoTestCommandBar};
    KvoFixtureResourceScope m_resources;
    int m_liveControls = 0;
};

// ---- links and references ----

TEST_F(KvoControlsTest, IndexesAndLinksFollowEveryInsertAndRemove)
{
    CKvoTestControl* a = Append(1);
    CKvoTestControl* c = Append(3);
    CKvoTestControl* b = new CKvoTestControl;
    Controls()->InsertControl(b, 1);
    CKvoTestControl* last = new CKvoTestControl;
    Controls()->InsertControl(last, 99);

    const std::vector<CKvoTestControl*> expected = {a, b, c, last};
    ASSERT_EQ(4, Controls()->GetCount());
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(expected[i], Controls()->GetAt(i));
        EXPECT_EQ(i, expected[i]->GetIndex());
        EXPECT_EQ(Controls(), expected[i]->GetControls());
        EXPECT_EQ(m_bar.get(), expected[i]->GetParent());
        EXPECT_EQ(1u, expected[i]->ReferenceCount()) << "the collection's reference only";
    }
    EXPECT_EQ(nullptr, Controls()->GetAt(4));
    EXPECT_EQ(nullptr, Controls()->GetAt(-1));

    b->InternalAddRef();
    Controls()->Remove(b);
    EXPECT_EQ(3, Controls()->GetCount());
    EXPECT_EQ(nullptr, b->GetControls());
    EXPECT_EQ(nullptr, b->GetParent());
    EXPECT_EQ(1, c->GetIndex());
    EXPECT_EQ(1u, b->ReferenceCount()) << "the collection let its reference go";

    // A control of another collection is left alone.
    CKvoControls other;
    other.AppendControl(b);
    Controls()->Remove(b);
    EXPECT_EQ(&other, b->GetControls());
    EXPECT_EQ(1, other.GetCount());
}

TEST_F(KvoControlsTest, ARemovedHotControlClearsTheBarsHotItemFirst)
{
    ASSERT_TRUE(m_bar->CreateBar(0, 0, 100, 20));
    Append(1);
    CKvoTestControl* hot = Append(2);
    m_bar->SetSelected(1, FALSE);
    ASSERT_EQ(1, hot->GetSelected());
    Controls()->Remove(hot);
    EXPECT_EQ(-1, m_bar->GetHotIndex());
}

// ---- adding and binding ----

TEST_F(KvoControlsTest, AddControlBindsOrdinaryCommandsToActions)
{
    struct Case {
        UINT id;
        bool bound;
    } cases[] = {
        {7, true},          {0xFFFFFFE, true},
        {0, false},         {0xFFFFFFF, false},
        // The toolkit's own commands and the list-control commands.
        {9100, false},      {9150, false},      {9299, false},
        {35000, false},     {35003, false},     {9300, true},
    };
    Manager();
    for (const Case& c : cases) {
        CKvoTestControl* control = Append(c.id);
        EXPECT_EQ(c.bound, control->GetAction() != nullptr) << c.id;
        EXPECT_EQ(c.id, control->GetID());
    }
    // A toolkit command keeps its own prompt.
    CKvoControl* toolkit = Controls()->FindControlById(9150);
    EXPECT_EQ(CString(L"Toolkit"), toolkit->GetTooltip());
    // An action that exists already binds, whatever the id.
    CKvoControlAction* existing = m_manager->GetActions()->FindOrAdd(9151);
    EXPECT_EQ(existing, Append(9151)->GetAction());
}

TEST_F(KvoControlsTest, WithoutActionsAControlKeepsItsIdAndPrompt)
{
    Manager(FALSE);
    CKvoTestControl* control = Append(401);
    EXPECT_EQ(nullptr, control->GetAction());
    EXPECT_EQ(CString(L"New drawing"), control->GetTooltip());
    EXPECT_EQ(CString(L"New drawing"), control->GetCaption());
}

TEST_F(KvoControlsTest, AddControlOfTypeMakesButtonsAndNothingElseYet)
{
    Manager();
    EXPECT_EQ(nullptr, Controls()->AddControlOfType(0, 1));
    EXPECT_EQ(nullptr, Controls()->AddControlOfType(12, 1));
    EXPECT_EQ(nullptr, Controls()->AddControl(nullptr, 1));
    // The recent-file list stands for 35003; 35001 is a plain button
    // without a new action.
    EXPECT_EQ(nullptr, Controls()->AddControlOfType(KvoControlTypeButton, 35003));
    CKvoControl* button = Controls()->AddControlOfType(KvoControlTypeButton, 35001, L"argument", 0, TRUE);
    ASSERT_NE(nullptr, button);
    EXPECT_TRUE(button->IsKindOf(RUNTIME_CLASS(CKvoControlButton)));
    EXPECT_EQ(KvoControlTypeButton, button->GetType());
    EXPECT_EQ(nullptr, button->GetAction());
    EXPECT_EQ(CString(L"argument"), button->GetParameter());
    EXPECT_TRUE(button->IsTemporary());
    EXPECT_EQ(1, Controls()->GetCount());
}

TEST_F(KvoControlsTest, SetControlTypeReplacesTheControlWithTheOldTexts)
{
    CKvoTestControl* label = Append(80);
    label->SetType(KvoControlTypeLabel);
    label->SetCaption(L"Label text");
    Append(81);
    const int live = CKvoTestControl::LiveCount();
    CKvoControl* button = Controls()->SetControlType(0, KvoControlTypeButton);
    ASSERT_NE(nullptr, button);
    EXPECT_TRUE(button->IsKindOf(RUNTIME_CLASS(CKvoControlButton)));
    EXPECT_EQ(button, Controls()->GetAt(0));
    EXPECT_EQ(KvoControlTypeButton, button->GetType());
    EXPECT_EQ(CString(L"Label text"), button->GetCaption());
    EXPECT_EQ(80u, button->GetID());
    EXPECT_EQ(2, Controls()->GetCount());
    EXPECT_EQ(live - 1, CKvoTestControl::LiveCount()) << "the old control is gone";
}

// ---- finding and stepping ----

TEST_F(KvoControlsTest, NextControlIndexSkipsAndWrapsAsKeyboardNavigationNeeds)
{
    const DWORD skip = KvoFlagSkipFocus;
    struct Case {
        const char* name;
        std::vector<std::pair<DWORD, DWORD>> controls; // hide flags, control flags
        int start;
        int step;
        int expected;
    } cases[] = {
        {"empty", {}, -1, 1, -1},
        {"first", {{0, 0}, {0, 0}}, -1, 1, 0},
        {"last from the end", {{0, 0}, {0, 0}, {0, 0}}, -1, -1, 2},
        {"only the last selectable", {{1, 0}, {0, skip}, {0, 0}}, -1, 1, 2},
        {"none selectable", {{1, 0}, {0, skip}, {KvoHideWrap, 0}}, -1, 1, -1},
        {"none selectable backwards", {{1, 0}, {0, skip}}, -1, -1, -1},
        {"only the start selectable", {{1, 0}, {1, 0}, {0, 0}, {1, 0}}, 2, 1, 2},
        {"wraps forwards", {{0, 0}, {0, 0}, {0, 0}}, 2, 1, 0},
        {"wraps backwards", {{0, 0}, {1, 0}, {0, 0}}, 0, -1, 2},
        {"scrolled out still counts", {{KvoHideScroll, 0}}, -1, 1, 0},
        {"rarely used counts only when not strict", {{KvoHideExpand, 0}, {0, 0}}, -1, 1, 1},
    };
    for (const Case& c : cases) {
        Controls()->RemoveAllControls();
        for (const auto& entry : c.controls)
            AppendWith({entry});
        EXPECT_EQ(c.expected, Controls()->GetNextControlIndex(c.start, c.step)) << c.name;
    }
    Controls()->RemoveAllControls();
    AppendWith({{KvoHideExpand, 0}, {0, skip}});
    EXPECT_EQ(0, Controls()->GetNextControlIndex(-1, 1, TRUE, FALSE, FALSE));
    EXPECT_EQ(1, Controls()->GetNextControlIndex(-1, 1, FALSE, FALSE, TRUE));
    Controls()->GetAt(1)->SetTemporary(TRUE);
    EXPECT_EQ(-1, Controls()->GetNextControlIndex(-1, 1, FALSE, TRUE, TRUE));
}

TEST_F(KvoControlsTest, FindControlSearchesPopupsDepthFirst)
{
    CKvoTestCommandBar popup;
    CKvoTestControl* inner = new CKvoTestControl;
    inner->SetType(KvoControlTypeLabel);
    popup.GetControls()->AddControl(inner, 20);

    CKvoTestControl* opener = Append(10);
    opener->m_pPopupBar = &popup;
    CKvoTestControl* later = Append(20);
    later->SetType(KvoControlTypeLabel);

    EXPECT_EQ(later, Controls()->FindControl(0, 20, FALSE, FALSE));
    EXPECT_EQ(inner, Controls()->FindControl(0, 20, FALSE, TRUE)) << "right after its opener";
    EXPECT_EQ(inner, Controls()->FindControl(KvoControlTypeLabel, -1, FALSE, TRUE));
    EXPECT_EQ(opener, Controls()->FindControl(0, -1, FALSE, TRUE));
    inner->SetVisible(FALSE);
    EXPECT_EQ(later, Controls()->FindControl(0, 20, TRUE, TRUE));
    EXPECT_EQ(nullptr, Controls()->FindControl(KvoControlTypeEdit, -1, FALSE, TRUE));
    EXPECT_EQ(opener, Controls()->FindControlById(10));
}

TEST_F(KvoControlsTest, VisibleControlsAndHitTest)
{
    AppendWith({{0, 0}, {KvoHideWrap, 0}, {KvoHideGeneric, 0}, {0, 0}});
    for (int i = 0; i < 4; ++i)
        Controls()->GetAt(i)->SetRect(CRect(i * 10, 0, i * 10 + 10, 10));
    EXPECT_EQ(2, Controls()->CountVisibleControls(TRUE));
    EXPECT_EQ(3, Controls()->CountVisibleControls(FALSE));
    EXPECT_EQ(Controls()->GetAt(3), Controls()->GetVisibleControl(1, TRUE));
    EXPECT_EQ(Controls()->GetAt(1), Controls()->GetVisibleControl(1, FALSE));
    EXPECT_EQ(nullptr, Controls()->GetVisibleControl(2, TRUE));
    EXPECT_EQ(Controls()->GetAt(0), Controls()->HitTestControl(CPoint(5, 5)));
    EXPECT_EQ(nullptr, Controls()->HitTestControl(CPoint(15, 5))) << "hidden";
    EXPECT_EQ(Controls()->GetAt(3), Controls()->HitTestControl(CPoint(35, 5)));
    EXPECT_EQ(nullptr, Controls()->HitTestControl(CPoint(45, 5)));
}

// ---- copies and snapshots ----

TEST_F(KvoControlsTest, SnapshotTellsChangesAndIgnoresTemporaryControls)
{
    EXPECT_TRUE(Controls()->IsChanged()) << "no snapshot yet";
    Append(1)->SetCaption(L"One");
    Append(2)->SetCaption(L"Two");
    Controls()->CreateOriginalControls();
    ASSERT_NE(nullptr, Controls()->GetOriginalControls());
    EXPECT_EQ(2, Controls()->GetOriginalControls()->GetCount());
    EXPECT_FALSE(Controls()->IsChanged());

    Append(3, TRUE);
    Controls()->InsertControl(new CKvoTestControl, 0);
    Controls()->GetAt(0)->SetTemporary(TRUE);
    EXPECT_FALSE(Controls()->IsChanged()) << "temporary controls do not count";

    Controls()->GetAt(1)->SetCaption(L"Renamed");
    EXPECT_TRUE(Controls()->IsChanged());
    Controls()->GetAt(1)->SetCaption(L"One");
    Controls()->Remove(Controls()->GetAt(2));
    EXPECT_TRUE(Controls()->IsChanged());
}

TEST_F(KvoControlsTest, CopyAndDuplicateTakePersistentControlsAndTheSnapshot)
{
    Append(1)->SetCaption(L"One");
    Append(2, TRUE);
    Append(3)->SetBeginGroup(TRUE);
    Controls()->CreateOriginalControls();

    CKvoTestCommandBar other;
    other.GetControls()->AddControl(new CKvoTestControl, 99);
    other.GetControls()->Copy(Controls(), FALSE);
    ASSERT_EQ(2, other.GetControlCount());
    EXPECT_EQ(1u, other.GetControl(0)->GetID());
    EXPECT_EQ(3u, other.GetControl(1)->GetID());
    EXPECT_TRUE(other.GetControl(1)->GetBeginGroup());
    EXPECT_EQ(&other, other.GetControl(1)->GetParent());
    EXPECT_TRUE(other.GetControl(0)->IsKindOf(RUNTIME_CLASS(CKvoTestControl)));
    ASSERT_NE(nullptr, other.GetControls()->GetOriginalControls());
    EXPECT_NE(Controls()->GetOriginalControls(), other.GetControls()->GetOriginalControls());
    EXPECT_FALSE(other.GetControls()->IsChanged());
    EXPECT_TRUE(other.GetControls()->Compare(Controls()));

    CKvoControls* duplicate = Controls()->Duplicate(TRUE);
    EXPECT_EQ(2, duplicate->GetCount());
    EXPECT_TRUE(duplicate->Compare(Controls()));
    EXPECT_TRUE(duplicate->GetOriginalControls()->IsKindOf(RUNTIME_CLASS(CKvoOriginalControls)));
    duplicate->InternalRelease();
}

// ---- menus ----

// The fixture's menu 400 loaded into a bar whose owner site is a hidden
// test window: the site sees each item before and after it becomes a
// control and supplies the control of the submenu item.
class KvoControlsMenuTest : public KvoControlsTest {
protected:
    void SetUp() override
    {
        KvoControlsTest::SetUp();
        ASSERT_TRUE(m_site.CreateSite());
        m_bar->m_pExplicitOwner = &m_site;
        m_site.m_onMenuItemCreating = [](MenuItemInfo& item) -> LRESULT {
            if (item.nType != KvoControlTypePopup)
                return 0;
            CKvoTestControl* popup = new CKvoTestControl;
            popup->SetType(KvoControlTypePopup);
            popup->SetCaption(item.strCaption);
            popup->SetID(item.nId);
            item.pControl = popup;
            return 1;
        };
        ASSERT_TRUE(CKvoResourceManager::Instance()->LoadMenu(&m_menu, 400));
    }

    CKvoTestSiteWindow m_site;
    CMenu m_menu;
};

TEST_F(KvoControlsMenuTest, AMenuBecomesControlsWithTheirGroupsIdsAndStates)
{
    ASSERT_TRUE(m_bar->LoadMenu(&m_menu));
    struct Expected {
        UINT id;
        const wchar_t* caption;
        const wchar_t* shortcut;
        int type;
        BOOL beginGroup;
        DWORD flags;
        BOOL defaultItem;
        int enabled;
        int checked;
    } expected[] = {
        {401, L"&New", L"Ctrl+N", KvoControlTypeButton, FALSE, 0, FALSE, 1, 0},
        {406, L"Cu&t", L"", KvoControlTypeButton, TRUE, 0, FALSE, 1, 0},
        // A column break starts no group, even after a separator; a bar
        // break does.
        {402, L"&Open", L"", KvoControlTypeButton, FALSE, KvoFlagWrapRow, FALSE, 1, 0},
        {403, L"&Close", L"", KvoControlTypeButton, TRUE, KvoFlagWrapRow, FALSE, 1, 0},
        {4000, L"&Recent", L"", KvoControlTypePopup, FALSE, 0, FALSE, 1, 0},
        {404, L"&Save", L"", KvoControlTypeButton, FALSE, 0, TRUE, 1, 0},
        {405, L"Check", L"", KvoControlTypeButton, FALSE, 0, FALSE, 0, 1},
        {0xE210, L"Object", L"", KvoControlTypeButton, FALSE, 0, FALSE, 1, 0},
    };
    ASSERT_EQ(static_cast<int>(std::size(expected)), m_bar->GetControlCount());
    for (int i = 0; i < m_bar->GetControlCount(); ++i) {
        const Expected& e = expected[i];
        CKvoControl* control = m_bar->GetControl(i);
        EXPECT_EQ(e.id, control->GetID()) << i;
        EXPECT_EQ(CString(e.caption), control->GetCaption()) << i;
        EXPECT_EQ(CString(e.shortcut), control->GetShortcutText()) << i;
        EXPECT_EQ(e.type, control->GetType()) << i;
        EXPECT_EQ(e.beginGroup, control->GetBeginGroup()) << i;
        EXPECT_EQ(e.flags, control->GetFlags()) << i;
        EXPECT_EQ(e.defaultItem, control->GetDefaultItem()) << i;
        EXPECT_EQ(e.enabled, control->GetEnabled()) << i;
        EXPECT_EQ(e.checked, control->GetChecked()) << i;
    }
    // The string of a command id is its prompt.
    EXPECT_EQ(CString(L"Creates a new drawing"), m_bar->GetControl(0)->GetDescription());

    // The site saw every item but the one the menu keeps, the submenu with
    // its id from after the tab and its caption cut there.
    ASSERT_EQ(9u, m_site.m_creating.size());
    EXPECT_EQ(4000u, m_site.m_creating[4].nId);
    EXPECT_EQ(CString(L"&Recent"), m_site.m_creating[4].strCaption);
    EXPECT_EQ(KvoControlTypePopup, m_site.m_creating[4].nType);
    EXPECT_EQ(5, m_site.m_creating[4].nPosition);
    EXPECT_EQ(m_bar.get(), m_site.m_creating[4].pParentBar);
    // The placeholder of the object verbs makes no control yet.
    EXPECT_EQ(CString(L"<<OLE VERBS GO HERE>>"), m_site.m_creating[7].strCaption);
    ASSERT_EQ(8u, m_site.m_created.size());
    for (size_t i = 0; i < m_site.m_created.size(); ++i)
        EXPECT_EQ(m_bar->GetControl(static_cast<int>(i)), m_site.m_created[i].control);
}

TEST_F(KvoControlsMenuTest, MenuItemsBindToActionsThatTakeTheirCaptions)
{
    Manager();
    CKvoControlAction* named = m_manager->FindOrAddAction(402);
    named->SetCaption(L"Named");
    ASSERT_TRUE(m_bar->LoadMenu(&m_menu));

    CKvoControl* fresh = m_bar->GetControl(0);
    ASSERT_NE(nullptr, fresh->GetAction());
    EXPECT_EQ(CString(L"&New"), fresh->GetAction()->GetCaption());
    EXPECT_EQ(CString(L"New drawing"), fresh->GetAction()->GetTooltip());
    fresh->GetAction()->SetEnabled(FALSE);
    EXPECT_EQ(0, fresh->GetEnabled()) << "the control follows its action";
    EXPECT_EQ(named, m_bar->GetControl(2)->GetAction());
    EXPECT_EQ(CString(L"Named"), m_bar->GetControl(2)->GetCaption());
    // A bound control takes its state from the action, not from the menu.
    EXPECT_EQ(1, m_bar->GetControl(6)->GetEnabled());
}

TEST_F(KvoControlsMenuTest, ASiteAnswerReplacesIdCaptionTypeAndStyle)
{
    m_site.m_onMenuItemCreating = [](MenuItemInfo& item) -> LRESULT {
        if (item.nId != 401)
            return 0;
        item.nId = 501;
        item.strCaption = L"Replaced\tAlt+R";
        item.nStyle = KvoButtonCaption;
        return 1;
    };
    CKvoControl* control = m_bar->GetControls()->AddMenuItem(&m_menu, 0);
    ASSERT_NE(nullptr, control);
    EXPECT_EQ(501u, control->GetID());
    EXPECT_EQ(CString(L"Replaced"), control->GetCaption());
    EXPECT_EQ(CString(L"Alt+R"), control->GetShortcutText());
    EXPECT_EQ(KvoButtonCaption, control->GetStyle());
    EXPECT_EQ(nullptr, m_bar->GetControls()->AddMenuItem(&m_menu, 6)) << "0xFF00 is skipped";
    EXPECT_EQ(nullptr, m_bar->GetControls()->AddMenuItem(nullptr, 0));
    EXPECT_FALSE(m_bar->LoadMenu(nullptr));
}
}  // namespace
