#include "markup/text/KvoMarkupTextContext.h"
#include "markup/core/KvoMarkupContext.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/drawing/KvoMarkupFont.h"

LOGFONTW KvoMarkupTextContext::GetDefaultFont(CKvoMarkupContext* context)
{
    return context ? context->GetDefaultFont() : GetMessageFont();
}

COLORREF KvoMarkupTextContext::GetDefaultTextColor(CKvoMarkupContext* context)
{
    return context ? context->GetDefaultTextColor() : RGB(0, 0, 0);
}

CKvoMarkupFont* KvoMarkupTextContext::GetFont(CKvoMarkupContext* context, const LOGFONTW& description)
{
    return context ? context->GetFont(description) : CKvoMarkupFont::Create(description);
}

CKvoMarkupObject* KvoMarkupTextContext::CreateObject(CKvoMarkupContext* context, CKvoMarkupType* type)
{
    if (context)
        return context->CreateObject(type);
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
