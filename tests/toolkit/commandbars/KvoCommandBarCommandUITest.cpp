// A bar in the test frame takes part in the command machinery: idle
// command updates through reflected, own and routed handlers, document-
// template hiding, status prompts caught by the frame, context-help hit
// codes, and an accessibility client reading the bar and its buttons.
#include <gtest/gtest.h>

#include <afxpriv.h>
#include <oleacc.h>

#include "commandbars/KvoBarManager.h"
#include "commandbars/KvoControl.h"
#include "commandbars/KvoControls.h"
#include "commandbars/KvoPaintManager.h"
#include "framework/WindowTestSupport.h"
#include "toolkit/commandbars/support/KvoTestFrame.h"
#include "toolkit/commandbars/support/KvoTestPaintManager.h"

namespace {
const UINT kHandledId = 3101;
const UINT kUnhandledId = 3102;
const UINT kReflectedId = 3103;

// A bar that answers some updates itself, as a bar class of an application
// may.
class CUpdatingBar : public CKvoCommandBar {
public:
    int m_nReflected = 0;
    BOOL m_bTakeReflected = FALSE;

protected:
    afx_msg void OnUpdateReflected(CCmdUI* cmdUI)
    {
        // The reflected handler is offered every control: the others go on
        // to the frame.
        if (cmdUI->m_nID != kReflectedId || !m_bTakeReflected) {
            cmdUI->ContinueRouting();
            return;
        }
        ++m_nReflected;
        cmdUI->SetCheck(1);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUpdatingBar, CKvoCommandBar)
    ON_UPDATE_COMMAND_UI_REFLECT(&CUpdatingBar::OnUpdateReflected)
END_MESSAGE_MAP()

// A frame whose handler disables kHandledId and checks it.
class CUpdatingFrame : public CKvoTestFrame {
public:
    int m_nUpdates = 0;

protected:
    afx_msg void OnUpdateHandled(CCmdUI* cmdUI)
    {
        ++m_nUpdates;
        cmdUI->SetCheck(m_bCheck);
        cmdUI->Enable(m_bEnable);
    }
    DECLARE_MESSAGE_MAP()

public:
    BOOL m_bEnable = FALSE;
    int m_bCheck = 1;
};

BEGIN_MESSAGE_MAP(CUpdatingFrame, CKvoTestFrame)
    ON_UPDATE_COMMAND_UI(kHandledId, &CUpdatingFrame::OnUpdateHandled)
END_MESSAGE_MAP()

class CTemplateManager : public CKvoBarManager {
public:
    UINT m_nActive = 0;
    UINT GetActiveDocTemplate() override { return m_nActive; }
};

class KvoCommandBarCommandUITest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_paintManager = new CKvoTestPaintManager;
        CKvoPaintManager::SetCustomTheme(m_paintManager);
        m_frame = new CUpdatingFrame;
        ASSERT_TRUE(m_frame->CreateFrame(100, 100, 400, 160, &m_bar));
        m_handled = m_frame->AddButton(kHandledId, L"&Handled");
        m_unhandled = m_frame->AddButton(kUnhandledId, L"Unhandled");
        m_reflected = m_frame->AddButton(kReflectedId, L"Reflected");
        m_frame->ShowWindow(SW_SHOWNOACTIVATE);
    }
    void TearDown() override
    {
        if (m_frame->GetSafeHwnd())
            m_frame->DestroyWindow();
        m_bar.GetControls()->RemoveAllControls();
        CKvoPaintManager::DestroyInstance();
        m_paintManager->InternalRelease();
    }
    void IdleUpdate() { m_bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE); }

    CKvoTestPaintManager* m_paintManager = nullptr;
    CUpdatingBar m_bar; // outlives the frame's window
    CUpdatingFrame* m_frame = nullptr;
    CKvoControl* m_handled = nullptr;
    CKvoControl* m_unhandled = nullptr;
    CKvoControl* m_reflected = nullptr;
};

TEST_F(KvoCommandBarCommandUITest, IdleUpdateRoutesToTheFrameAndTheReflectedHandlerWins)
{
    m_bar.m_bTakeReflected = TRUE;
    IdleUpdate();

    EXPECT_EQ(1, m_frame->m_nUpdates);
    EXPECT_EQ(0, m_handled->GetEnabled());
    EXPECT_EQ(1, m_handled->GetChecked());
    EXPECT_NE(0, m_unhandled->GetEnabled()) << "no handler and no manager option: left enabled";
    EXPECT_EQ(1, m_bar.m_nReflected);
    EXPECT_EQ(1, m_reflected->GetChecked());
}

