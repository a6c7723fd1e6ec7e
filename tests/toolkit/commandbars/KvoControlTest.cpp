#include <gtest/gtest.h>

#include <memory>

#include "commandbars/KvoBarManager.h"
#include "commandbars/KvoControl.h"
#include "commandbars/KvoControlAction.h"
#include "commandbars/KvoControlButton.h"
#include "commandbars/KvoControls.h"
#include "foundation/images/KvoImageManager.h"
#include "toolkit/commandbars/support/KvoFixtureResourceScope.h"
#include "toolkit/commandbars/support/KvoTestCommandBar.h"
#include "toolkit/commandbars/support/KvoTestControl.h"

namespace {
// A command id with an icon in the shared image manager.
const UINT kIconCommand = 7701;

// Controls on a bar without a window (and, where asked, a manager); every
// test control is gone again at the end.
class KvoControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_liveControls = CKvoTestControl::LiveCount();
        static bool iconRegistered = false;
        if (!iconRegistered)
            iconRegistered = CKvoImageManager::Instance()->SetIcon(::LoadIconW(NULL, IDI_APPLICATION), kIconCommand);
        ASSERT_TRUE(iconRegistered);
    }
    void TearDown() override
    {
        m_bar.reset();
        m_manager.reset();
        EXPECT_EQ(m_liveControls, CKvoTestControl::LiveCount());
    }

    // A control added to the bar (the collection holds its reference).
    CKvoTestControl* Add(UINT id = 0, int type = KvoControlTypeButton)
    {
        CKvoTestControl* control = new CKvoTestControl;
        control->SetType(type);
        m_bar->GetControls()->AddControl(control, id);
        return control;
    }
    // The manager with actions on, serving the bar.
    CKvoBarManager* Manager()
    {
        if (!m_manager) {
            m_manager.reset(new CKvoBarManager);
            m_manager->EnableActions();
            m_bar->SetBarManager(m_manager.get());
        }
        return m_manager.get();
    }

    // Declared first: the bar (and its controls) go before the manager.
    std::unique_ptr<CKvoBarManager> m_manager;
    std::unique_ptr<CKvoTestCommandBar> m_bar{new CKvoTestCommandBar};
    KvoFixtureResourceScope m_resources;
    int m_liveControls = 0;
};

// ---- texts ----

TEST_F(KvoControlTest, CaptionTooltipAndDescriptionFallBackToTheAction)
{
    struct Case {
        const wchar_t* customCaption;
        const wchar_t* caption;
        const wchar_t* actionCaption;
        const wchar_t* actionTooltip;
        const wchar_t* expectedCaption;
    } cases[] = {
        {L"Custom", L"Own", L"Action", L"Tip", L"Custom"},
        {L"", L"Own", L"Action", L"Tip", L"Own"},
        {L"", L"", L"Action", L"Tip", L"Action"},
        // An action without a caption shows its tooltip as the caption.
        {L"", L"", L"", L"Tip", L"Tip"},
        {L"", L"", L"", L"", L""},
    };
    UINT id = 100;
    for (const Case& c : cases) {
        CKvoControlAction* action = Manager()->FindOrAddAction(++id);
        action->SetCaption(c.actionCaption);
        action->SetPrompt(CString(L"Action description\n") + c.actionTooltip);
        CKvoTestControl* control = Add(id);
        ASSERT_EQ(action, control->GetAction());
        control->SetCustomCaption(c.customCaption);
        control->SetCaption(c.caption);
        EXPECT_EQ(CString(c.expectedCaption), control->GetCaption()) << id;
        EXPECT_EQ(CString(c.actionTooltip), control->GetTooltip());
        control->SetTooltip(L"Own tip");
        control->SetDescription(L"Own description");
        EXPECT_EQ(CString(L"Own tip"), control->GetTooltip());
        EXPECT_EQ(CString(L"Own description"), control->GetDescription());
    }
}

