#include <gtest/gtest.h>
#include <afxwin.h>
#include "foundation/base/KvoDrawHelpers.h"
#include "foundation/base/KvoHookManager.h"
#include "foundation/base/KvoShadowManager.h"

namespace {
BOOL CreateShadowTestPopup(CWnd& wnd, int x, int y, int cx, int cy)
{
    LPCTSTR windowClass = AfxRegisterWndClass(0, ::LoadCursorW(NULL, IDC_ARROW),
                                              static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    return wnd.CreateEx(0, windowClass, L"popup", WS_POPUP | WS_VISIBLE, x, y, cx, cy, NULL, NULL);
}

// A visible popup and a shadow manager that shows shadows whatever the
// system's drop-shadow setting is (flag bit 0).
class ShadowManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateShadowTestPopup(m_popup, 60, 50, 100, 80));
        m_manager = new CKvoShadowManager;
        m_manager->m_nShadowOptions = 1;
    }
    void TearDown() override
    {
        if (m_popup.GetSafeHwnd())
            m_popup.DestroyWindow();
        EXPECT_EQ(m_manager->m_dwRef, 1); // every shadow released its reference
        m_manager->InternalRelease();
    }
    std::vector<CKvoShadowManager::CShadowWnd*> Shadows() const
    {
        std::vector<CKvoShadowManager::CShadowWnd*> shadows;
        const CKvoShadowManager::CShadowList& list = m_manager->GetShadows();
        for (POSITION position = list.GetHeadPosition(); position;)
            shadows.push_back(list.GetNext(position));
        return shadows;
    }

    CWnd m_popup;
    CKvoShadowManager* m_manager = nullptr;
};

// ShadowPixelAlpha and colour of one pixel of a premultiplied image row.
BYTE ShadowPixelAlpha(DWORD pixel)
{
    return static_cast<BYTE>(pixel >> 24);
}
}

TEST_F(ShadowManagerTest, LayeredShadowsBesideThePopupGoWithIt)
{
    const CRect exclude(0, 0, 0, 0);
    m_manager->SetShadow(&m_popup, exclude);
    std::vector<CKvoShadowManager::CShadowWnd*> shadows = Shadows();
    ASSERT_EQ(shadows.size(), 2u); // a rectangular popup has no corner shadow
    EXPECT_EQ(shadows[0]->m_kind, CKvoShadowManager::CShadowWnd::Bottom);
    EXPECT_EQ(shadows[1]->m_kind, CKvoShadowManager::CShadowWnd::Right);
    const CRect popup = CKvoWindowRect(&m_popup);
    EXPECT_EQ(CKvoWindowRect(shadows[0]), CRect(popup.left + 4, popup.bottom, popup.right + 4, popup.bottom + 4));
    EXPECT_EQ(CKvoWindowRect(shadows[1]), CRect(popup.right, popup.top + 4, popup.right + 4, popup.bottom));
    std::vector<HWND> windows;
    for (CKvoShadowManager::CShadowWnd* shadow : shadows) {
        const HWND hWnd = shadow->GetSafeHwnd();
        windows.push_back(hWnd);
        EXPECT_TRUE(::IsWindowVisible(hWnd));
        EXPECT_TRUE(::GetWindowLongW(hWnd, GWL_EXSTYLE) & WS_EX_LAYERED);
        EXPECT_TRUE(::GetWindowLongW(hWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
        EXPECT_EQ(::GetWindow(hWnd, GW_OWNER), m_popup.GetSafeHwnd());
        EXPECT_EQ(::SendMessageW(hWnd, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
        EXPECT_TRUE(CKvoHookManager::Instance()->IsHooked(m_popup.GetSafeHwnd(), shadow));
    }
    EXPECT_EQ(m_manager->m_dwRef, 3);

    // Hiding the popup hides its shadows, showing it shows them again.
    m_popup.ShowWindow(SW_HIDE);
    EXPECT_FALSE(::IsWindowVisible(windows[0]));
    m_popup.ShowWindow(SW_SHOWNA);
    EXPECT_TRUE(::IsWindowVisible(windows[1]));

    const HWND popupWindow = m_popup.GetSafeHwnd();
    m_popup.DestroyWindow();
    for (HWND hWnd : windows)
        EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(m_manager->GetShadowCount(), 0);
    EXPECT_FALSE(CKvoHookManager::Instance()->IsHooked(popupWindow));
}

TEST_F(ShadowManagerTest, RemoveAndOffsetShadows)
{
    const WNDPROC original = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_popup.GetSafeHwnd(), GWLP_WNDPROC));
    m_manager->SetShadow(&m_popup, CRect(0, 0, 0, 0));
    std::vector<CKvoShadowManager::CShadowWnd*> shadows = Shadows();
    ASSERT_EQ(shadows.size(), 2u);
    const CRect bottom = CKvoWindowRect(shadows[0]), right = CKvoWindowRect(shadows[1]);
    m_manager->OffsetShadow(&m_popup, 10, 20);
    EXPECT_EQ(CKvoWindowRect(shadows[0]), CRect(bottom.left, bottom.top + 20, bottom.right + 10, bottom.bottom + 20));
    EXPECT_EQ(CKvoWindowRect(shadows[1]), CRect(right.left + 10, right.top, right.right + 10, right.bottom + 20));

    const HWND first = shadows[0]->GetSafeHwnd();
    m_manager->RemoveShadow(&m_popup);
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_EQ(m_manager->GetShadowCount(&m_popup), 0);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_popup.GetSafeHwnd(), GWLP_WNDPROC)), original);
}

