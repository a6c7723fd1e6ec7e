#include <gtest/gtest.h>
#include <afxwin.h>
#include "KvDialogTestSupport.h"
#include "foundation/controls/KvResizeDialog.h"

namespace {
// The resizable fixture dialog with its children anchored the way a
// derived dialog would anchor them.
class AnchoredDialog : public CKvResizeDialog {
public:
    explicit AnchoredDialog(UINT templateId = IDD_KV_RESIZABLE, UINT flags = 0)
        : CKvResizeDialog(templateId, nullptr, flags)
    {
    }
    BOOL OnInitDialog() override
    {
        CKvResizeDialog::OnInitDialog();
        if (m_anchorChildren) {
            AnchorControl(IDC_KV_NAME, nullptr, CKvResizeAnchor(0, 0, 1, 0));
            AnchorControl(IDC_KV_GROUP, nullptr, CKvResizeAnchor(0, 0, 1, 1));
            AnchorControl(IDC_KV_TAB_GROUP, nullptr, CKvResizeAnchor(1, 0, 1, 1));
            AnchorControl(IDC_KV_CENTRED, nullptr, CKvResizeAnchor(0.5f, 0, 0.5f, 0));
            AnchorControl(IDOK, nullptr, CKvResizeAnchor(1, 1, 1, 1));
            AnchorControl(IDCANCEL, nullptr, CKvResizeAnchor(1, 1, 1, 1));
        }
        return TRUE;
    }
    CKvResizeItem* Item(UINT id)
    {
        for (INT_PTR i = 0; i < m_items.GetSize(); ++i) {
            if (m_items[i]->HasWindow() && UINT(m_items[i]->m_pWnd->GetDlgCtrlID()) == id)
                return m_items[i];
        }
        return nullptr;
    }
    // Sizing by the grip is recorded, not run: it would start the modal
    // sizing loop of the window manager.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_SIZE) {
            m_sizeCommand = UINT(wParam);
            return 0;
        }
        return CKvResizeDialog::WindowProc(message, wParam, lParam);
    }
    bool m_anchorChildren = true;
    UINT m_sizeCommand = 0;
};

class KvResizeTest : public KvDialogTemplateTest {
protected:
    // The WM_GETMINMAXINFO answer of a window, starting from a blank record.
    static MINMAXINFO TrackLimits(CWnd& window)
    {
        MINMAXINFO info = {};
        window.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        return info;
    }
};
}

TEST_F(KvResizeTest, ChildrenFollowTheirAnchors)
{
    AnchoredDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_KV_RESIZABLE));
    const CRect name = ChildRect(dialog, IDC_KV_NAME), group = ChildRect(dialog, IDC_KV_GROUP);
    const CRect tabGroup = ChildRect(dialog, IDC_KV_TAB_GROUP), centred = ChildRect(dialog, IDC_KV_CENTRED);
    const CRect ok = ChildRect(dialog, IDOK), grip = ChildRect(dialog, kKvSizeIconId);

    GrowWindow(dialog, 60, 40);

    EXPECT_EQ(CRect(name.left, name.top, name.right + 60, name.bottom), ChildRect(dialog, IDC_KV_NAME));
    EXPECT_EQ(CRect(group.left, group.top, group.right + 60, group.bottom + 40), ChildRect(dialog, IDC_KV_GROUP));
    EXPECT_EQ(CRect(tabGroup.left + 60, tabGroup.top, tabGroup.right + 60, tabGroup.bottom + 40),
              ChildRect(dialog, IDC_KV_TAB_GROUP));
    CRect movedCentred = centred;
    movedCentred.OffsetRect(30, 0);
    EXPECT_EQ(movedCentred, ChildRect(dialog, IDC_KV_CENTRED));
    CRect movedOk = ok, movedGrip = grip;
    movedOk.OffsetRect(60, 40);
    movedGrip.OffsetRect(60, 40);
    EXPECT_EQ(movedOk, ChildRect(dialog, IDOK));
    EXPECT_EQ(movedGrip, ChildRect(dialog, kKvSizeIconId));

    // Back to the start: everything returns to where the template put it.
    GrowWindow(dialog, -60, -40);
    EXPECT_EQ(name, ChildRect(dialog, IDC_KV_NAME));
    EXPECT_EQ(centred, ChildRect(dialog, IDC_KV_CENTRED));
    EXPECT_EQ(ok, ChildRect(dialog, IDOK));
    dialog.DestroyWindow();
}

