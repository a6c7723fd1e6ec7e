#include "markup/text/KvoMarkupTextBlock.h"
#include <algorithm>
#include <new>
#include "markup/builder/KvoMarkupConverters.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupPtr.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/drawing/KvoMarkupBrush.h"
#include "markup/drawing/KvoMarkupDrawingContext.h"
#include "markup/text/KvoMarkupInlineCollection.h"
#include "markup/text/KvoMarkupRun.h"
#include "markup/text/KvoMarkupTextContext.h"
#include "markup/text/KvoMarkupTextLayout.h"
#include "markup/values/KvoMarkupEnum.h"
#include "markup/values/KvoMarkupString.h"
#include "markup/values/KvoMarkupThickness.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupTextBlock)
CKvoMarkupDependencyProperty* CKvoMarkupTextBlock::s_textWrappingProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupTextBlock::s_textTrimmingProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupTextBlock::s_textAlignmentProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupTextBlock::s_paddingProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupTextBlock::s_textProperty = nullptr;

namespace {
typedef CKvoMarkupTextElement Text;
}

CKvoMarkupTextBlock::CKvoMarkupTextBlock()
    : m_pInlines(new (std::nothrow) CKvoMarkupInlineCollection), m_layoutWidth(-1), m_textWidth(0), m_textHeight(0)
{
    if (m_pInlines)
        m_pInlines->SetLogicalParent(this);
}

CKvoMarkupTextBlock::~CKvoMarkupTextBlock()
{
    m_lines.clear();
    if (!m_pInlines)
        return;
    m_pInlines->RemoveAll();
    m_pInlines->SetLogicalParent(nullptr);
    m_pInlines->Release();
}

void CKvoMarkupTextBlock::RegisterMarkupProperties()
{
    CKvoMarkupType::EnsureRegistered(Text::s_type);
    for (CKvoMarkupDependencyProperty* property :
         {Text::s_backgroundProperty, Text::s_foregroundProperty, Text::s_fontSizeProperty,
          Text::s_fontWeightProperty, Text::s_fontQualityProperty, Text::s_fontFamilyProperty,
          Text::s_fontStyleProperty, Text::s_textDecorationsProperty}) {
        if (property)
            property->AddOwner(s_type);
    }
    const DWORD measure = KvoMarkupPropertyFlag::AffectsMeasure;
    s_textWrappingProperty = CKvoMarkupDependencyProperty::Register(
        L"TextWrapping", CKvoMarkupEnum::s_type, s_type,
        new CKvoMarkupPropertyMetadata(nullptr, MarkupConvertTextWrapping, measure));
    s_textTrimmingProperty = CKvoMarkupDependencyProperty::Register(
        L"TextTrimming", CKvoMarkupEnum::s_type, s_type,
        new CKvoMarkupPropertyMetadata(nullptr, MarkupConvertTextTrimming, measure));
    s_textAlignmentProperty = CKvoMarkupDependencyProperty::Register(
        L"TextAlignment", CKvoMarkupEnum::s_type, s_type,
        new CKvoMarkupPropertyMetadata(nullptr, MarkupConvertTextAlignment, KvoMarkupPropertyFlag::AffectsArrange));
    s_paddingProperty = CKvoMarkupDependencyProperty::Register(
        L"Padding", CKvoMarkupThickness::s_type, s_type,
        new CKvoMarkupPropertyMetadata(CKvoMarkupThickness::GetZero(), measure));
    s_textProperty = CKvoMarkupDependencyProperty::Register(L"Text", CKvoMarkupString::s_type, s_type,
                                                           new CKvoMarkupPropertyMetadata(nullptr, measure));
}

int CKvoMarkupTextBlock::GetLogicalChildrenCount() const
{
    return m_pInlines ? 1 : 0;
}

CKvoMarkupObject* CKvoMarkupTextBlock::GetLogicalChild(int index) const
{
    return index == 0 ? m_pInlines : nullptr;
}

void CKvoMarkupTextBlock::SetContentObject(CKvoMarkupBuilder* builder, CKvoMarkupObject* content)
{
    if (m_pInlines)
        m_pInlines->SetContentObject(builder, content);
    else if (content)
        content->Release();
}

BOOL CKvoMarkupTextBlock::HasContentObject() const
{
    return m_pInlines && m_pInlines->HasContentObject();
}

BOOL CKvoMarkupTextBlock::AllowWhiteSpaceContent() const
{
    return TRUE;
}

