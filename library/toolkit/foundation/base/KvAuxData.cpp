#include "foundation/base/KvAuxData.h"
#include "foundation/base/KvThemeManager.h"
#include "foundation/base/KvoColorManager.h"
#include "foundation/base/KvoDrawHelpers.h"
#include "foundation/base/KvoResourceManager.h"
#include "foundation/base/KvoSystemVersion.h"

const DWORD kAuxColorIndices[40] = {
    COLOR_BTNFACE,  COLOR_BTNSHADOW,     COLOR_3DDKSHADOW,    COLOR_BTNHIGHLIGHT, COLOR_3DLIGHT,
    COLOR_BTNTEXT,  COLOR_GRAYTEXT,      COLOR_HIGHLIGHT,     COLOR_HIGHLIGHTTEXT, COLOR_MENU,
    COLOR_MENUTEXT, COLOR_WINDOW,        COLOR_WINDOWFRAME,   COLOR_WINDOWTEXT,   COLOR_ACTIVECAPTION,
    COLOR_INACTIVECAPTION, COLOR_GRADIENTACTIVECAPTION, COLOR_GRADIENTINACTIVECAPTION, COLOR_CAPTIONTEXT,
    COLOR_INACTIVECAPTIONTEXT,
    30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49,
};

namespace {
const int kAuxBoldWeight = 700;

// Every colour member in the order of kAuxColorIndices.
COLORREF* AuxColorSlot(CKvAuxData& data, int slot)
{
    COLORREF* const named[20] = {
        &data.clrBtnFace,       &data.clrBtnShadow,      &data.clr3DDkShadow,
        &data.clrBtnHilite,     &data.clr3DLight,        &data.clrBtnText,
        &data.clrGrayText,      &data.clrHighlight,      &data.clrHighlightText,
        &data.clrMenu,          &data.clrMenuText,       &data.clrWindow,
        &data.clrWindowFrame,   &data.clrWindowText,     &data.clrActiveCaption,
        &data.clrInactiveCaption, &data.clrGradientActiveCaption, &data.clrGradientInactiveCaption,
        &data.clrCaptionText,   &data.clrInactiveCaptionText,
    };
    return slot < 20 ? named[slot] : &data.clrToolkit[slot - 20];
}

bool CreateFontChanged(CFont& font, LOGFONTW logFont, void (*change)(LOGFONTW&))
{
    if (change)
        change(logFont);
    return font.CreateFontIndirect(&logFont) != FALSE;
}
}

CKvAuxData* CKvAuxData::Instance()
{
    static CKvAuxData data;
    return &data;
}

CKvAuxData::CKvAuxData() : bUseTahoma(FALSE)
{
    CKvoSystemVersion* version = CKvoSystemVersion::Instance();
    bIsWin95 = version->IsWin95();
    bIsWin98 = version->IsWin98();
    bIsWinNT4 = version->IsNT4();
    bIsWin2K = version->IsWin2K();
    bIsWinXP = version->IsWinXP();
    bIsWinVista = version->IsWinVista();
    bIsWin7 = version->IsWin7();
    bIsWin8 = version->IsWin8();
    bIsWin81 = version->IsWin81();
    bIsWin10 = version->IsWin10();
    dwComCtlVersion = CKvoSystemVersion::GetComCtlVersion();

    CKvoColorManager::RefreshColorsStatic();
    UpdateSysColors();
    UpdateSysMetrics();
    LoadCursors();
    UpdateFonts();
}

CKvAuxData::~CKvAuxData() = default;

void CKvAuxData::UpdateSysColors()
{
    CKvoColorManager* colors = CKvoColorManager::Instance();
    for (int slot = 0; slot < 40; ++slot)
        *AuxColorSlot(*this, slot) = colors->GetColor(kAuxColorIndices[slot]);
}