TEST_F(KvoControlTest, CaptionSplitsItsShortcutAtTheTabAndRelaysOutOnlyOnChange)
{
    struct Step {
        LPCWSTR text;
        const wchar_t* caption;
        const wchar_t* shortcut;
        int captionChanges;
        bool layout;
    } steps[] = {
        {L"Word\tCtrl+W", L"Word", L"Ctrl+W", 1, true},
        // Without a tab the shortcut stays.
        {L"Word", L"Word", L"Ctrl+W", 0, false},
        {L"Word\tCtrl+X", L"Word", L"Ctrl+X", 0, true},
        {MAKEINTRESOURCEW(500), L"Caption from a string", L"Ctrl+X", 1, true},
        {MAKEINTRESOURCEW(501), L"Word", L"Ctrl+W", 1, true},
        // Code units compare: a change of case is a change.
        {L"WORD", L"WORD", L"Ctrl+W", 1, true},
    };
    CKvoTestControl* control = Add();
    for (const Step& step : steps) {
        m_bar->ClearUpdateFlags();
        const int changesBefore = control->m_nCaptionChanges;
        control->SetCaption(step.text);
        EXPECT_EQ(CString(step.caption), control->GetCaption());
        EXPECT_EQ(CString(step.shortcut), control->GetShortcutTextAuto());
        EXPECT_EQ(step.captionChanges, control->m_nCaptionChanges - changesBefore) << step.caption;
        EXPECT_EQ(step.layout, (m_bar->GetUpdateFlags() & KVO_BAR_UPDATE_LAYOUT) != 0) << step.caption;
    }
    control->SetCaptionId(999);
    EXPECT_EQ(CString(L"WORD"), control->GetCaption());
    control->SetCaptionId(500);
    EXPECT_EQ(CString(L"Caption from a string"), control->GetCaption());
}

TEST_F(KvoControlTest, PromptFillsDescriptionTooltipAndWhatIsEmpty)
{
    struct Case {
        const wchar_t* prompt;
        const wchar_t* caption;
        const wchar_t* keyTip;
        const wchar_t* description;
        const wchar_t* tooltip;
        const wchar_t* expectedCaption;
        const wchar_t* expectedKeyTip;
        int captionChanges;
    } cases[] = {
        {L"Whole", L"", L"", L"Whole", L"Whole", L"Whole", L"", 1},
        {L"Desc\nTip", L"", L"", L"Desc", L"Tip", L"Tip", L"", 1},
        {L"Desc\nTip\nCap", L"", L"", L"Desc", L"Tip", L"Cap", L"", 1},
        {L"Desc\nTip\nCap\nK", L"", L"", L"Desc", L"Tip", L"Cap", L"K", 1},
        {L"Desc\nTip\nCap\nK", L"Mine", L"M", L"Desc", L"Tip", L"Mine", L"M", 0},
        // Nothing happens for an empty prompt.
        {L"", L"Mine", L"", L"", L"", L"Mine", L"", 0},
    };
    for (const Case& c : cases) {
        CKvoTestControl* control = Add();
        control->SetCaption(c.caption);
        control->SetKeyboardTip(c.keyTip);
        const int changesBefore = control->m_nCaptionChanges;
        control->SetPrompt(c.prompt);
        EXPECT_EQ(CString(c.description), control->GetDescription()) << c.prompt;
        EXPECT_EQ(CString(c.tooltip), control->GetTooltip()) << c.prompt;
        EXPECT_EQ(CString(c.expectedCaption), control->GetCaption()) << c.prompt;
        EXPECT_EQ(CString(c.expectedKeyTip), control->GetKeyboardTip()) << c.prompt;
        EXPECT_EQ(c.captionChanges, control->m_nCaptionChanges - changesBefore) << c.prompt;
    }
}

TEST_F(KvoControlTest, PromptIdLoadsTheStringOfANewIdOnly)
{
    CKvoTestControl* control = Add(401);
    EXPECT_EQ(401u, control->GetID());
    EXPECT_EQ(CString(L"Creates a new drawing"), control->GetDescription());
    EXPECT_EQ(CString(L"New drawing"), control->GetTooltip());

    control->SetTooltip(L"Changed");
    control->SetPromptId(401);
    EXPECT_EQ(CString(L"Changed"), control->GetTooltip());

    // An id without a string still becomes the command id.
    control->SetPromptId(999);
    EXPECT_EQ(999u, control->GetID());
    EXPECT_EQ(CString(L"Changed"), control->GetTooltip());
}

