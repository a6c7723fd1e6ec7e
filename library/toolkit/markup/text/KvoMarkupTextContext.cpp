#include "markup/text/KvoMarkupTextContext.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/drawing/KvoMarkupFont.h"

// Contexts keep no fonts or colours of their own yet: every element gets
// the defaults, a font of its own and objects from the type records.
LOGFONTW KvoMarkupTextContext::GetDefaultFont(CKvoMarkupContext*)
{
    return GetMessageFont();
}

COLORREF KvoMarkupTextContext::GetDefaultTextColor(CKvoMarkupContext*)
{
    return RGB(0, 0, 0);
}

CKvoMarkupFont* KvoMarkupTextContext::GetFont(CKvoMarkupContext*, const LOGFONTW& description)
{
    return CKvoMarkupFont::Create(description);
}

CKvoMarkupObject* KvoMarkupTextContext::CreateObject(CKvoMarkupContext*, CKvoMarkupType* type)
{
    return type ? type->CreateObject() : nullptr;
}

LOGFONTW KvoMarkupTextContext::GetMessageFont()
{
    // The size of the structure with the padded border width, which every
    // system since Vista reads.
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = 504;
    static_assert(sizeof(NONCLIENTMETRICSW) >= 504, "the structure holds the padded border width");
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
        LOGFONTW fallback = {};
        ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(fallback), &fallback);
        return fallback;
    }
    return metrics.lfMessageFont;
}
