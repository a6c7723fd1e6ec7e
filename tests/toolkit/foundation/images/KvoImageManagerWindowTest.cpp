// The state images of one command drawn by a real window's WM_PAINT, read
// back from the screen and saved for a person to look at.
#include <gtest/gtest.h>
#include <afxwin.h>

#include <cmath>

#include "foundation/images/KvoImageManager.h"
#include "framework/WindowTestSupport.h"
#include "KvoImageTestSupport.h"

namespace {

const UINT kPainted = 950;
const int kIconSize = 32;
const int kStates[] = {kvoIconNormal, kvoIconHot, kvoIconChecked, kvoIconPressed, kvoIconDisabled};

// A disc of the colour with a soft edge on a transparent ground.
HBITMAP MakeDisc(DWORD rgb)
{
    std::vector<DWORD> pixels(kIconSize * kIconSize);
    for (int y = 0; y < kIconSize; ++y)
        for (int x = 0; x < kIconSize; ++x)
        {
            double distance = std::hypot(x - 15.5, y - 15.5);
            int alpha = distance < 12 ? 255 : distance < 15 ? static_cast<int>((15 - distance) / 3 * 255) : 0;
            pixels[y * kIconSize + x] = (static_cast<DWORD>(alpha) << 24) | rgb;
        }
    return MakeAlphaBitmap(kIconSize, kIconSize, pixels);
}

// Draws the five states side by side, 40 pixels apart.
class CIconStatesWnd : public CWnd
{
public:
    explicit CIconStatesWnd(CKvoImageManagerIcon* icon) : m_icon(icon) {}
    bool m_painted = false;

protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, RGB(255, 255, 255));
        for (int i = 0; i < static_cast<int>(std::size(kStates)); ++i)
            m_icon->DrawHandle(&dc, CPoint(8 + 40 * i, 8), m_icon->GetStateIcon(kStates[i]));
        m_painted = true;
    }
    DECLARE_MESSAGE_MAP()

private:
    CKvoImageManagerIcon* m_icon;  // not owned
};

BEGIN_MESSAGE_MAP(CIconStatesWnd, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

}  // namespace

TEST(KvoImageManagerWindow, StateImagesShowInAPaintedWindow)
{
    CKvoImageManager manager;
    CBitmap red, blue, green;
    red.Attach(MakeDisc(0xE02020));
    blue.Attach(MakeDisc(0x2040E0));
    green.Attach(MakeDisc(0x20A040));
    ASSERT_TRUE(manager.SetIcon(CKvoImageManagerIconHandle(static_cast<HBITMAP>(red.m_hObject)), kPainted));
    manager.SetIcon(CKvoImageManagerIconHandle(static_cast<HBITMAP>(blue.m_hObject)), kPainted, 0, 0, kvoIconHot);
    manager.SetIcon(CKvoImageManagerIconHandle(static_cast<HBITMAP>(green.m_hObject)), kPainted, 0, 0,
                    kvoIconPressed);

    CIconStatesWnd wnd(manager.IsIconDefined(kPainted, kIconSize));
    ASSERT_TRUE(CreateTestPopup(wnd, true, 40, 40, 208, 48));
    wnd.UpdateWindow();
    ASSERT_TRUE(PumpUntil([&] { return wnd.m_painted; }));
    CWindowPicture picture(wnd.m_hWnd);
    picture.SavePng(TestOutputFolder() + L"\\KvoImageManagerStates.png");

    const int centre = 8 + 16;
    EXPECT_EQ(RGB(0xE0, 0x20, 0x20), picture.Pixel(centre, centre)) << "normal";
    EXPECT_EQ(RGB(0x20, 0x40, 0xE0), picture.Pixel(40 + centre, centre)) << "hot";
    EXPECT_EQ(RGB(0x20, 0x40, 0xE0), picture.Pixel(80 + centre, centre)) << "checked falls back to hot";
    EXPECT_EQ(RGB(0x20, 0xA0, 0x40), picture.Pixel(120 + centre, centre)) << "pressed";
    COLORREF disabled = picture.Pixel(160 + centre, centre);
    EXPECT_TRUE(GetRValue(disabled) == GetGValue(disabled) && GetGValue(disabled) == GetBValue(disabled)) << "grey";
    EXPECT_EQ(RGB(255, 255, 255), picture.Pixel(8 + 1, 8 + 1)) << "the transparent corner shows the window";
    wnd.DestroyWindow();
}