// Half of each one-pixel change adds up in floating point: three changes
// move the control by 1.5, one whole pixel on screen, not by nothing.
TEST_F(KvResizeTest, FractionalMovesAddUp)
{
    AnchoredDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_KV_RESIZABLE));
    const CRect centred = ChildRect(dialog, IDC_KV_CENTRED);
    const float floatLeft = dialog.Item(IDC_KV_CENTRED)->m_pos.left;
    for (int i = 0; i < 3; ++i)
        GrowWindow(dialog, 1, 0);
    EXPECT_FLOAT_EQ(floatLeft + 1.5f, dialog.Item(IDC_KV_CENTRED)->m_pos.left);
    EXPECT_EQ(centred.left + 1, ChildRect(dialog, IDC_KV_CENTRED).left);
    EXPECT_EQ(centred.Width(), ChildRect(dialog, IDC_KV_CENTRED).Width());
    dialog.DestroyWindow();
}

TEST_F(KvResizeTest, AnchoringAnIdTwiceAddsTheAnchors)
{
    AnchoredDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_KV_RESIZABLE));
    const INT_PTR items = dialog.m_items.GetSize();
    dialog.AnchorControl(IDC_KV_NAME, nullptr, CKvResizeAnchor(0, 0, 1, 0));
    EXPECT_EQ(items, dialog.m_items.GetSize());
    const CRect name = ChildRect(dialog, IDC_KV_NAME);
    GrowWindow(dialog, 20, 0);
    EXPECT_EQ(name.right + 40, ChildRect(dialog, IDC_KV_NAME).right);
    dialog.DestroyWindow();
}

// A control anchored after the window was resized moves by the whole
// change since Init on the next layout.
TEST_F(KvResizeTest, LateItemMovesByTheWholeChange)
{
    AnchoredDialog dialog;
    dialog.m_anchorChildren = false;
    ASSERT_TRUE(dialog.Create(IDD_KV_RESIZABLE));
    GrowWindow(dialog, 30, 20);
    const CRect ok = ChildRect(dialog, IDOK);
    dialog.AnchorControl(IDOK, nullptr, CKvResizeAnchor(1, 1, 1, 1));
    GrowWindow(dialog, 10, 0);
    CRect expected = ok;
    expected.OffsetRect(40, 20);
    EXPECT_EQ(expected, ChildRect(dialog, IDOK));
    dialog.DestroyWindow();
}

// An id that names no control gives an item without a window; layouts
// skip it and the owned window object of an unowned control goes with it.
TEST_F(KvResizeTest, MissingControlsAreSkipped)
{
    AnchoredDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_KV_RESIZABLE));
    dialog.AnchorControl(4242, nullptr, CKvResizeAnchor(1, 1, 1, 1));
    CKvResizeItem* last = dialog.m_items[dialog.m_items.GetUpperBound()];
    EXPECT_EQ(nullptr, last->m_pWnd);
    EXPECT_TRUE(dialog.Item(IDC_KV_NAME)->m_bOwnsWnd) << "the edit had no window object of its own";
    EXPECT_FALSE(dialog.Item(kKvSizeIconId)->m_bOwnsWnd);
    const CRect ok = ChildRect(dialog, IDOK);
    DestroyWindow(GetDlgItem(dialog.m_hWnd, IDC_KV_CENTRED));
    GrowWindow(dialog, 10, 10);
    CRect expected = ok;
    expected.OffsetRect(10, 10);
    EXPECT_EQ(expected, ChildRect(dialog, IDOK));
    dialog.DestroyWindow();
}