// ---- styles, captions and icons ----

TEST_F(KvoControlTest, StyleTakesCustomThenOwnThenTheBarsDefault)
{
    struct Case {
        int customStyle;
        int style;
        bool onBar;
        int expected;
    } cases[] = {
        {-1, 0, true, KvoButtonIconAndCaption},
        {-1, KvoButtonIcon, true, KvoButtonIcon},
        // A custom style of 0 means automatic, whatever else is set.
        {0, KvoButtonIcon, true, KvoButtonAutomatic},
        {KvoButtonIconAndCaptionBelow, KvoButtonIcon, true, KvoButtonIconAndCaptionBelow},
        {-1, 0, false, KvoButtonAutomatic},
    };
    m_bar->SetDefaultButtonStyle(KvoButtonIconAndCaption);
    for (const Case& c : cases) {
        CKvoControlButton button;
        if (c.onBar)
            button.SetParent(m_bar.get());
        button.SetCustomStyle(c.customStyle);
        button.SetStyle(c.style);
        EXPECT_EQ(c.expected, button.GetStyle()) << c.customStyle << " " << c.style;
    }
}

TEST_F(KvoControlTest, CaptionVisibilityFollowsBarStyleTypeAndIcon)
{
    struct Case {
        int barType;
        int controlType;
        int style;
        const wchar_t* caption;
        UINT id;
        BOOL expected;
    } cases[] = {
        // Popup bars show every caption.
        {KvoBarTypePopup, KvoControlTypeButton, KvoButtonIcon, L"Cut", kIconCommand, TRUE},
        {KvoBarTypeNormal, KvoControlTypeButton, KvoButtonCaption, L"", 5, FALSE},
        {KvoBarTypeNormal, KvoControlTypeButton, KvoButtonCaption, L"Cut", kIconCommand, TRUE},
        {KvoBarTypeNormal, KvoControlTypeButton, KvoButtonIcon, L"Cut", 5, FALSE},
        {KvoBarTypeNormal, KvoControlTypeButton, KvoButtonIconAndCaptionBelow, L"Cut", kIconCommand, TRUE},
        // Automatic: buttons show the caption only without an icon.
        {KvoBarTypeNormal, KvoControlTypeButton, KvoButtonAutomatic, L"Cut", kIconCommand, FALSE},
        {KvoBarTypeNormal, KvoControlTypeButton, KvoButtonAutomatic, L"Cut", 5, TRUE},
        {KvoBarTypeNormal, KvoControlTypeSplitButtonPopup, KvoButtonAutomatic, L"Cut", kIconCommand, FALSE},
        {KvoBarTypeNormal, KvoControlTypePopup, KvoButtonAutomatic, L"Cut", kIconCommand, TRUE},
        {KvoBarTypeNormal, KvoControlTypeLabel, KvoButtonAutomatic, L"Cut", 5, TRUE},
        {KvoBarTypeNormal, KvoControlTypeEdit, KvoButtonAutomatic, L"Cut", 5, FALSE},
    };
    for (const Case& c : cases) {
        m_bar->m_barType = c.barType;
        CKvoTestControl* control = Add(c.id, c.controlType);
        control->SetStyle(c.style);
        control->SetCaption(c.caption);
        EXPECT_EQ(c.expected, control->IsCaptionVisible())
            << c.barType << " " << c.controlType << " " << c.style << " " << c.id;
    }
}