TEST_F(KvoCommandBarCommandUITest, DisablingDropsACheckTheUpdateDidNotSet)
{
    m_reflected->SetChecked(TRUE);
    // The frame's handler for kHandledId checks, then disables: the check
    // was set in the same update and stays.
    m_frame->m_bCheck = 1;
    IdleUpdate();
    EXPECT_EQ(1, m_handled->GetChecked());
    EXPECT_EQ(0, m_handled->GetEnabled());

    // A record that only disables a checked control clears the check.
    CKvoCommandBar::CCommandBarCmdUI state;
    state.m_pControl = m_reflected;
    state.m_nID = kReflectedId;
    state.Enable(FALSE);
    EXPECT_EQ(0, m_reflected->GetChecked());
    EXPECT_EQ(0, m_reflected->GetEnabled());
}

TEST_F(KvoCommandBarCommandUITest, NoNotifyBarsAndManualControlsKeepTheirStates)
{
    m_bar.m_bNoNotify = TRUE;
    IdleUpdate();
    EXPECT_EQ(0, m_frame->m_nUpdates);
    EXPECT_NE(0, m_handled->GetEnabled());

    m_bar.m_bNoNotify = FALSE;
    m_handled->SetFlags(m_handled->GetFlags() | KvoFlagManualUpdate);
    IdleUpdate();
    EXPECT_EQ(0, m_frame->m_nUpdates);
}

TEST_F(KvoCommandBarCommandUITest, DocumentTemplatesHideAndShowControls)
{
    CTemplateManager manager;
    manager.SetSite(m_frame);
    m_bar.SetBarManager(&manager);
    m_handled->GetAssignedDocTemplates().SetAt(7, TRUE);
    m_unhandled->GetExcludedDocTemplates().SetAt(7, TRUE);

    manager.m_nActive = 7;
    IdleUpdate();
    EXPECT_FALSE(m_handled->GetHideFlags() & KvoHideDocTemplate);
    EXPECT_TRUE(m_unhandled->GetHideFlags() & KvoHideDocTemplate);
    EXPECT_TRUE(m_bar.GetUpdateFlags() & KVO_BAR_UPDATE_LAYOUT || m_bar.GetUpdateFlags() == 0);

    manager.m_nActive = 8;
    IdleUpdate();
    EXPECT_TRUE(m_handled->GetHideFlags() & KvoHideDocTemplate);
    EXPECT_FALSE(m_unhandled->GetHideFlags() & KvoHideDocTemplate);
    EXPECT_FALSE(m_reflected->GetHideFlags() & KvoHideDocTemplate) << "no sets: untouched";
    m_bar.SetBarManager(nullptr);
}

TEST_F(KvoCommandBarCommandUITest, HotControlShowsItsDescriptionAndLeavingShowsTheIdleMessage)
{
    m_handled->SetDescription(L"Runs the handled command");
    m_bar.SetSelected(0, FALSE);
    m_bar.SetSelected(-1, FALSE);

    ASSERT_EQ(1u, m_frame->m_prompts.size());
    EXPECT_STREQ(L"Runs the handled command", m_frame->m_prompts[0]);
    EXPECT_EQ(2u, m_frame->m_selectedControls.size());
    EXPECT_EQ(reinterpret_cast<WPARAM>(m_handled), m_frame->m_selectedControls[0]);
    EXPECT_EQ(0u, m_frame->m_selectedControls[1]);
}

TEST_F(KvoCommandBarCommandUITest, PressLoopSuppressesThePromptOfItsOwnControl)
{
    m_handled->SetDescription(L"Prompt");
    m_bar.SetSelected(0, FALSE);
    m_bar.SetPromptSuppressionIndex(0);
    m_bar.SetSelected(-1, FALSE);
    m_bar.SetSelected(0, FALSE);
    EXPECT_EQ(2u, m_frame->m_prompts.size()) << "the deselection showed nothing; the next selection shows again";
    EXPECT_EQ(-1, m_bar.GetPromptSuppressionIndex());
}

TEST_F(KvoCommandBarCommandUITest, ContextHelpHitCodes)
{
    m_handled->SetHelpId(42);
    const CPoint handled = m_handled->GetRect().CenterPoint();
    const CPoint unhandled = m_unhandled->GetRect().CenterPoint();
    EXPECT_EQ(0x10000 + 42, m_bar.SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(handled.x, handled.y)));
    EXPECT_EQ(LRESULT(0x10000 + kUnhandledId), m_bar.SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(unhandled.x, unhandled.y)));
    EXPECT_EQ(LRESULT(0x50000 + CKvoTestFrame::kBarId), m_bar.SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(390, 5)));

    CPoint screen = m_frame->BarToScreen(handled);
    EXPECT_EQ(HTCLIENT, m_bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)));
    m_frame->m_bHelpMode = HELP_ACTIVE;
    m_handled->SetType(KvoControlTypePopup);
    m_handled->SetID(0);
    EXPECT_EQ(HTMENU, m_bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)));
    m_frame->m_bHelpMode = FALSE;
}

// ---- accessibility, read by a client through oleacc ----

