// The preview's layout: dialog 101 of the language modules laid out by the
// preview layout map in a sizeable dialog with its sizer bar, as the preview
// dialog builds it, driven by real messages under Xvfb.
#include <gtest/gtest.h>
#include <afxwin.h>
#include <afxcmn.h>
#include <commctrl.h>
#include <iterator>
#include <memory>
#include <vector>
#include <string>
#include "AlphaImageList.h"
#include "IconStrip.h"
#include "LanguageIds.h"
#include "PreviewLayoutMap.h"
#include "SizeableDlg.h"
#include "SizerBar.h"
#include "framework/WindowTestSupport.h"
#include "support/LibraryModule.h"

namespace {
// What the preview dialog does with the layout manager: answers its size
// queries, moves the neighbours of the sizer bar, and makes the bar.
class CPreviewLayoutTestDlg : public CSizeableDlg {
public:
    explicit CPreviewLayoutTestDlg(SIZE size) : CSizeableDlg(IDD_PREVIEW, nullptr, kPreviewLayoutMap), m_size(size)
    {
        m_showSizeGrip = false;
    }

    BOOL OnInitDialog() override
    {
        CSizeableDlg::OnInitDialog();
        m_sizerBar.SetWinMgr(&m_winMgr);
        m_sizerBar.Create(L"", WS_CHILD | WS_VISIBLE, RECT{}, this, IDC_PREVIEW_SIZER);
        SetWindowPos(nullptr, 0, 0, m_size.cx, m_size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return TRUE;
    }

    CSizerBar m_sizerBar;
    int m_moves = 0;
    POINT m_lastMove = {-1, -1};

protected:
    afx_msg LRESULT OnWinMgr(WPARAM wParam, LPARAM lParam)
    {
        auto* notify = reinterpret_cast<WinMgrNotify*>(lParam);
        if (notify->code == static_cast<UINT>(WinMgrCode::SizeQuery))
            return AnswerPreviewSizeQuery(static_cast<UINT>(wParam), notify->sizeInfo);
        if (notify->code != static_cast<UINT>(WinMgrCode::SizerBarMoved))
            return FALSE;
        ++m_moves;
        m_lastMove = {notify->moved.dx, notify->moved.dy};
        m_winMgr.MoveSizerBar(static_cast<UINT>(wParam), this, notify->moved.dx, notify->moved.dy);
        m_winMgr.ApplyControlRects(this);
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()

private:
    SIZE m_size;
};

BEGIN_MESSAGE_MAP(CPreviewLayoutTestDlg, CSizeableDlg)
    ON_REGISTERED_MESSAGE(g_winMgrMessage, &CPreviewLayoutTestDlg::OnWinMgr)
END_MESSAGE_MAP()

constexpr int kPreviewButtons[] = {IDC_PREVIEW_PAN_UP, IDC_PREVIEW_PAN_DOWN, IDC_PREVIEW_PAN_LEFT,
                            IDC_PREVIEW_PAN_RIGHT, IDC_PREVIEW_FIT, IDC_PREVIEW_COPY,
                            IDC_PREVIEW_PRINT, IDC_PREVIEW_SETTINGS, IDC_PREVIEW_UPDATE};

// One preview layout in a visible host window of its own.
struct PreviewWindow {
    CWnd host;
    std::unique_ptr<CPreviewLayoutTestDlg> dialog;

    bool Open(SIZE size, int x)
    {
        if (!CreateTestPopup(host, true, x, 20, size.cx, size.cy))
            return false;
        dialog = std::make_unique<CPreviewLayoutTestDlg>(size);
        if (!dialog->Create(IDD_PREVIEW, &host))
            return false;
        dialog->ShowWindow(SW_SHOW);
        Settle();
        return true;
    }
    // The information list takes a percentage of its column's extent from
    // the layout before, so each layout brings it nearer to its share; a
    // few layouts at one size settle it.
    void Settle()
    {
        RECT client;
        dialog->GetClientRect(&client);
        for (int pass = 0; pass < 40; ++pass) {
            const RECT before = Control(IDC_PREVIEW_INFO);
            dialog->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
            const RECT after = Control(IDC_PREVIEW_INFO);
            if (EqualRect(&before, &after))
                return;
        }
    }
    ~PreviewWindow()
    {
        if (dialog && dialog->GetSafeHwnd())
            dialog->DestroyWindow();
        if (host.GetSafeHwnd())
            host.DestroyWindow();
    }
    RECT Control(int id) const
    {
        RECT rect = {};
        CWnd* control = dialog->GetDlgItem(id);
        if (control != nullptr) {
            control->GetWindowRect(&rect);
            dialog->ScreenToClient(&rect);
        }
        return rect;
    }
    void Resize(SIZE size)
    {
        host.SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        dialog->SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        Settle();
    }
    // A drag of the sizer bar by dy with synthetic mouse messages.
    void DragBar(int dy)
    {
        HWND bar = dialog->m_sizerBar.m_hWnd;
        SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 2));
        SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, 2 + dy / 2));
        SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, 2 + dy));
        SendMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(50, 2 + dy));
    }
};

