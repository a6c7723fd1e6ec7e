// The colour dialog run modally and driven from a timer inside its own
// message loop: both pages follow the new colour, the custom page's edits
// stay consistent while typed into, the hexagon is clicked, the hexadecimal
// label reaches the clipboard, and the last page is remembered.
#include <gtest/gtest.h>

#include <afxwin.h>
#include <cstdlib>
#include <functional>

#include "foundation/base/KvoDrawHelpers.h"
#include "foundation/controls/KvColorDialog.h"
#include "foundation/controls/KvColorPageCustom.h"
#include "foundation/controls/KvColorSelectorCtrl.h"
#include "ColorTestSupport.h"
#include "framework/WindowTestSupport.h"

namespace
{
CKvColorDialog* g_pScriptDialog = NULL;
std::function<void(CKvColorDialog&)> g_script;

// Runs the script once the dialog is on screen, then leaves the dialog to
// the script's end (which presses OK or Cancel).
void CALLBACK RunColorDialogScript(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    CKvColorDialog* pDialog = g_pScriptDialog;
    if (pDialog == NULL || pDialog->GetSafeHwnd() == NULL || !pDialog->IsWindowVisible())
        return;
    ::KillTimer(NULL, nTimer);
    std::function<void(CKvColorDialog&)> script = std::move(g_script);
    g_script = nullptr;
    if (script)
        script(*pDialog);
}

INT_PTR RunColorDialog(CKvColorDialog& dialog, std::function<void(CKvColorDialog&)> script)
{
    g_pScriptDialog = &dialog;
    g_script = std::move(script);
    UINT_PTR nTimer = ::SetTimer(NULL, 0, 50, RunColorDialogScript);
    INT_PTR nResult = dialog.DoModal();
    ::KillTimer(NULL, nTimer);
    g_pScriptDialog = NULL;
    return nResult;
}

int EditValue(CWnd* pPage, int nId)
{
    CString strText;
    pPage->GetDlgItemText(nId, strText);
    return _wtoi(strText);
}

struct Rgb6
{
    int red, green, blue, hue, sat, lum;
    bool operator==(const Rgb6& other) const
    {
        return red == other.red && green == other.green && blue == other.blue && hue == other.hue &&
               sat == other.sat && lum == other.lum;
    }
};

std::ostream& operator<<(std::ostream& out, const Rgb6& v)
{
    return out << "rgb(" << v.red << "," << v.green << "," << v.blue << ") hsl(" << v.hue << "," << v.sat << ","
               << v.lum << ")";
}

Rgb6 ReadEdits(CWnd* pPage)
{
    return {EditValue(pPage, 110), EditValue(pPage, 111), EditValue(pPage, 118),
            EditValue(pPage, 115), EditValue(pPage, 114), EditValue(pPage, 113)};
}

Rgb6 Expected(COLORREF clr)
{
    Rgb6 v = {GetRValue(clr), GetGValue(clr), GetBValue(clr), 0, 0, 0};
    KvRgbToHsl(clr, v.lum, v.sat, v.hue);
    return v;
}

void TypeInto(CWnd* pPage, int nId, const wchar_t* pszText)
{
    CWnd* pEdit = pPage->GetDlgItem(nId);
    pEdit->SetFocus();
    pEdit->SendMessage(EM_SETSEL, 0, -1);
    for (const wchar_t* p = pszText; *p; ++p)
        pEdit->SendMessage(WM_CHAR, *p, 1);
}

void SavePicture(CWnd& window, const wchar_t* pszName)
{
    window.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    PumpUntil([] { return false; }, 0.2);
    CWindowPicture picture(window.m_hWnd);
    picture.SavePng(TestOutputFolder() + L"\\" + pszName);
}

TEST(KvColorHslTest, ConvertsBothWaysOverATable)
{
    const struct { COLORREF clr; int hue, sat, lum; } cases[] = {
        {0x0000FF, 0, 255, 127},   {0xFFFFFF, 0, 0, 255},     {0x000000, 0, 0, 0},
        {0x00FF00, 85, 255, 127},  {0xFF0000, 170, 255, 127}, {0x808080, 0, 0, 128},
        {0x00FFFF, 42, 255, 127},  {0x336699, 21, 127, 102},  {0xC0C0C0, 0, 0, 192},
    };
    for (const auto& c : cases) {
        int nLum = -1, nSat = -1, nHue = -1;
        KvRgbToHsl(c.clr, nLum, nSat, nHue);
        EXPECT_EQ(nHue, c.hue) << std::hex << c.clr;
        EXPECT_EQ(nSat, c.sat) << std::hex << c.clr;
        EXPECT_EQ(nLum, c.lum) << std::hex << c.clr;
        // Back through the integers the page keeps: within what truncating
        // to the 0 to 255 scale twice loses.
        const COLORREF back = CKvoDrawHelpers::HSLToColor(nHue / 255.0, nSat / 255.0, nLum / 255.0);
        EXPECT_LE(std::abs(GetRValue(back) - GetRValue(c.clr)), 4) << std::hex << c.clr;
        EXPECT_LE(std::abs(GetGValue(back) - GetGValue(c.clr)), 4) << std::hex << c.clr;
        EXPECT_LE(std::abs(GetBValue(back) - GetBValue(c.clr)), 4) << std::hex << c.clr;
    }
}

class KvColorDialogTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_language.IsLoaded()); }
    CColorLanguageScope m_language;
};