TEST_F(KvoControlTest, ImageIdTakesCustomThenIconThenActionThenCommandId)
{
    CKvoImageManagerIcon* icon = CKvoImageManager::Instance()->IsIconDefined(kIconCommand);
    ASSERT_NE(nullptr, icon);

    CKvoTestControl* plain = Add(0);
    EXPECT_EQ(nullptr, plain->GetImage()) << "command id 0 has no icon";
    CKvoTestControl* byId = Add(kIconCommand);
    EXPECT_EQ(icon, byId->GetImage());
    CKvoTestControl* byIconId = Add(5);
    byIconId->SetIconId(kIconCommand);
    EXPECT_EQ(icon, byIconId->GetImage());
    byIconId->SetCustomIconId(6);
    EXPECT_EQ(6, byIconId->GetIconId());
    EXPECT_EQ(nullptr, byIconId->GetImage());

    CKvoControlAction* action = Manager()->FindOrAddAction(8);
    CKvoTestControl* bound = Add(8);
    EXPECT_EQ(8, bound->GetIconId());
    action->SetIconId(kIconCommand);
    EXPECT_EQ(icon, bound->GetImage());
}

// ---- visibility ----

TEST_F(KvoControlTest, VisibilityIgnoresTheHideFlagsOfTheMask)
{
    struct Case {
        DWORD hideFlags;
        DWORD mask;
        BOOL expected;
    } cases[] = {
        {0, 0, TRUE},
        {KvoHideGeneric, 0, FALSE},
        {KvoHideWrap, KvoHideWrap, TRUE},
        {KvoHideWrap | KvoHideGeneric, KvoHideWrap, FALSE},
        {KvoHideScroll | KvoHideExpand, KvoHideScroll | KvoHideExpand, TRUE},
        {KvoHideScroll | KvoHideExpand, KvoHideScroll, FALSE},
    };
    CKvoTestControl* control = Add();
    for (const Case& c : cases) {
        control->SetHideFlags(c.hideFlags);
        EXPECT_EQ(c.expected, control->IsVisible(c.mask)) << c.hideFlags << " " << c.mask;
    }

    control->SetHideFlags(KvoHideExpand);
    control->SetRarelyUsed(TRUE);
    control->SetRarelyUsed(FALSE);
    EXPECT_EQ(0u, control->GetHideFlags());

    m_bar->ClearUpdateFlags();
    control->SetVisible(FALSE);
    EXPECT_EQ(static_cast<DWORD>(KvoHideGeneric), control->GetHideFlags());
    EXPECT_TRUE(m_bar->GetUpdateFlags() & KVO_BAR_UPDATE_LAYOUT);
    control->SetVisible(TRUE);

    // An action that hides its controls hides them whatever the mask.
    CKvoControlAction* action = Manager()->FindOrAddAction(9);
    control->SetAction(action);
    action->SetVisible(FALSE);
    EXPECT_FALSE(control->IsVisible(0xFFFFFFFF));
}

// ---- comparing, copying, cloning ----

TEST_F(KvoControlTest, CompareLooksAtWhatTheUserCanChange)
{
    struct Change {
        const char* name;
        void (*apply)(CKvoControl*);
        BOOL stillEqual;
    } changes[] = {
        {"style", [](CKvoControl* c) { c->SetStyle(KvoButtonIcon); }, FALSE},
        {"type", [](CKvoControl* c) { c->SetType(KvoControlTypeLabel); }, FALSE},
        {"id", [](CKvoControl* c) { c->SetID(77); }, FALSE},
        {"flags", [](CKvoControl* c) { c->SetFlags(KvoFlagRightAlign); }, FALSE},
        {"begin group", [](CKvoControl* c) { c->SetBeginGroup(TRUE); }, FALSE},
        {"icon id", [](CKvoControl* c) { c->SetIconId(12); }, FALSE},
        {"caption", [](CKvoControl* c) { c->SetCaption(L"Other"); }, FALSE},
        {"tooltip", [](CKvoControl* c) { c->SetTooltip(L"Other"); }, FALSE},
        {"description", [](CKvoControl* c) { c->SetDescription(L"Other"); }, FALSE},
        {"custom caption", [](CKvoControl* c) { c->SetCustomCaption(L"Other"); }, FALSE},
        {"custom style", [](CKvoControl* c) { c->SetCustomStyle(KvoButtonCaption); }, FALSE},
        {"parameter", [](CKvoControl* c) { c->SetParameter(L"Other"); }, FALSE},
        {"hide flag 16", [](CKvoControl* c) { c->SetHideFlags(KvoHideCustomize); }, FALSE},
        {"width", [](CKvoControl* c) { c->SetWidth(40); }, FALSE},
        {"hidden by the program", [](CKvoControl* c) { c->SetHideFlags(KvoHideGeneric); }, TRUE},
        {"enabled", [](CKvoControl* c) { c->SetEnabled(FALSE); }, TRUE},
        {"shortcut", [](CKvoControl* c) { c->SetShortcutText(L"F5"); }, TRUE},
        {"tag", [](CKvoControl* c) { c->SetTag(3); }, TRUE},
    };
    for (const Change& change : changes) {
        CKvoTestControl* original = Add(50);
        original->SetCaption(L"Caption");
        CKvoControl* copy = original->Clone(FALSE);
        EXPECT_TRUE(copy->Compare(original)) << change.name;
        change.apply(copy);
        EXPECT_EQ(change.stillEqual, copy->Compare(original)) << change.name;
        copy->InternalRelease();
    }
}