int PreviewHeight(const RECT& rect)
{
    return rect.bottom - rect.top;
}

int PreviewWidth(const RECT& rect)
{
    return rect.right - rect.left;
}

class PreviewLayoutTest : public ::testing::TestWithParam<const wchar_t*> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_module.IsLoaded());
        m_oldResource = AfxGetResourceHandle();
        AfxSetResourceHandle(m_module.Handle());
    }
    void TearDown() override { AfxSetResourceHandle(m_oldResource); }

    // The margins of the map: 4 around everything, 2 beside and 4 above and
    // below the upper and the lower part, 2 around the title.
    static void ExpectMapGeometry(const PreviewWindow& preview, SIZE size)
    {
        const RECT title = preview.Control(IDC_PREVIEW_TITLE);
        const RECT picture = preview.Control(IDC_PREVIEW_PICTURE);
        const RECT bar = preview.Control(IDC_PREVIEW_SIZER);
        const RECT slider = preview.Control(IDC_PREVIEW_ZOOM);
        const RECT tree = preview.Control(IDC_PREVIEW_LAYERS);
        const RECT list = preview.Control(IDC_PREVIEW_INFO);
        EXPECT_EQ(title.left, 6);
        EXPECT_EQ(title.top, 6);
        EXPECT_EQ(picture.left, 6);
        EXPECT_EQ(picture.top, title.bottom + 2 + 4);
        RECT previous = {};
        for (int id : kPreviewButtons) {
            const RECT button = preview.Control(id);
            EXPECT_EQ(button.right, size.cx - 4 - 2) << id;
            EXPECT_EQ(button.left, picture.right + 8) << id;
            EXPECT_GT(PreviewHeight(button), 0) << id;
            if (id != IDC_PREVIEW_PAN_UP)
                EXPECT_EQ(button.top, previous.bottom + 4) << id;
            else
                EXPECT_EQ(button.top, picture.top);
            previous = button;
        }
        EXPECT_GE(PreviewHeight(picture), 236);
        EXPECT_GE(PreviewWidth(picture), 128);
        EXPECT_EQ(bar.top, picture.bottom + 4);
        EXPECT_EQ(PreviewHeight(bar), 4);
        EXPECT_EQ(bar.left, 4);
        EXPECT_EQ(bar.right, size.cx - 4);
        EXPECT_EQ(slider.top, bar.bottom + 4);
        EXPECT_EQ(slider.left, 6);
        EXPECT_EQ(slider.right, size.cx - 6);
        EXPECT_EQ(tree.top, slider.bottom + 8);
        EXPECT_GE(PreviewHeight(tree), 64);
        EXPECT_EQ(list.top, tree.bottom + 4);
        EXPECT_EQ(list.bottom, size.cy - 8);
        EXPECT_GT(PreviewHeight(list), 0);
    }

    LibraryModule m_module{GetParam()};
    HINSTANCE m_oldResource = nullptr;
};