TEST_F(KvColorDialogTest, CustomPageFollowsTheColourAndStaysConsistentWhenTypedInto)
{
    g_kvColorDialogLastPage = 1;
    CKvColorDialog dialog(0x0000FF, 0x00FF00, KvColorSelStyle::ShowHex, NULL);
    const INT_PTR nResult = RunColorDialog(dialog, [](CKvColorDialog& d) {
        CKvColorPageCustom* pPage = d.GetCustomPage();
        ASSERT_NE(pPage->GetSafeHwnd(), nullptr);
        EXPECT_EQ(d.GetActiveIndex(), 1);
        EXPECT_EQ(ReadEdits(pPage), Expected(0x0000FF));
        CString strLabel;
        d.GetHexLabel().GetWindowText(strLabel);
        EXPECT_EQ(strLabel, CString(L"Hex= FF0000"));
        SavePicture(d, L"KvColorDialogCustom.png");

        // From the dialog: every colour of the table reaches all six edits.
        for (COLORREF clr : {0xFFFFFFu, 0x000000u, 0x336699u, 0x00FF00u, 0xC0C0C0u, 0x123456u}) {
            d.SetNewColor(clr, true);
            EXPECT_EQ(ReadEdits(pPage), Expected(clr)) << std::hex << clr;
        }

        // Typed red, green and blue: the HSL edits and the new colour follow.
        TypeInto(pPage, 110, L"200");
        TypeInto(pPage, 111, L"40");
        TypeInto(pPage, 118, L"90");
        EXPECT_EQ(ReadEdits(pPage), Expected(RGB(200, 40, 90)));
        EXPECT_EQ(d.GetNewColor(), RGB(200, 40, 90));

        // Typed hue, digit by digit: the edit keeps what is typed and the RGB
        // edits show the colour of the three HSL values.
        const Rgb6 before = ReadEdits(pPage);
        TypeInto(pPage, 115, L"170");
        const Rgb6 after = ReadEdits(pPage);
        EXPECT_EQ(after.hue, 170);
        EXPECT_EQ(after.sat, before.sat);
        EXPECT_EQ(after.lum, before.lum);
        const COLORREF clrHsl = CKvoDrawHelpers::HSLToColor(170 / 255.0, before.sat / 255.0, before.lum / 255.0);
        EXPECT_EQ(RGB(after.red, after.green, after.blue), clrHsl);
        EXPECT_EQ(d.GetNewColor(), clrHsl);
        d.GetHexLabel().GetWindowText(strLabel);
        EXPECT_EQ(strLabel, CString(CKvColorDialog::FormatHexColor(clrHsl)));

        // A value out of range fails the exchange and changes nothing.
        const COLORREF clrKept = d.GetNewColor();
        pPage->SetDlgItemText(110, L"300");
        EXPECT_EQ(d.GetNewColor(), clrKept);
        EXPECT_EQ(ReadEdits(pPage).green, after.green);

        // Luminance typed to the top: white, within what the conversion
        // truncates.
        TypeInto(pPage, 110, L"10");
        TypeInto(pPage, 113, L"255");
        const Rgb6 top = ReadEdits(pPage);
        EXPECT_EQ(d.GetNewColor(), CKvoDrawHelpers::HSLToColor(top.hue / 255.0, top.sat / 255.0, 1.0));
        EXPECT_GE(top.red, 254);
        EXPECT_GE(top.green, 254);
        EXPECT_GE(top.blue, 254);

        // The field's marker at the top edge is full saturation, at the
        // bottom none.
        CRect rcField;
        pPage->GetField().GetClientRect(&rcField);
        pPage->GetField().SetPoint(rcField.Width() / 2, 0);
        EXPECT_EQ(ReadEdits(pPage).sat, 255);
        pPage->GetField().SetPoint(rcField.Width() / 2, rcField.bottom);
        EXPECT_EQ(ReadEdits(pPage).sat, 0);
        d.EndDialog(IDOK);
    });
    EXPECT_EQ(nResult, IDOK);
    EXPECT_EQ(g_kvColorDialogLastPage, 1);
}