TEST_F(KvoControlTest, CopyTakesTheStateButNotThePlace)
{
    CKvoTestControl* source = Add(60);
    source->SetCaption(L"Source\tCtrl+S");
    source->SetShortcutText(L"F2");
    source->SetTooltip(L"Tip");
    source->SetDescription(L"Description");
    source->SetParameter(L"Parameter");
    source->SetKeyboardTip(L"S");
    source->SetCustomIconId(3);
    source->SetIconId(4);
    source->SetHelpId(5);
    source->SetCustomCaption(L"Custom");
    source->SetCategory(L"File");
    source->SetHideFlags(KvoHideWrap);
    source->SetDefaultItem(TRUE);
    source->SetEnabled(0);
    source->SetChecked(1);
    source->SetCustomStyle(KvoButtonCaption);
    source->SetStyle(KvoButtonIcon);
    source->SetWidth(30);
    source->SetHeight(20);
    source->SetIconSize(CSize(24, 24));
    source->SetBeginGroup(TRUE);
    source->SetCloseSubMenuOnClick(FALSE);
    source->SetExecuteOnPressInterval(100);
    source->SetTag(42);
    source->SetFlags(KvoFlagLeftPopup);
    source->GetAssignedDocTemplates().SetAt(128, TRUE);
    source->GetExcludedDocTemplates().SetAt(129, TRUE);
    source->SetRect(CRect(1, 2, 3, 4));
    source->SetSelected(1);

    CKvoTestControl copy;
    copy.m_nMinWidth = 45;
    copy.Copy(source, FALSE);
    EXPECT_EQ(60u, copy.GetID());
    EXPECT_EQ(CString(L"Custom"), copy.GetCaption());
    EXPECT_EQ(CString(L"Custom"), copy.GetCustomCaption());
    EXPECT_EQ(CString(L"Ctrl+S"), copy.GetShortcutTextAuto());
    EXPECT_EQ(CString(L"F2"), copy.GetShortcutText());
    EXPECT_EQ(CString(L"Tip"), copy.GetTooltip());
    EXPECT_EQ(CString(L"Description"), copy.GetDescription());
    EXPECT_EQ(CString(L"Parameter"), copy.GetParameter());
    EXPECT_EQ(CString(L"S"), copy.GetKeyboardTip());
    EXPECT_EQ(3, copy.GetCustomIconId());
    EXPECT_EQ(5, copy.GetHelpId());
    EXPECT_EQ(CString(L"File"), copy.GetCategory());
    EXPECT_EQ(static_cast<DWORD>(KvoHideWrap), copy.GetHideFlags());
    EXPECT_TRUE(copy.GetDefaultItem());
    EXPECT_EQ(0, copy.GetEnabled());
    EXPECT_EQ(1, copy.GetChecked());
    EXPECT_EQ(KvoButtonCaption, copy.GetStyle());
    EXPECT_EQ(45, copy.GetWidth()) << "at least the customise minimum";
    EXPECT_EQ(20, copy.GetHeight());
    EXPECT_EQ(CSize(24, 24), copy.GetIconSize());
    EXPECT_TRUE(copy.GetBeginGroup());
    EXPECT_FALSE(copy.GetCloseSubMenuOnClick());
    EXPECT_EQ(100, copy.GetExecuteOnPressInterval());
    EXPECT_EQ(42u, copy.GetTag());
    EXPECT_EQ(static_cast<DWORD>(KvoFlagLeftPopup), copy.GetFlags());
    BOOL value = FALSE;
    EXPECT_TRUE(copy.GetAssignedDocTemplates().Lookup(128, value));
    EXPECT_TRUE(copy.GetExcludedDocTemplates().Lookup(129, value));
    EXPECT_EQ(1, copy.m_nCaptionChanges);
    // Not copied: the place and the live state.
    EXPECT_TRUE(copy.GetRect().IsRectNull());
    EXPECT_EQ(0, copy.GetSelected());
    EXPECT_EQ(nullptr, copy.GetParent());
    EXPECT_EQ(nullptr, copy.GetControls());
    copy.SetCustomCaption(L"");
    EXPECT_EQ(CString(L"Source"), copy.GetCaption());
}