const SIZE kPreviewSize = {400, 640};
}

TEST_P(PreviewLayoutTest, DialogFollowsTheLayoutMap)
{
    PreviewWindow preview;
    ASSERT_TRUE(preview.Open(kPreviewSize, 20));
    ExpectMapGeometry(preview, kPreviewSize);
    EXPECT_EQ(preview.dialog->GetSizeGrip().GetSafeHwnd(), nullptr) << "no grip for the preview";

    // A picture for a person to look at, dressed the way the preview dresses
    // its controls: icons from the module's strip, a title, layers and info.
    CAlphaImageList icons(16, 16);
    CImage strip;
    ASSERT_TRUE(LoadPreviewIconStrip(strip));
    icons.Create(strip);
    std::vector<HICON> shown;
    const int cells[] = {6, 7, 8, 9, 10, 11, 12, 13, 5};
    for (size_t i = 0; i < std::size(kPreviewButtons); ++i) {
        shown.push_back(icons.GetIcon(cells[i]));
        ::SendDlgItemMessageW(preview.dialog->m_hWnd, kPreviewButtons[i], BM_SETIMAGE, IMAGE_ICON,
                              reinterpret_cast<LPARAM>(shown.back()));
    }
    preview.dialog->SetDlgItemText(IDC_PREVIEW_TITLE, L"Sample drawing");
    CImageList layerImages;
    layerImages.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1);
    for (int cell = 0; cell < 4; ++cell) {
        HICON icon = icons.GetIcon(cell);
        layerImages.Add(icon);
        DestroyIcon(icon);
    }
    HWND tree = preview.dialog->GetDlgItem(IDC_PREVIEW_LAYERS)->m_hWnd;
    TreeView_SetImageList(tree, layerImages.GetSafeHandle(), TVSIL_NORMAL);
    TVINSERTSTRUCTW item = {};
    item.hParent = TVI_ROOT;
    item.hInsertAfter = TVI_LAST;
    item.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.item.pszText = const_cast<wchar_t*>(L"0:Group (1/100)");
    item.item.iImage = item.item.iSelectedImage = 3;
    item.hParent = TreeView_InsertItem(tree, &item);
    const wchar_t* layers[] = {L"0:Walls", L"1:Doors", L"2:Text"};
    for (int i = 0; i < 3; ++i) {
        item.item.pszText = const_cast<wchar_t*>(layers[i]);
        item.item.iImage = item.item.iSelectedImage = i;
        TreeView_InsertItem(tree, &item);
    }
    TreeView_Expand(tree, item.hParent, TVE_EXPAND);
    HWND list = preview.dialog->GetDlgItem(IDC_PREVIEW_INFO)->m_hWnd;
    LVCOLUMNW column = {};
    column.mask = LVCF_WIDTH;
    column.cx = 300;
    ListView_InsertColumn(list, 0, &column);
    const wchar_t* lines[] = {L"Type: JWW", L"Size: 12.3 KB", L"Title: Sample drawing", L"Scale: 1/100"};
    for (int i = 0; i < 4; ++i) {
        LVITEMW line = {};
        line.mask = LVIF_TEXT;
        line.iItem = i;
        line.pszText = const_cast<wchar_t*>(lines[i]);
        ListView_InsertItem(list, &line);
    }
    preview.dialog->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const std::wstring name = std::wstring(GetParam()).substr(0, wcslen(GetParam()) - 4);
    EXPECT_TRUE(CWindowPicture(preview.host.m_hWnd).SavePng(TestOutputFolder() + L"\\PreviewLayout-" + name + L".png"));
    preview.dialog->DestroyWindow();
    for (HICON icon : shown)
        DestroyIcon(icon);
}