void CKvoMarkupTextBlock::OnPropertyChanged(const CKvoMarkupDependencyProperty* property,
                                            CKvoMarkupObject* oldValue, CKvoMarkupObject* newValue)
{
    if (property && property == s_textProperty && m_pInlines) {
        // The pieces hold the old inlines: they go with them.
        m_lines.clear();
        m_layoutWidth = -1;
        m_pInlines->RemoveAll();
        CKvoMarkupObject* run = KvoMarkupTextContext::CreateObject(GetMarkupContext(), CKvoMarkupRun::s_type);
        if (run && run->IsKindOf(CKvoMarkupRun::s_type))
            static_cast<CKvoMarkupRun*>(run)->SetText(static_cast<CKvoMarkupString*>(
                MarkupDynamicCast(CKvoMarkupString::s_type, newValue)));
        m_pInlines->Add(run);
    }
    CKvoMarkupFrameworkElement::OnPropertyChanged(property, oldValue, newValue);
}

int CKvoMarkupTextBlock::GetVisualChildrenCount() const
{
    return 0;
}

CKvoMarkupVisual* CKvoMarkupTextBlock::GetVisualChild(int) const
{
    return nullptr;
}

CKvoMarkupInline* CKvoMarkupTextBlock::GetFirstInline() const
{
    return m_pInlines && m_pInlines->GetCount() ? m_pInlines->GetInline(0)->GetFirstInline() : nullptr;
}

int CKvoMarkupTextBlock::GetEnumValue(const CKvoMarkupDependencyProperty* property) const
{
    const CKvoMarkupEnum* value = static_cast<const CKvoMarkupEnum*>(GetValue(property));
    return value ? value->GetValue() : 0;
}

RECT CKvoMarkupTextBlock::GetPadding() const
{
    const CKvoMarkupThickness* padding = static_cast<const CKvoMarkupThickness*>(GetValue(s_paddingProperty));
    if (!padding)
        return {0, 0, 0, 0};
    return {padding->GetLeft(), padding->GetTop(), padding->GetRight(), padding->GetBottom()};
}

void CKvoMarkupTextBlock::UpdateMeasure(CKvoMarkupDrawingContext* dc)
{
    m_layoutWidth = -1;
    CKvoMarkupFrameworkElement::UpdateMeasure(dc);
}

SIZE CKvoMarkupTextBlock::MeasureOverride(CKvoMarkupDrawingContext* dc, int width, int)
{
    const RECT padding = GetPadding();
    // In 64 bits: an unbounded width less a negative padding would wrap.
    const long long textWidth = static_cast<long long>(width) - padding.left - padding.right;
    LayOut(dc, static_cast<int>(std::min<long long>(std::max<long long>(0, textWidth), KvoMarkupUnbounded)));
    return {m_textWidth + padding.left + padding.right, m_textHeight + padding.top + padding.bottom};
}

void CKvoMarkupTextBlock::LayOut(CKvoMarkupDrawingContext* dc, int width)
{
    const int wrapping = GetEnumValue(s_textWrappingProperty);
    const int trimming = GetEnumValue(s_textTrimmingProperty);
    const BOOL deviceRedoes = dc && dc->GetDeviceFlag();
    const BOOL widthMatters = wrapping != KvoMarkupTextWrapping::NoWrap ||
                              trimming != KvoMarkupTextTrimming::None || m_layoutWidth == -1;
    if (!deviceRedoes && !(width != m_layoutWidth && widthMatters))
        return;
    m_layoutWidth = width;
    m_lines.clear();
    CKvoMarkupTextLayout layout(this, dc, width, wrapping, trimming);
    layout.Run(GetFirstInline());
    m_lines = std::move(layout.GetLines());
    if (deviceRedoes)
        m_layoutWidth = -1;
    m_textWidth = layout.GetWidestLine();
    m_textHeight = layout.GetHeight();
}

int CKvoMarkupTextBlock::GetBaselineCorrection(const CKvoMarkupTextPiece& piece)
{
    const CKvoMarkupEnum* alignment =
        static_cast<const CKvoMarkupEnum*>(piece.GetInline()->GetValue(CKvoMarkupInline::s_baselineAlignmentProperty));
    const int lineDescent = piece.line->descent;
    const int lineHeight = piece.line->height;
    switch (alignment ? alignment->GetValue() : KvoMarkupBaselineAlignment::Baseline) {
    case KvoMarkupBaselineAlignment::Top:
    case KvoMarkupBaselineAlignment::TextTop:
        return piece.height - lineHeight;
    case KvoMarkupBaselineAlignment::Center:
        return (piece.height - lineHeight) / 2;
    case KvoMarkupBaselineAlignment::Bottom:
    case KvoMarkupBaselineAlignment::TextBottom:
        return 0;
    case KvoMarkupBaselineAlignment::Subscript:
        return piece.descent - lineDescent / 2;
    case KvoMarkupBaselineAlignment::Superscript:
        return lineDescent / 2 - piece.descent - lineHeight + piece.height;
    default:
        return piece.descent - lineDescent;
    }
}