CComPtr<IAccessible> AccessibleOf(HWND window, LONG objectId)
{
    CComPtr<IAccessible> accessible;
    ::AccessibleObjectFromWindow(window, static_cast<DWORD>(objectId), __uuidof(IAccessible),
                                 reinterpret_cast<void**>(&accessible));
    return accessible;
}

CComVariant Child(long index)
{
    return CComVariant(index, VT_I4);
}

TEST_F(KvoCommandBarCommandUITest, AnAccessibilityClientListsTheButtonsByName)
{
    ::CoInitialize(nullptr);
    m_bar.SetTitle(L"Standard");
    m_handled->SetShortcutText(L"Ctrl+H");
    {
        CComPtr<IAccessible> bar = AccessibleOf(m_bar.GetSafeHwnd(), OBJID_CLIENT);
        ASSERT_TRUE(bar);
        long count = 0;
        EXPECT_EQ(S_OK, bar->get_accChildCount(&count));
        EXPECT_EQ(3, count);

        CComBSTR name;
        EXPECT_EQ(S_OK, bar->get_accName(Child(0), &name));
        EXPECT_STREQ(L"Standard", name);
        const wchar_t* expected[] = {L"Handled\tCtrl+H", L"Unhandled", L"Reflected"};
        for (long index = 1; index <= 3; ++index) {
            CComBSTR childName;
            EXPECT_EQ(S_OK, bar->get_accName(Child(index), &childName));
            EXPECT_STREQ(expected[index - 1], childName);
        }
        CComBSTR none;
        EXPECT_EQ(E_INVALIDARG, bar->get_accName(Child(4), &none));

        CComVariant role;
        EXPECT_EQ(S_OK, bar->get_accRole(Child(0), &role));
        EXPECT_EQ(ROLE_SYSTEM_TOOLBAR, role.lVal);
        EXPECT_EQ(S_OK, bar->get_accRole(Child(2), &role));
        EXPECT_EQ(ROLE_SYSTEM_MENUITEM, role.lVal);

        m_bar.SetSelected(1, FALSE);
        CComVariant state;
        EXPECT_EQ(S_OK, bar->get_accState(Child(2), &state));
        // A bar of the base class reports itself invisible: IsVisible is a
        // toolbar's.
        EXPECT_EQ(STATE_SYSTEM_INVISIBLE | 0x300086, state.lVal);
        EXPECT_EQ(S_OK, bar->get_accState(Child(1), &state));
        EXPECT_EQ(STATE_SYSTEM_INVISIBLE | 0x300000, state.lVal);

        long left = 0, top = 0, width = 0, height = 0;
        EXPECT_EQ(S_OK, bar->accLocation(&left, &top, &width, &height, Child(2)));
        const CPoint origin = m_frame->BarToScreen(CPoint(0, 0));
        const CRect rect = m_unhandled->GetRect();
        EXPECT_EQ(origin.x + rect.left, left);
        EXPECT_EQ(origin.y + rect.top, top);
        EXPECT_EQ(rect.Width(), width);

        CComVariant hit;
        const CPoint inside = m_frame->BarToScreen(m_reflected->GetRect().CenterPoint());
        EXPECT_EQ(S_OK, bar->accHitTest(inside.x, inside.y, &hit));
        ASSERT_EQ(VT_DISPATCH, hit.vt);
        CComQIPtr<IAccessible> hitControl(hit.pdispVal);
        ASSERT_TRUE(hitControl);
        CComBSTR hitName;
        hitControl->get_accName(Child(0), &hitName);
        EXPECT_STREQ(L"Reflected", hitName);
        CComVariant outside;
        EXPECT_EQ(S_FALSE, bar->accHitTest(0, 0, &outside));
        EXPECT_EQ(VT_EMPTY, outside.vt);

        CComPtr<IAccessible> control = AccessibleOf(m_bar.GetSafeHwnd(), kUnhandledId);
        ASSERT_TRUE(control);
        CComBSTR controlName;
        control->get_accName(Child(0), &controlName);
        EXPECT_STREQ(L"Unhandled", controlName);
    }
    ::CoUninitialize();
}

TEST_F(KvoCommandBarCommandUITest, GetObjectForTheWindowGoesToTheDefaultProcedure)
{
    EXPECT_EQ(0, m_bar.SendMessage(WM_GETOBJECT, 0, static_cast<LPARAM>(static_cast<DWORD>(OBJID_WINDOW))));
    EXPECT_EQ(0, m_bar.SendMessage(WM_GETOBJECT, 0, 99999)) << "no control of that id";
    // OBJID_CLIENT without sign extension, as x64 may pass it.
    EXPECT_NE(0, m_bar.SendMessage(WM_GETOBJECT, 0, static_cast<LPARAM>(static_cast<DWORD>(OBJID_CLIENT))));
}
} // namespace