// Enlarging gives the extra height to the upper part and the extra width to
// the picture and the lower controls.
TEST_P(PreviewLayoutTest, EnlargingGrowsThePictureAndWidensTheLowerPart)
{
    PreviewWindow preview;
    ASSERT_TRUE(preview.Open(kPreviewSize, 20));
    const RECT picture = preview.Control(IDC_PREVIEW_PICTURE);
    const RECT tree = preview.Control(IDC_PREVIEW_LAYERS);
    const RECT list = preview.Control(IDC_PREVIEW_INFO);
    const SIZE larger = {kPreviewSize.cx + 100, kPreviewSize.cy + 80};
    preview.Resize(larger);
    ExpectMapGeometry(preview, larger);
    EXPECT_EQ(PreviewWidth(preview.Control(IDC_PREVIEW_PICTURE)), PreviewWidth(picture) + 100);
    EXPECT_EQ(PreviewHeight(preview.Control(IDC_PREVIEW_PICTURE)), PreviewHeight(picture) + 80);
    EXPECT_EQ(PreviewHeight(preview.Control(IDC_PREVIEW_LAYERS)), PreviewHeight(tree));
    EXPECT_EQ(PreviewHeight(preview.Control(IDC_PREVIEW_INFO)), PreviewHeight(list));
    EXPECT_EQ(PreviewWidth(preview.Control(IDC_PREVIEW_INFO)), PreviewWidth(list) + 100);
}

// Shrinking takes the height from the picture, the upper part's remainder,
// and leaves the lower part as it was.
TEST_P(PreviewLayoutTest, ShrinkingTakesTheHeightFromThePicture)
{
    PreviewWindow preview;
    ASSERT_TRUE(preview.Open(kPreviewSize, 20));
    const RECT picture = preview.Control(IDC_PREVIEW_PICTURE);
    const RECT tree = preview.Control(IDC_PREVIEW_LAYERS);
    const RECT list = preview.Control(IDC_PREVIEW_INFO);
    const SIZE smaller = {kPreviewSize.cx, kPreviewSize.cy - 60};
    preview.Resize(smaller);
    ExpectMapGeometry(preview, smaller);
    EXPECT_EQ(PreviewHeight(preview.Control(IDC_PREVIEW_PICTURE)), PreviewHeight(picture) - 60);
    EXPECT_EQ(PreviewHeight(preview.Control(IDC_PREVIEW_LAYERS)), PreviewHeight(tree));
    EXPECT_EQ(PreviewHeight(preview.Control(IDC_PREVIEW_INFO)), PreviewHeight(list));
}

TEST_P(PreviewLayoutTest, SizerBarDragMovesTheBorderBetweenTheParts)
{
    PreviewWindow preview;
    ASSERT_TRUE(preview.Open(kPreviewSize, 20));
    const RECT picture = preview.Control(IDC_PREVIEW_PICTURE);
    const RECT bar = preview.Control(IDC_PREVIEW_SIZER);
    const RECT tree = preview.Control(IDC_PREVIEW_LAYERS);
    const RECT list = preview.Control(IDC_PREVIEW_INFO);

    preview.DragBar(-40);
    EXPECT_EQ(preview.dialog->m_moves, 1);
    EXPECT_EQ(preview.dialog->m_lastMove.x, 0);
    EXPECT_EQ(preview.dialog->m_lastMove.y, -40);
    EXPECT_EQ(PreviewHeight(preview.Control(IDC_PREVIEW_PICTURE)), PreviewHeight(picture) - 40);
    EXPECT_EQ(preview.Control(IDC_PREVIEW_SIZER).top, bar.top - 40);
    EXPECT_EQ(PreviewHeight(preview.Control(IDC_PREVIEW_LAYERS)) + PreviewHeight(preview.Control(IDC_PREVIEW_INFO)),
              PreviewHeight(tree) + PreviewHeight(list) + 40)
        << "the tree and the list share the height the lower part gained";
    EXPECT_EQ(preview.Control(IDC_PREVIEW_INFO).bottom, kPreviewSize.cy - 8);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_FALSE(preview.dialog->m_sizerBar.IsDragging());

    // A click without movement still reports, with no distance.
    preview.DragBar(0);
    EXPECT_EQ(preview.dialog->m_moves, 2);
    EXPECT_EQ(preview.dialog->m_lastMove.y, 0);
}