TEST_F(KvResizeTest, GripSitsInTheCornerAndSizesTheWindow)
{
    AnchoredDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_KV_RESIZABLE));
    HWND grip = GetDlgItem(dialog.m_hWnd, kKvSizeIconId);
    ASSERT_NE(nullptr, grip);
    EXPECT_EQ(&dialog.m_sizeIcon, CWnd::FromHandlePermanent(grip));
    EXPECT_EQ(DWORD(WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP), DWORD(GetWindowLongW(grip, GWL_STYLE)) & 0xFFFF00FF);
    EXPECT_EQ(grip, GetWindow(dialog.m_hWnd, GW_CHILD)) << "the grip is on top of the other children";

    CRect client;
    dialog.GetClientRect(&client);
    CRect expected(client.right - 1 - GetSystemMetrics(SM_CXVSCROLL), client.bottom - 1 - GetSystemMetrics(SM_CYHSCROLL),
                   client.right - 1, client.bottom - 1);
    EXPECT_EQ(expected, ChildRect(grip));

    // The grip answers HTCLIENT itself (so that it gets WM_SETCURSOR for its
    // cursor, Wine as Windows); the corner of the frame it covers answers
    // HTBOTTOMRIGHT, and pressing the grip starts that sizing.
    CRect screen;
    GetWindowRect(grip, &screen);
    CPoint middle = screen.CenterPoint();
    EXPECT_EQ(HTCLIENT, SendMessageW(grip, WM_NCHITTEST, 0, MAKELPARAM(middle.x, middle.y)));
    CRect window;
    dialog.GetWindowRect(&window);
    EXPECT_EQ(HTBOTTOMRIGHT, dialog.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(window.right - 1, window.bottom - 1)));
    CPoint inGrip = middle;
    ScreenToClient(grip, &inGrip);
    SendMessageW(grip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inGrip.x, inGrip.y));
    EXPECT_EQ(UINT(SC_SIZE | WMSZ_BOTTOMRIGHT), dialog.m_sizeCommand);

    // Over the grip the cursor is the diagonal sizing arrow.
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_TRUE(SendMessageW(grip, WM_SETCURSOR, WPARAM(grip), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(LoadCursorW(nullptr, IDC_SIZENWSE), GetCursor());
    dialog.DestroyWindow();
}

// The window manager asks WM_GETMINMAXINFO on every size change: the size
// at Init is the least one unless NoMinSize, a locked dimension cannot grow.
TEST_F(KvResizeTest, TrackLimitsHoldTheInitialSizeAndTheLocks)
{
    struct Case {
        UINT flags;
        bool minimum;
        bool lockedWidth;
        bool lockedHeight;
    };
    const Case cases[] = {
        {0, true, false, false},
        {KvResizeFlag::NoMinSize, false, false, false},
        {KvResizeFlag::LockWidth, true, true, false},
        {KvResizeFlag::LockHeight | KvResizeFlag::NoMinSize, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        AnchoredDialog dialog(IDD_KV_RESIZABLE, c.flags);
        ASSERT_TRUE(dialog.Create(IDD_KV_RESIZABLE));
        CRect initial;
        dialog.GetWindowRect(&initial);
        MINMAXINFO info = TrackLimits(dialog);
        EXPECT_EQ(c.minimum ? initial.Width() : 0, info.ptMinTrackSize.x);
        EXPECT_EQ(c.minimum ? initial.Height() : 0, info.ptMinTrackSize.y);
        EXPECT_EQ(c.lockedWidth ? initial.Width() : 0, info.ptMaxTrackSize.x);
        EXPECT_EQ(c.lockedWidth ? initial.Width() : 0, info.ptMaxSize.x);
        EXPECT_EQ(c.lockedHeight ? initial.Height() : 0, info.ptMaxTrackSize.y);

        GrowWindow(dialog, 50, 30);
        CRect grown;
        dialog.GetWindowRect(&grown);
        EXPECT_EQ(initial.Width() + (c.lockedWidth ? 0 : 50), grown.Width());
        EXPECT_EQ(initial.Height() + (c.lockedHeight ? 0 : 30), grown.Height());

        GrowWindow(dialog, -100, -80);
        CRect shrunk;
        dialog.GetWindowRect(&shrunk);
        EXPECT_EQ(c.minimum ? initial.Width() : grown.Width() - 100, shrunk.Width());
        EXPECT_EQ(c.minimum ? initial.Height() : grown.Height() - 80, shrunk.Height());
        dialog.DestroyWindow();
    }
}

// A frame that cannot be dragged gets no grip; with no items the layout
// ignores size changes.
TEST_F(KvResizeTest, FixedFrameHasNoGrip)
{
    AnchoredDialog dialog(IDD_KV_FIXED);
    dialog.m_anchorChildren = false;
    ASSERT_TRUE(dialog.Create(IDD_KV_FIXED));
    EXPECT_EQ(nullptr, GetDlgItem(dialog.m_hWnd, kKvSizeIconId));
    EXPECT_EQ(nullptr, dialog.m_sizeIcon.m_hWnd);
    EXPECT_TRUE(dialog.m_items.IsEmpty());
    const CSize last = dialog.m_szLast;
    const CRect ok = ChildRect(dialog, IDOK);
    GrowWindow(dialog, 40, 40);
    EXPECT_EQ(last, dialog.m_szLast);
    EXPECT_EQ(ok, ChildRect(dialog, IDOK));
    dialog.DestroyWindow();
}

TEST_F(KvResizeTest, MinimisingMovesNothing)
{
    AnchoredDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_KV_RESIZABLE));
    dialog.ShowWindow(SW_SHOW);
    const CSize last = dialog.m_szLast;
    const CRect ok = ChildRect(dialog, IDOK);
    dialog.ShowWindow(SW_MINIMIZE);
    PumpPending();
    ASSERT_TRUE(IsIconic(dialog.m_hWnd));
    CRect client;
    dialog.GetClientRect(&client);
    EXPECT_TRUE(client.IsRectEmpty());
    EXPECT_EQ(last, dialog.m_szLast);
    EXPECT_EQ(ok, ChildRect(dialog, IDOK));
    dialog.DestroyWindow();
}