TEST_F(KvColorDialogTest, StandardPageSelectsByClickAndShowsBothWhiteRings)
{
    g_kvColorDialogLastPage = 0;
    CKvColorDialog dialog(0xFFFFFF, 0x000080, KvColorSelStyle::ShowHex, NULL);
    const INT_PTR nResult = RunColorDialog(dialog, [](CKvColorDialog& d) {
        CKvColorPageStandard* pPage = d.GetStandardPage();
        ASSERT_NE(pPage->GetSafeHwnd(), nullptr);
        CKvColorHex& hex = pPage->GetHex();
        hex.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        ASSERT_EQ(hex.GetCells().size(), 144u);
        SavePicture(d, L"KvColorDialogStandard.png");

        // Both white cells wear the ring: white pixels just outside each.
        CWindowPicture picture(hex.m_hWnd);
        for (int nWhite : {63, 142}) {
            const POINT pt = hex.GetCells()[nWhite]->pPoints[0];
            EXPECT_EQ(picture.Pixel(pt.x - 1, pt.y + 2), RGB(255, 255, 255)) << nWhite;
        }

        // A click inside cell 10 chooses its colour.
        const POINT* pCell = hex.GetCells()[10]->pPoints;
        const LPARAM lPoint = MAKELPARAM(pCell[0].x + 6, pCell[0].y + 4);
        hex.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
        hex.SendMessage(WM_LBUTTONUP, 0, lPoint);
        EXPECT_EQ(d.GetNewColor(), static_cast<COLORREF>(0xCC6600));

        // A click outside every cell keeps it.
        hex.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
        hex.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
        EXPECT_EQ(d.GetNewColor(), static_cast<COLORREF>(0xCC6600));

        // The arrow keys walk the neighbours: right of cell 10 is 11.
        MSG msg = {hex.m_hWnd, WM_KEYDOWN, VK_RIGHT, 0};
        EXPECT_TRUE(hex.PreTranslateMessage(&msg));
        EXPECT_EQ(d.GetNewColor(), hex.GetCells()[11]->clr);

        // A theme change renders again from a fresh list.
        pPage->SendMessage(WM_THEMECHANGED);
        hex.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_EQ(hex.GetCells().size(), 144u);

        // The label goes to the clipboard whole.
        d.SetNewColor(0x0000FF, true);
        ASSERT_TRUE(d.CopyHexToClipboard());
        ASSERT_TRUE(::OpenClipboard(NULL));
        HANDLE hData = ::GetClipboardData(CF_UNICODETEXT);
        ASSERT_NE(hData, nullptr);
        EXPECT_STREQ(static_cast<const wchar_t*>(::GlobalLock(hData)), L"Hex= FF0000");
        ::GlobalUnlock(hData);
        ::CloseClipboard();
        d.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(nResult, IDCANCEL);
    EXPECT_EQ(g_kvColorDialogLastPage, 0);
}

TEST(KvColorControlTest, ZeroSizeControlsDoNotDivideByZero)
{
    CWnd parent;
    ASSERT_TRUE(CreateTestPopup(parent));
    CKvColorWnd field;
    CKvColorLum bar;
    ASSERT_TRUE(field.Create(L"", WS_CHILD | SS_NOTIFY, CRect(0, 0, 0, 0), &parent, 1));
    ASSERT_TRUE(bar.Create(L"", WS_CHILD | SS_NOTIFY, CRect(0, 0, 0, 0), &parent, 2));
    field.SetPoint(5, 5);
    EXPECT_EQ(field.GetHue(), 0.0);
    EXPECT_EQ(field.GetSat(), 0.0);
    EXPECT_EQ(field.GetMarker(), CPoint(0, 0));
    bar.SetLuminance(0.5);
    bar.SetPoint(0, 3);
    EXPECT_EQ(bar.GetLum(), 0.5);
    parent.DestroyWindow();
}

TEST(KvColorDialogFormatTest, HexTextAndClearedLogFont)
{
    EXPECT_EQ(CKvColorDialog::FormatHexColor(0x0000FF), CStringW(L"Hex= FF0000"));
    EXPECT_EQ(CKvColorDialog::FormatHexColor(0x123456), CStringW(L"Hex= 563412"));
    LOGFONTW logFont;
    ::memset(&logFont, 0x5A, sizeof(logFont));
    ClearLogFont(logFont);
    EXPECT_EQ(logFont.lfHeight, 0);
    EXPECT_EQ(logFont.lfFaceName[LF_FACESIZE - 1], L'\0');
}
} // namespace