TEST_F(ShadowManagerTest, ComplexRegionGetsACornerAndControlShadowsNeedBothFlags)
{
    CRgn region;
    region.CreateEllipticRgn(0, 0, 100, 80);
    m_popup.SetWindowRgn(static_cast<HRGN>(region.Detach()), TRUE);
    m_manager->SetShadow(&m_popup, CRect(0, 0, 0, 0));
    std::vector<CKvoShadowManager::CShadowWnd*> shadows = Shadows();
    ASSERT_EQ(shadows.size(), 3u);
    EXPECT_EQ(shadows[2]->m_kind, CKvoShadowManager::CShadowWnd::Corner);
    const CRect popup = CKvoWindowRect(&m_popup);
    EXPECT_EQ(CKvoWindowRect(shadows[2]), CRect(popup.right - 1, popup.bottom - 1, popup.right, popup.bottom));
    m_manager->RemoveShadow(&m_popup);

    const CRect control(200, 200, 260, 220);
    m_manager->SetControlShadow(control, &m_popup);
    EXPECT_EQ(m_manager->GetShadowCount(), 0);
    m_manager->m_nShadowOptions = 3;
    m_manager->SetControlShadow(control, &m_popup);
    ASSERT_EQ(m_manager->GetShadowCount(), 2);
    EXPECT_TRUE(Shadows()[0]->m_bControlShadow);
    // With flag bit 1 a new shadow leaves out the exclude rectangle.
    m_manager->RemoveShadow(&m_popup);
    m_manager->m_nShadowOptions = 3;
    const CRect popupRect = CKvoWindowRect(&m_popup);
    m_manager->SetShadow(&m_popup, CRect(popupRect.left, popupRect.bottom, popupRect.left + 30, popupRect.bottom + 4));
    EXPECT_TRUE(Shadows()[0]->m_bRegionSet);
}

// The system's drop-shadow setting decides without flag bit 0; Wine
// answers what its user settings hold, and the manager follows it.
TEST_F(ShadowManagerTest, SystemSettingDecidesWithoutTheOverride)
{
    m_manager->m_nShadowOptions = 0;
    BOOL systemShadows = FALSE;
    ::SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &systemShadows, 0);
    m_manager->SetShadow(&m_popup, CRect(0, 0, 0, 0));
    EXPECT_EQ(m_manager->GetShadowCount(), systemShadows ? 2 : 0);
}