// Only a plain group box is made transparent (and repainted after each
// layout); one that takes the focus, or with NoGroupBoxFix, stays opaque.
TEST_F(KvResizeTest, PlainGroupBoxesBecomeTransparent)
{
    AnchoredDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_KV_RESIZABLE));
    EXPECT_TRUE(dialog.Item(IDC_KV_GROUP)->m_bRepaint);
    EXPECT_TRUE(GetWindowLongW(GetDlgItem(dialog.m_hWnd, IDC_KV_GROUP), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    EXPECT_FALSE(dialog.Item(IDC_KV_TAB_GROUP)->m_bRepaint);
    EXPECT_FALSE(GetWindowLongW(GetDlgItem(dialog.m_hWnd, IDC_KV_TAB_GROUP), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    EXPECT_FALSE(dialog.Item(IDC_KV_NAME)->m_bRepaint);
    dialog.DestroyWindow();

    AnchoredDialog unfixed(IDD_KV_RESIZABLE, KvResizeFlag::NoGroupBoxFix);
    ASSERT_TRUE(unfixed.Create(IDD_KV_RESIZABLE));
    EXPECT_FALSE(unfixed.Item(IDC_KV_GROUP)->m_bRepaint);
    unfixed.DestroyWindow();
}

TEST_F(KvResizeTest, InitAddsClipChildrenUnlessKept)
{
    AnchoredDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_KV_RESIZABLE));
    EXPECT_TRUE(dialog.GetStyle() & WS_CLIPCHILDREN);
    dialog.DestroyWindow();
    AnchoredDialog kept(IDD_KV_RESIZABLE, KvResizeFlag::KeepClipChildren);
    ASSERT_TRUE(kept.Create(IDD_KV_RESIZABLE));
    EXPECT_FALSE(kept.GetStyle() & WS_CLIPCHILDREN);
    kept.DestroyWindow();
}

// With a section name the placement goes to the application's profile when
// the window is destroyed.
TEST_F(KvResizeTest, PlacementIsStoredUnderTheSection)
{
    CWinApp* app = AfxGetApp();
    ASSERT_NE(nullptr, app);
    const wchar_t section[] = L"KvResizeTestPlacement";
    AnchoredDialog dialog;
    dialog.m_strSection = section;
    ASSERT_TRUE(dialog.Create(IDD_KV_RESIZABLE));
    dialog.SetWindowPos(nullptr, 33, 44, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    WINDOWPLACEMENT expected = {};
    expected.length = sizeof(expected);
    GetWindowPlacement(dialog.m_hWnd, &expected);
    dialog.DestroyWindow();
    EXPECT_TRUE(dialog.m_items.IsEmpty()) << "the items go with the window";

    LPBYTE stored = nullptr;
    UINT bytes = 0;
    ASSERT_TRUE(app->GetProfileBinary(section, L"WindowPlacement", &stored, &bytes));
    ASSERT_EQ(sizeof(WINDOWPLACEMENT), bytes);
    const WINDOWPLACEMENT* placement = reinterpret_cast<const WINDOWPLACEMENT*>(stored);
    EXPECT_EQ(CRect(expected.rcNormalPosition), CRect(placement->rcNormalPosition));
    EXPECT_EQ(33, placement->rcNormalPosition.left);
    delete[] stored;
    app->WriteProfileString(section, nullptr, nullptr);
}

// A person looks at this one: the fixture dialog grown by 120 x 60.
TEST_F(KvResizeTest, PictureOfAResizedDialog)
{
    AnchoredDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_KV_RESIZABLE));
    dialog.SetWindowPos(&CWnd::wndTopMost, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    GrowWindow(dialog, 120, 60);
    dialog.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    PumpPending();
    CWindowPicture picture(dialog.m_hWnd);
    EXPECT_TRUE(picture.SavePng(TestPicturePath(L"KvResizeDialog.png")));
    dialog.DestroyWindow();
}
