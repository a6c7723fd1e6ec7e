#include "markup/text/KvoMarkupTextElement.h"
#include "markup/builder/KvoMarkupConverters.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/drawing/KvoMarkupBrush.h"
#include "markup/values/KvoMarkupEnum.h"
#include "markup/values/KvoMarkupInt.h"
#include "markup/values/KvoMarkupString.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupTextElement)
CKvoMarkupDependencyProperty* CKvoMarkupTextElement::s_backgroundProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupTextElement::s_foregroundProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupTextElement::s_fontSizeProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupTextElement::s_fontWeightProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupTextElement::s_fontFamilyProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupTextElement::s_fontStyleProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupTextElement::s_textDecorationsProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupTextElement::s_fontQualityProperty = nullptr;

namespace {
CKvoMarkupDependencyProperty* RegisterTextProperty(LPCWSTR name, CKvoMarkupType* valueType, DWORD affects,
                                                   KvoMarkupValueConverter converter = nullptr)
{
    return CKvoMarkupDependencyProperty::RegisterAttached(
        name, valueType, CKvoMarkupTextElement::s_type,
        new CKvoMarkupPropertyMetadata(nullptr, converter, KvoMarkupPropertyFlag::Inherits | affects));
}
}

void CKvoMarkupTextElement::RegisterMarkupProperties()
{
    const DWORD render = KvoMarkupPropertyFlag::AffectsRender;
    const DWORD measure = KvoMarkupPropertyFlag::AffectsMeasure;
    s_backgroundProperty = RegisterTextProperty(L"Background", CKvoMarkupBrush::s_type, render);
    s_foregroundProperty = RegisterTextProperty(L"Foreground", CKvoMarkupBrush::s_type, render);
    s_fontSizeProperty = RegisterTextProperty(L"FontSize", CKvoMarkupInt::s_type, measure);
    s_fontWeightProperty = RegisterTextProperty(L"FontWeight", CKvoMarkupEnum::s_type, measure, MarkupConvertFontWeight);
    s_fontFamilyProperty = RegisterTextProperty(L"FontFamily", CKvoMarkupString::s_type, measure);
    s_fontStyleProperty = RegisterTextProperty(L"FontStyle", CKvoMarkupEnum::s_type, measure, MarkupConvertFontStyle);
    s_textDecorationsProperty = RegisterTextProperty(L"TextDecorations", CKvoMarkupEnum::s_type, render,
                                                     MarkupConvertTextDecorations);
    s_fontQualityProperty = RegisterTextProperty(L"FontQuality", CKvoMarkupEnum::s_type, render, MarkupConvertFontQuality);
}

CKvoMarkupBrush* CKvoMarkupTextElement::GetBackground() const
{
    return static_cast<CKvoMarkupBrush*>(GetValue(s_backgroundProperty));
}

CKvoMarkupBrush* CKvoMarkupTextElement::GetForeground() const
{
    return static_cast<CKvoMarkupBrush*>(GetValue(s_foregroundProperty));
}