// The layered image: premultiplied shadow colour, strongest next to the
// popup, fading at both ends.
TEST_F(ShadowManagerTest, ShadowImagesFadeOutwards)
{
    m_manager->m_clrShadow = 0x0000FF;
    m_manager->SetShadow(&m_popup, CRect(0, 0, 0, 0));
    std::vector<CKvoShadowManager::CShadowWnd*> shadows = Shadows();
    ASSERT_EQ(shadows.size(), 2u);
    const int cx = 20;
    std::vector<DWORD> bottom(cx * 4), right(4 * cx);
    shadows[0]->FillImage(bottom.data(), cx, 4);
    // Row 3 (top, next to the popup) in the middle: full strength, alpha
    // 15 x 1 x 4 (flag bit 0 halves the strength factor).
    EXPECT_EQ(bottom[3 * cx + 10], (60u << 24) | 0xFF0000u);
    EXPECT_EQ(ShadowPixelAlpha(bottom[0 * cx + 10]), 15);
    EXPECT_EQ(ShadowPixelAlpha(bottom[3 * cx + 0]), 3 * 1 * 4);
    EXPECT_EQ(ShadowPixelAlpha(bottom[3 * cx + cx - 1]), 3 * 1 * 4);
    EXPECT_EQ(bottom[0], (3u << 24) | (static_cast<DWORD>(255 * 1 / 20) << 16));
    shadows[1]->FillImage(right.data(), 4, cx);
    EXPECT_EQ(ShadowPixelAlpha(right[0 * 4 + 0]), 60); // bottom row, inner column
    EXPECT_EQ(ShadowPixelAlpha(right[0 * 4 + 3]), 15);
    EXPECT_EQ(ShadowPixelAlpha(right[(cx - 1) * 4 + 3]), 3); // top row, outer column
    EXPECT_EQ(ShadowPixelAlpha(right[(cx - 4) * 4 + 0]), 3 * 4 * 4);
    m_manager->m_nShadowOptions = 0;
    shadows[0]->FillImage(bottom.data(), cx, 4);
    EXPECT_EQ(ShadowPixelAlpha(bottom[3 * cx + 10]), 120);
}

// A shadow window owns a region only once it took it: one it refuses (here
// a shadow whose window does not exist) stays with the caller's object and
// is freed with it, never lost.
TEST_F(ShadowManagerTest, RegionIsHandedOverOnlyWhenTheWindowTakesIt)
{
    CKvoShadowManager::CShadowWnd windowless(m_manager, CKvoShadowManager::CShadowWnd::Right, &m_popup, FALSE);
    CRgn refused;
    ASSERT_TRUE(refused.CreateRectRgn(0, 0, 4, 4));
    const HGDIOBJ refusedHandle = refused.GetSafeHandle();
    EXPECT_FALSE(windowless.SetRegion(refused));
    EXPECT_EQ(refused.GetSafeHandle(), refusedHandle);
    EXPECT_EQ(::GetObjectType(refusedHandle), static_cast<DWORD>(OBJ_REGION));
    EXPECT_FALSE(windowless.m_bRegionSet);

    m_manager->SetShadow(&m_popup, CRect(0, 0, 0, 0));
    ASSERT_EQ(m_manager->GetShadowCount(), 2);
    CKvoShadowManager::CShadowWnd* shadow = Shadows()[0];
    CRgn taken;
    ASSERT_TRUE(taken.CreateRectRgn(0, 0, 2, 2));
    EXPECT_TRUE(shadow->SetRegion(taken));
    EXPECT_EQ(taken.GetSafeHandle(), nullptr) << "the window owns it now";
    EXPECT_TRUE(shadow->m_bRegionSet);
    CRgn current;
    current.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(::GetWindowRgn(shadow->GetSafeHwnd(), static_cast<HRGN>(current.GetSafeHandle())), SIMPLEREGION);
    shadow->ClearRegion();
    EXPECT_FALSE(shadow->m_bRegionSet);
    EXPECT_EQ(::GetWindowRgn(shadow->GetSafeHwnd(), static_cast<HRGN>(current.GetSafeHandle())), ERROR);
}
