#include <gtest/gtest.h>
#include <afxwin.h>
#include "foundation/base/KvAuxData.h"
#include "foundation/base/KvThemeManager.h"
#include "foundation/base/KvoColorManager.h"
#include "foundation/base/KvoDrawHelpers.h"
#include "foundation/base/KvoSystemVersion.h"

namespace {
LOGFONTW AuxFontOf(CFont& font)
{
    LOGFONTW logFont = {};
    GetObjectW(static_cast<HFONT>(font.GetSafeHandle()), sizeof logFont, &logFont);
    return logFont;
}
}

TEST(KvAuxData, ColoursFollowTheColourManagerInPaletteOrder)
{
    CKvAuxData* data = CKvAuxData::Instance();
    ASSERT_EQ(data, CKvAuxData::Instance());
    data->UpdateSysColors();
    CKvoColorManager* colors = CKvoColorManager::Instance();
    EXPECT_EQ(data->clrBtnFace, colors->GetColor(COLOR_BTNFACE));
    EXPECT_EQ(data->clrWindowText, colors->GetColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(data->clrInactiveCaptionText, colors->GetColor(COLOR_INACTIVECAPTIONTEXT));
    EXPECT_EQ(data->clrToolkit[0], colors->GetColor(30));
    EXPECT_EQ(data->clrToolkit[19], colors->GetColor(49));
    const COLORREF* first = &data->clrBtnFace;
    for (int slot = 0; slot < 20; ++slot)
        EXPECT_EQ(first[slot], colors->GetColor(kAuxColorIndices[slot])) << "slot " << slot;
}

TEST(KvAuxData, MetricsCursorsAndVersionFlags)
{
    CKvAuxData* data = CKvAuxData::Instance();
    EXPECT_EQ(data->cxSmallIcon, GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(data->cyMenu, GetSystemMetrics(SM_CYMENU));
    EXPECT_EQ(data->cxSmallBox, 18);
    EXPECT_EQ(data->hCursors[CKvAuxData::CursorHand], LoadCursorW(nullptr, IDC_HAND));
    EXPECT_EQ(data->hCursors[CKvAuxData::CursorSizeAll], LoadCursorW(nullptr, IDC_SIZEALL))
        << "loaded even when a toolkit cursor of the language module is missing";
    CKvoSystemVersion* version = CKvoSystemVersion::Instance();
    EXPECT_EQ(data->bIsWin7, version->IsWin7());
    EXPECT_EQ(data->bIsWin10, version->IsWin10());
    EXPECT_EQ(data->dwComCtlVersion, CKvoSystemVersion::GetComCtlVersion());
    EXPECT_FALSE(data->bUseTahoma);
}

TEST(KvAuxData, FontsAreTheMenuFontWithOneChangeEach)
{
    CKvAuxData* data = CKvAuxData::Instance();
    data->UpdateFonts();
    NONCLIENTMETRICSW metrics;
    InitNonClientMetrics(&metrics);
    const LOGFONTW& menu = metrics.lfMenuFont;

    LOGFONTW normal = AuxFontOf(data->fontNormal);
    EXPECT_EQ(normal.lfHeight, menu.lfHeight);
    EXPECT_STREQ(normal.lfFaceName, menu.lfFaceName);
    EXPECT_EQ(AuxFontOf(data->fontBold).lfWeight, 700);
    EXPECT_EQ(AuxFontOf(data->fontUnderline).lfUnderline, 1);

    LOGFONTW vertical = AuxFontOf(data->fontVertical);
    EXPECT_EQ(vertical.lfEscapement, 2700);
    EXPECT_EQ(vertical.lfOrientation, 900);
    if (lstrcmpiW(menu.lfFaceName, L"Tahoma") != 0 && CKvoDrawHelpers::FontExists(L"Arial")) {
        EXPECT_STREQ(vertical.lfFaceName, L"Arial");
    }
    EXPECT_EQ(AuxFontOf(data->fontVerticalBold).lfWeight, 700);

    LOGFONTW iconTitle = {};
    SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof iconTitle, &iconTitle, 0);
    EXPECT_EQ(AuxFontOf(data->fontIconTitle).lfHeight, iconTitle.lfHeight);
    EXPECT_EQ(AuxFontOf(data->fontIconTitleBold).lfWeight, 700);
    LOGFONTW marlett = AuxFontOf(data->fontMarlett);
    EXPECT_STREQ(marlett.lfFaceName, L"Marlett");
    EXPECT_EQ(marlett.lfHeight, iconTitle.lfHeight);
    EXPECT_EQ(marlett.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(AuxFontOf(data->fontStatus).lfHeight, metrics.lfStatusFont.lfHeight);
    EXPECT_NE(data->fontSmallCaption.GetSafeHandle(), nullptr);
}
