#include "markup/builder/KvoMarkupSystemColors.h"
#include <new>
#include "markup/builder/KvoMarkupSystemColorKey.h"
#include "markup/drawing/KvoMarkupBrush.h"
#include "markup/values/KvoMarkupColor.h"

namespace {
struct SystemColorName {
    LPCWSTR name;
    int index;
};

// Alphabetical: a shorter name comes before the longer ones it begins.
const SystemColorName kSystemColorNames[] = {
    {L"ActiveBorder", COLOR_ACTIVEBORDER},
    {L"ActiveCaption", COLOR_ACTIVECAPTION},
    {L"ActiveCaptionText", COLOR_CAPTIONTEXT},
    {L"AppWorkspace", COLOR_APPWORKSPACE},
    {L"Control", COLOR_BTNFACE},
    {L"ControlDark", COLOR_BTNSHADOW},
    {L"ControlDarkDark", COLOR_3DDKSHADOW},
    {L"ControlLight", COLOR_3DLIGHT},
    {L"ControlLightLight", COLOR_BTNHIGHLIGHT},
    {L"ControlText", COLOR_BTNTEXT},
    {L"Desktop", COLOR_DESKTOP},
    {L"GradientActiveCaption", COLOR_GRADIENTACTIVECAPTION},
    {L"GradientInactiveCaption", COLOR_GRADIENTINACTIVECAPTION},
    {L"GrayText", COLOR_GRAYTEXT},
    {L"Highlight", COLOR_HIGHLIGHT},
    {L"HighlightText", COLOR_HIGHLIGHTTEXT},
    {L"HotTrack", COLOR_HOTLIGHT},
    {L"InactiveBorder", COLOR_INACTIVEBORDER},
    {L"InactiveCaption", COLOR_INACTIVECAPTION},
    {L"InactiveCaptionText", COLOR_INACTIVECAPTIONTEXT},
    {L"Info", COLOR_INFOBK},
    {L"InfoText", COLOR_INFOTEXT},
    {L"Menu", COLOR_MENU},
    {L"MenuBar", COLOR_MENUBAR},
    {L"MenuHighlight", COLOR_MENUHILIGHT},
    {L"MenuText", COLOR_MENUTEXT},
    {L"ScrollBar", COLOR_SCROLLBAR},
    {L"Window", COLOR_WINDOW},
    {L"WindowFrame", COLOR_WINDOWFRAME},
    {L"WindowText", COLOR_WINDOWTEXT},
};

CKvoMarkupObject* MakeSystemColorObject(CKvoMarkupSystemColors::Form form, int index)
{
    switch (form) {
    case CKvoMarkupSystemColors::SolidBrush:
        return new (std::nothrow) CKvoMarkupSolidColorBrush(::GetSysColor(index));
    case CKvoMarkupSystemColors::ColorValue:
        return new (std::nothrow) CKvoMarkupColor(::GetSysColor(index));
    case CKvoMarkupSystemColors::BrushKey:
        return new (std::nothrow) CKvoMarkupBrushKey(index);
    case CKvoMarkupSystemColors::ColorKey:
        return new (std::nothrow) CKvoMarkupColorKey(index);
    default:
        return nullptr;
    }
}
}

CKvoMarkupObject* CKvoMarkupSystemColors::Get(Form form, int index)
{
    if (form < 0 || form >= FormCount || index < 0 || index >= kSystemColorCount)
        return nullptr;
    CKvoMarkupPtr<CKvoMarkupObject>& slot = m_objects[form][index];
    if (!slot)
        slot.Reset(MakeSystemColorObject(form, index));
    return CKvoMarkupPtr<CKvoMarkupObject>::Share(slot.Get()).Detach();
}

int CKvoMarkupSystemColors::FindIndex(LPCWSTR name, int length)
{
    if (!name || length <= 0)
        return -1;
    for (const SystemColorName& entry : kSystemColorNames) {
        if (lstrlenW(entry.name) >= length && _wcsnicmp(entry.name, name, length) == 0)
            return entry.index;
    }
    return -1;
}