// Far beyond the limits the bar stops where a neighbour reaches its minimum:
// the lower part keeps the tree's 64 pixels and its margins, the upper part
// the picture's 236.
TEST_P(PreviewLayoutTest, SizerBarDragStopsAtTheNeighboursMinimum)
{
    PreviewWindow preview;
    ASSERT_TRUE(preview.Open(kPreviewSize, 20));
    preview.DragBar(2000);
    const int lowerPartMinimum = 64 + 2 * 4;
    EXPECT_EQ(preview.Control(IDC_PREVIEW_SIZER).bottom, kPreviewSize.cy - 4 - lowerPartMinimum);

    preview.DragBar(-2000);
    const RECT picture = preview.Control(IDC_PREVIEW_PICTURE);
    EXPECT_EQ(PreviewHeight(picture), 236);
    EXPECT_EQ(preview.Control(IDC_PREVIEW_SIZER).top, picture.bottom + 4);
    ExpectMapGeometry(preview, kPreviewSize);
}

TEST_P(PreviewLayoutTest, EscapeCancelsTheDragAndGivesTheFocusBack)
{
    PreviewWindow preview;
    ASSERT_TRUE(preview.Open(kPreviewSize, 20));
    CWnd* tree = preview.dialog->GetDlgItem(IDC_PREVIEW_LAYERS);
    tree->SetFocus();
    ASSERT_EQ(CWnd::GetFocus(), tree);
    const RECT bar = preview.Control(IDC_PREVIEW_SIZER);
    HWND barWindow = preview.dialog->m_sizerBar.m_hWnd;

    SendMessageW(barWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 2));
    EXPECT_EQ(GetCapture(), barWindow);
    EXPECT_EQ(GetFocus(), barWindow);
    SendMessageW(barWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, 60));
    SendMessageW(barWindow, WM_CHAR, VK_ESCAPE, 0);
    EXPECT_FALSE(preview.dialog->m_sizerBar.IsDragging());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(CWnd::GetFocus(), tree);
    SendMessageW(barWindow, WM_LBUTTONUP, 0, MAKELPARAM(50, 60));
    EXPECT_EQ(preview.dialog->m_moves, 0);
    const RECT after = preview.Control(IDC_PREVIEW_SIZER);
    EXPECT_TRUE(EqualRect(&after, &bar));

    // WM_CANCELMODE cancels the same way.
    SendMessageW(barWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 2));
    SendMessageW(barWindow, WM_CANCELMODE, 0, 0);
    EXPECT_FALSE(preview.dialog->m_sizerBar.IsDragging());
    EXPECT_EQ(GetCapture(), nullptr);
}

