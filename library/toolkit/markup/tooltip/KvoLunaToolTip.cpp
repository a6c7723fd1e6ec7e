#include "markup/tooltip/KvoLunaToolTip.h"

#include "foundation/base/KvoColorManager.h"
#include "foundation/base/KvoDrawHelpers.h"

void CKvoToolTipContext::CLunaToolTip::DrawBackground(CDC* dc, const TOOLITEM&, RECT rect)
{
    // COLORREF values: 0x00BBGGRR.
    COLORREF frame = 0, top = GetContext()->GetBackColor(), bottom = 0xFFFFFF;
    switch (CKvoColorManager::Instance()->GetCurrentSystemTheme()) {
    case KvoSystemThemeBlue:
    case KvoSystemThemeRoyale:
    case KvoSystemThemeAero:
        frame = 0x800000, top = 0x97D4FF, bottom = 0xC8F2FF;
        break;
    case KvoSystemThemeOlive:
        frame = 0x385D3F, top = 0x97D4FF, bottom = 0xC8F2FF;
        break;
    case KvoSystemThemeSilver:
        frame = 0x6F4B4B, top = 0x97D4FF, bottom = 0xC8F2FF;
        break;
    case KvoSystemThemeDarkSilver:
        frame = 0x6F4B4B, top = 0x585858, bottom = 0x2C2C2C;
        break;
    default:
        break;
    }
    CKvoDrawHelpers::GradientFill(dc, &rect, top, bottom, FALSE);
    dc->Draw3dRect(&rect, frame, frame);
}