SIZE CKvoMarkupTextBlock::ArrangeOverride(int width, int height)
{
    const RECT padding = GetPadding();
    const int alignment = GetEnumValue(s_textAlignmentProperty);
    for (const auto& line : m_lines) {
        int shift = 0;
        if (alignment == KvoMarkupTextAlignment::Right || alignment == KvoMarkupTextAlignment::Center)
            shift = (width - padding.left - padding.right) - line->width;
        if (alignment == KvoMarkupTextAlignment::Center)
            shift /= 2;
        for (const auto& piece : line->pieces) {
            piece->offsetX = padding.left + shift;
            piece->offsetY = padding.top + line->height - piece->height + GetBaselineCorrection(*piece);
            piece->GetInline()->Arrange(piece->GetRect(), piece->start, piece->end);
        }
    }
    return {width, height};
}

void CKvoMarkupTextBlock::OnRender(CKvoMarkupDrawingContext* dc)
{
    if (!dc)
        return;
    CKvoMarkupBrush* background = static_cast<CKvoMarkupBrush*>(GetValue(Text::s_backgroundProperty));
    if (background)
        dc->FillRectangle(background, {0, 0, GetRenderSize().cx, GetRenderSize().cy});
    const COLORREF savedColor = ::GetTextColor(dc->GetSafeHdc());
    for (const auto& line : m_lines) {
        for (const auto& piece : line->pieces) {
            RECT rect = piece->GetRect(), visible;
            if (::IntersectRect(&visible, &rect, &dc->GetClipBox()))
                RenderPiece(dc, *piece, background);
        }
    }
    ::SetTextColor(dc->GetSafeHdc(), savedColor);
}

void CKvoMarkupTextBlock::RenderPiece(CKvoMarkupDrawingContext* dc, const CKvoMarkupTextPiece& piece,
                                      CKvoMarkupBrush* blockBackground)
{
    CKvoMarkupInline* inlineElement = piece.GetInline();
    const RECT rect = piece.GetRect();
    CKvoMarkupBrush* background = inlineElement->GetBackground();
    if (background && background != blockBackground)
        dc->FillRectangle(background, rect);
    const CKvoMarkupBrush* foreground = inlineElement->GetForeground();
    ::SetTextColor(dc->GetSafeHdc(), foreground ? foreground->GetColor()
                                                : KvoMarkupTextContext::GetDefaultTextColor(GetMarkupContext()));
    inlineElement->Render(dc, rect, piece.start, piece.end);
    RenderDecoration(dc, piece);
}

void CKvoMarkupTextBlock::RenderDecoration(CKvoMarkupDrawingContext* dc, const CKvoMarkupTextPiece& piece)
{
    CKvoMarkupInline* inlineElement = piece.GetInline();
    const CKvoMarkupEnum* decoration =
        static_cast<const CKvoMarkupEnum*>(inlineElement->GetValue(Text::s_textDecorationsProperty));
    const int kind = decoration ? decoration->GetValue() : KvoMarkupTextDecoration::None;
    if (kind != KvoMarkupTextDecoration::Underline && kind != KvoMarkupTextDecoration::Strikethrough)
        return;
    const RECT rect = piece.GetRect();
    const int lineDescent = piece.line->descent;
    const int thickness = std::max(1, lineDescent / 3);
    const int baseline = rect.bottom - piece.descent;
    const int top = kind == KvoMarkupTextDecoration::Underline
                        ? baseline + thickness
                        : baseline + lineDescent - (piece.line->height - lineDescent) / 2;
    // In the colour of the element that underlines: a link's underline
    // follows the link's colour, not that of a run inside it.
    const CKvoMarkupObject* source = inlineElement->GetValueSource(Text::s_textDecorationsProperty);
    CKvoMarkupBrush* brush =
        source ? static_cast<CKvoMarkupBrush*>(source->GetValue(Text::s_foregroundProperty)) : nullptr;
    const RECT bar = {rect.left, top, rect.right, top + thickness};
    if (brush) {
        dc->FillRectangle(brush, bar);
        return;
    }
    CKvoMarkupPtr<CKvoMarkupBrush> fallback(
        new CKvoMarkupSolidColorBrush(KvoMarkupTextContext::GetDefaultTextColor(GetMarkupContext())));
    dc->FillRectangle(fallback.Get(), bar);
}

CKvoMarkupInputElement* CKvoMarkupTextBlock::InputHitTestCore(int x, int y)
{
    const POINT point = {x, y};
    for (const auto& line : m_lines) {
        for (const auto& piece : line->pieces) {
            const RECT rect = piece->GetRect();
            if (::PtInRect(&rect, point))
                return piece->GetInline()->InputHitTest(x, y);
        }
    }
    return this;
}