// The split cursor comes from the language module; the bar sets it over its
// client area only.
TEST_P(PreviewLayoutTest, SizerBarSetsTheSplitCursor)
{
    PreviewWindow preview;
    ASSERT_TRUE(preview.Open(kPreviewSize, 20));
    HWND bar = preview.dialog->m_sizerBar.m_hWnd;
    EXPECT_TRUE(SendMessageW(bar, WM_SETCURSOR, reinterpret_cast<WPARAM>(bar), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_NE(GetCursor(), nullptr);
    EXPECT_NE(SendMessageW(bar, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, 0);
    EXPECT_NE(preview.dialog->m_sizerBar.GetStyle() & SS_NOTIFY, 0u);
}

// Two previews open at once, each laid out from the one map: resizing and
// dragging in one leaves the other as it was, and the map itself is never
// written.
TEST_P(PreviewLayoutTest, TwoPreviewsDoNotDisturbEachOther)
{
    PreviewWindow first, second;
    ASSERT_TRUE(first.Open(kPreviewSize, 20));
    const SIZE otherSize = {520, 760};
    ASSERT_TRUE(second.Open(otherSize, 440));
    EXPECT_NE(first.dialog->GetWinMgr().GetMap(), second.dialog->GetWinMgr().GetMap());

    const RECT firstPicture = first.Control(IDC_PREVIEW_PICTURE);
    second.Resize({otherSize.cx + 40, otherSize.cy + 40});
    second.DragBar(-30);
    const RECT unchanged = first.Control(IDC_PREVIEW_PICTURE);
    EXPECT_TRUE(EqualRect(&unchanged, &firstPicture));

    // A drag in the first moves its own neighbours, from its own rectangles.
    first.DragBar(-20);
    EXPECT_EQ(PreviewHeight(first.Control(IDC_PREVIEW_PICTURE)), PreviewHeight(firstPicture) - 20);
    ExpectMapGeometry(first, kPreviewSize);
    ExpectMapGeometry(second, {otherSize.cx + 40, otherSize.cy + 40});

    for (const WinMapEntry* entry = kPreviewLayoutMap; entry->flags != 0; ++entry) {
        EXPECT_TRUE(IsRectEmpty(&entry->rect));
        EXPECT_EQ(entry->next, nullptr);
        EXPECT_EQ(entry->prev, nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(Modules, PreviewLayoutTest, testing::Values(L"TavrenaJPN.dll", L"TavrenaENU.dll"));

// The sizeable dialog on its own: a top-level dialog without a map and with
// the size grip.
namespace {
class SizeableDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_module.IsLoaded());
        m_oldResource = AfxGetResourceHandle();
        AfxSetResourceHandle(m_module.Handle());
    }
    void TearDown() override { AfxSetResourceHandle(m_oldResource); }

    LibraryModule m_module{L"TavrenaENU.dll"};
    HINSTANCE m_oldResource = nullptr;
};

RECT SizeGripInClient(CSizeableDlg& dialog)
{
    RECT grip;
    dialog.GetSizeGrip().GetWindowRect(&grip);
    dialog.ScreenToClient(&grip);
    return grip;
}
}

TEST_F(SizeableDlgTest, KeepsItsInitialSizeAsMinimumAndMovesTheGrip)
{
    CSizeableDlg dialog(IDD_PREVIEW_SETTINGS, nullptr, nullptr);
    ASSERT_TRUE(dialog.Create(IDD_PREVIEW_SETTINGS, nullptr));
    dialog.ShowWindow(SW_SHOW);
    RECT window;
    dialog.GetWindowRect(&window);
    MINMAXINFO limits = {};
    dialog.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, PreviewWidth(window));
    EXPECT_EQ(limits.ptMinTrackSize.y, PreviewHeight(window));

    ASSERT_NE(dialog.GetSizeGrip().GetSafeHwnd(), nullptr);
    RECT client;
    dialog.GetClientRect(&client);
    RECT grip = SizeGripInClient(dialog);
    EXPECT_EQ(grip.right, client.right - 1) << "one pixel inside the corner";
    EXPECT_EQ(grip.bottom, client.bottom - 1);
    EXPECT_EQ(PreviewWidth(grip), GetSystemMetrics(SM_CXVSCROLL));

    dialog.ShowWindow(SW_MAXIMIZE);
    EXPECT_FALSE(dialog.GetSizeGrip().IsWindowVisible()) << "no grip while maximised";
    dialog.ShowWindow(SW_RESTORE);
    dialog.SetWindowPos(nullptr, 0, 0, PreviewWidth(window) + 60, PreviewHeight(window) + 30,
                        SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(dialog.GetSizeGrip().IsWindowVisible());
    dialog.GetClientRect(&client);
    grip = SizeGripInClient(dialog);
    EXPECT_EQ(grip.right, client.right);
    EXPECT_EQ(grip.bottom, client.bottom);
    dialog.DestroyWindow();
}