void CKvAuxData::UpdateSysMetrics()
{
    cxSmallIcon = ::GetSystemMetrics(SM_CXSMICON);
    cySmallIcon = ::GetSystemMetrics(SM_CYSMICON);
    cxSmallBox = 18;
    cySmallBox = 18;
    cxHorizontalThumb = ::GetSystemMetrics(SM_CXHTHUMB);
    cyVerticalThumb = ::GetSystemMetrics(SM_CYVTHUMB);
    cyMenu = ::GetSystemMetrics(SM_CYMENU);
}

void CKvAuxData::LoadCursors()
{
    // Each cursor on its own: a toolkit cursor missing from the language
    // module must not leave the system's hand or four-way arrow unset.
    CKvoResourceManager* resources = CKvoResourceManager::Instance();
    hCursors[CursorToolkit9308] = resources->LoadCursor(9308);
    hCursors[CursorToolkit9309] = resources->LoadCursor(9309);
    hCursors[CursorToolkit9311] = resources->LoadCursor(9311);
    hCursors[CursorHand] = ::LoadCursorW(nullptr, IDC_HAND);
    if (!hCursors[CursorHand])
        hCursors[CursorHand] = resources->LoadCursor(9973);
    hCursors[CursorToolkit9970] = resources->LoadCursor(9970);
    hCursors[CursorToolkit9971] = resources->LoadCursor(9971);
    hCursors[CursorSizeAll] = ::LoadCursorW(nullptr, IDC_SIZEALL);
}

void CKvAuxData::DeleteFonts()
{
    CFont* const fonts[] = {&fontNormal,    &fontBold,          &fontUnderline, &fontVertical, &fontVerticalBold,
                            &fontIconTitle, &fontIconTitleBold, &fontMarlett,   &fontStatus,   &fontSmallCaption};
    for (CFont* font : fonts)
        font->DeleteObject();
}

void CKvAuxData::UpdateFonts()
{
    DeleteFonts();
    CreateFonts();
}

bool CKvAuxData::CreateFonts()
{
    NONCLIENTMETRICSW metrics;
    InitNonClientMetrics(&metrics);
    LOGFONTW menu = metrics.lfMenuFont;
    if (bUseTahoma && menu.lfCharSet < 3 && CKvoDrawHelpers::FontExists(L"Tahoma"))
        wcscpy_s(menu.lfFaceName, L"Tahoma");

    if (!CreateFontChanged(fontNormal, menu, nullptr) ||
        !CreateFontChanged(fontBold, menu, [](LOGFONTW& f) { f.lfWeight = kAuxBoldWeight; }) ||
        !CreateFontChanged(fontUnderline, menu, [](LOGFONTW& f) { f.lfUnderline = 1; }))
        return false;

    LOGFONTW vertical = menu;
    if (lstrcmpiW(metrics.lfMenuFont.lfFaceName, L"Tahoma") != 0 && CKvoDrawHelpers::FontExists(L"Arial"))
        wcscpy_s(vertical.lfFaceName, L"Arial");
    vertical.lfEscapement = 2700;
    vertical.lfOrientation = 900;
    if (!CreateFontChanged(fontVertical, vertical, nullptr) ||
        !CreateFontChanged(fontVerticalBold, vertical, [](LOGFONTW& f) { f.lfWeight = kAuxBoldWeight; }))
        return false;

    LOGFONTW iconTitle = {};
    ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof iconTitle, &iconTitle, 0);
    if (!CreateFontChanged(fontIconTitle, iconTitle, nullptr) ||
        !CreateFontChanged(fontIconTitleBold, iconTitle, [](LOGFONTW& f) { f.lfWeight = kAuxBoldWeight; }) ||
        !CreateFontChanged(fontStatus, metrics.lfStatusFont, nullptr) ||
        !CreateFontChanged(fontSmallCaption, metrics.lfSmCaptionFont, nullptr))
        return false;

    LOGFONTW marlett = {};
    marlett.lfHeight = iconTitle.lfHeight;
    marlett.lfCharSet = DEFAULT_CHARSET;
    wcscpy_s(marlett.lfFaceName, L"Marlett");
    return CreateFontChanged(fontMarlett, marlett, nullptr);
}