TEST_F(KvoControlTest, CloneMakesTheSameClassAndSharesTheAction)
{
    CKvoControlAction* action = Manager()->FindOrAddAction(70);
    CKvoTestControl* original = Add(70);
    ASSERT_EQ(action, original->GetAction());
    CKvoControl* clone = original->Clone(TRUE);
    ASSERT_NE(nullptr, clone);
    EXPECT_TRUE(clone->IsKindOf(RUNTIME_CLASS(CKvoTestControl)));
    EXPECT_EQ(action, clone->GetAction());
    EXPECT_EQ(2, action->GetControlCount());
    EXPECT_TRUE(clone->Compare(original));
    clone->InternalRelease();
    EXPECT_EQ(1, action->GetControlCount()) << "a control that goes leaves its action";

    CKvoControlButton button;
    CKvoControl* buttonClone = button.Clone(FALSE);
    EXPECT_EQ(RUNTIME_CLASS(CKvoControlButton), buttonClone->GetRuntimeClass());
    EXPECT_EQ(KvoControlTypeButton, buttonClone->GetType());
    buttonClone->InternalRelease();
}

TEST_F(KvoControlTest, DraggingInCustomizeModeNeedsAManagerAndAMovableControl)
{
    CKvoTestControl* control = Add(90);
    EXPECT_FALSE(control->CanDragInCustomizeMode()) << "no manager";
    Manager();
    struct Case {
        BOOL customizable;
        DWORD flags;
        BOOL managerAllows;
        BOOL expected;
    } cases[] = {
        {TRUE, 0, FALSE, TRUE},
        {TRUE, KvoFlagNoMovable, TRUE, FALSE},
        {FALSE, 0, FALSE, FALSE},
        {FALSE, KvoFlagNoMovable, TRUE, TRUE},
    };
    for (const Case& c : cases) {
        m_bar->SetCustomizable(c.customizable);
        control->SetFlags(c.flags);
        m_manager->SetCustomizeAvailable(c.managerAllows);
        EXPECT_EQ(c.expected, control->CanDragInCustomizeMode()) << c.customizable << " " << c.flags;
    }
    CKvoTestControl loose;
    EXPECT_FALSE(loose.CanDragInCustomizeMode());
}

TEST_F(KvoControlTest, GlassCaptionOnlyOnARibbonThatSaysSo)
{
    CKvoTestControl* control = Add();
    control->SetRect(CRect(0, 0, 20, 20));
    m_bar->m_rcGlassCaption = CRect(10, 0, 100, 10);
    EXPECT_FALSE(control->IsOnGlassCaption()) << "not a ribbon";
    m_bar->m_bRibbon = TRUE;
    EXPECT_TRUE(control->IsOnGlassCaption());
    control->SetRect(CRect(0, 20, 20, 40));
    EXPECT_FALSE(control->IsOnGlassCaption());
    CKvoTestControl loose;
    EXPECT_FALSE(loose.IsOnGlassCaption());
}
}  // namespace
