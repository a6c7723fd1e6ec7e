#include "markup/elements/KvoMarkupFrameworkElement.h"
#include <algorithm>
#include "markup/builder/KvoMarkupConverters.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/styles/KvoMarkupStyle.h"
#include "markup/values/KvoMarkupBool.h"
#include "markup/values/KvoMarkupEnum.h"
#include "markup/values/KvoMarkupInt.h"
#include "markup/values/KvoMarkupThickness.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupFrameworkElement)
CKvoMarkupDependencyProperty* CKvoMarkupFrameworkElement::s_marginProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupFrameworkElement::s_horizontalAlignmentProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupFrameworkElement::s_verticalAlignmentProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupFrameworkElement::s_widthProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupFrameworkElement::s_heightProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupFrameworkElement::s_minWidthProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupFrameworkElement::s_minHeightProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupFrameworkElement::s_maxWidthProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupFrameworkElement::s_maxHeightProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupFrameworkElement::s_tagProperty = nullptr;

namespace {
// Available sizes from here up mean "as much as you like".
const int kUnboundedFrom = 0x40000000;

CKvoMarkupDependencyProperty* RegisterSize(LPCWSTR name)
{
    return CKvoMarkupDependencyProperty::Register(
        name, CKvoMarkupInt::s_type, CKvoMarkupFrameworkElement::s_type,
        new CKvoMarkupPropertyMetadata(nullptr, KvoMarkupPropertyFlag::AffectsMeasure));
}

// The available size of one axis for the content: unbounded stays
// unbounded, else less the margin and never negative.
int ContentAvailable(int available, int margin)
{
    if (available >= kUnboundedFrom)
        return KvoMarkupUnbounded;
    return static_cast<int>(std::max<long long>(static_cast<long long>(available) - margin, 0));
}

// Where ink of one axis sits in room. A stretched ink larger than the room
// starts at the start.
int AlignAxis(int alignment, int room, int ink)
{
    if (alignment == KvoMarkupAlignment::Stretch && ink > room)
        alignment = KvoMarkupAlignment::Start;
    switch (alignment) {
    case KvoMarkupAlignment::Center:
    case KvoMarkupAlignment::Stretch:
        return (room - ink) / 2;
    case KvoMarkupAlignment::End:
        return room - ink;
    default:
        return 0;
    }
}
}

CKvoMarkupFrameworkElement::CKvoMarkupFrameworkElement()
    : m_bNeedsClip(FALSE), m_unclippedDesiredSize{0, 0}, m_bHasUnclippedSize(FALSE), m_maxHeight(KvoMarkupUnbounded),
      m_minHeight(0), m_maxWidth(KvoMarkupUnbounded), m_minWidth(0)
{
}

void CKvoMarkupFrameworkElement::RegisterMarkupProperties()
{
    CKvoMarkupType::EnsureRegistered(CKvoMarkupStyle::s_type);
    s_marginProperty = CKvoMarkupDependencyProperty::Register(
        L"Margin", CKvoMarkupThickness::s_type, s_type,
        new CKvoMarkupPropertyMetadata(CKvoMarkupThickness::GetZero(), KvoMarkupPropertyFlag::AffectsMeasure));
    s_horizontalAlignmentProperty = CKvoMarkupDependencyProperty::Register(
        L"HorizontalAlignment", CKvoMarkupEnum::s_type, s_type,
        new CKvoMarkupPropertyMetadata(nullptr, MarkupConvertHorizontalAlignment,
                                       KvoMarkupPropertyFlag::AffectsArrange));
    s_verticalAlignmentProperty = CKvoMarkupDependencyProperty::Register(
        L"VerticalAlignment", CKvoMarkupEnum::s_type, s_type,
        new CKvoMarkupPropertyMetadata(nullptr, MarkupConvertVerticalAlignment,
                                       KvoMarkupPropertyFlag::AffectsArrange));
    s_widthProperty = RegisterSize(L"Width");
    s_heightProperty = RegisterSize(L"Height");
    s_minWidthProperty = RegisterSize(L"MinWidth");
    s_minHeightProperty = RegisterSize(L"MinHeight");
    s_maxWidthProperty = RegisterSize(L"MaxWidth");
    s_maxHeightProperty = RegisterSize(L"MaxHeight");
    s_tagProperty = CKvoMarkupDependencyProperty::Register(L"Tag", CKvoMarkupObject::s_type, s_type);
}

int CKvoMarkupFrameworkElement::GetIntValue(const CKvoMarkupDependencyProperty* property, int fallback) const
{
    const CKvoMarkupInt* value = static_cast<const CKvoMarkupInt*>(GetValue(property));
    return value ? value->GetValue() : fallback;
}

int CKvoMarkupFrameworkElement::GetAlignment(const CKvoMarkupDependencyProperty* property) const
{
    const CKvoMarkupEnum* value = static_cast<const CKvoMarkupEnum*>(GetValue(property));
    return value ? value->GetValue() : KvoMarkupAlignment::Stretch;
}

void CKvoMarkupFrameworkElement::OnPropertyChanged(const CKvoMarkupDependencyProperty* property,
                                                   CKvoMarkupObject* oldValue, CKvoMarkupObject* newValue)
{
    CKvoMarkupUIElement::OnPropertyChanged(property, oldValue, newValue);
    UpdateTriggers(property, newValue);
    if (!property)
        return;
    if (property->HasFlag(KvoMarkupPropertyFlag::AffectsMeasure))
        InvalidateMeasure();
    if (property->HasFlag(KvoMarkupPropertyFlag::AffectsArrange))
        InvalidateArrange();
    if (property->HasFlag(KvoMarkupPropertyFlag::AffectsRender))
        InvalidateVisual();
}

void CKvoMarkupFrameworkElement::UpdateLimits()
{
    const int minHeight = GetIntValue(s_minHeightProperty, 0);
    const int minWidth = GetIntValue(s_minWidthProperty, 0);
    // An explicit size fixes both limits; the minimum wins over the maximum.
    m_maxHeight = std::max(minHeight, std::min(GetIntValue(s_heightProperty, KvoMarkupUnbounded),
                                               GetIntValue(s_maxHeightProperty, KvoMarkupUnbounded)));
    m_minHeight = std::max(minHeight, std::min(GetIntValue(s_heightProperty, 0), m_maxHeight));
    m_maxWidth = std::max(minWidth, std::min(GetIntValue(s_widthProperty, KvoMarkupUnbounded),
                                             GetIntValue(s_maxWidthProperty, KvoMarkupUnbounded)));
    m_minWidth = std::max(minWidth, std::min(GetIntValue(s_widthProperty, 0), m_maxWidth));
}

SIZE CKvoMarkupFrameworkElement::MeasureCore(CKvoMarkupDrawingContext* dc, int availableWidth, int availableHeight)
{
    const CKvoMarkupThickness* margin = static_cast<const CKvoMarkupThickness*>(GetValue(s_marginProperty));
    const int marginWidth = margin ? margin->GetLeft() + margin->GetRight() : 0;
    const int marginHeight = margin ? margin->GetTop() + margin->GetBottom() : 0;

    UpdateLimits();
    const int width = std::max(m_minWidth, std::min(ContentAvailable(availableWidth, marginWidth), m_maxWidth));
    const int height = std::max(m_minHeight, std::min(ContentAvailable(availableHeight, marginHeight), m_maxHeight));
    const SIZE content = MeasureOverride(dc, width, height);

    const int desiredWidth = std::max<int>(content.cx, m_minWidth);
    const int desiredHeight = std::max<int>(content.cy, m_minHeight);
    // In 64 bits: an unbounded desired size plus a margin does not fit in 32.
    long long outerWidth = static_cast<long long>(std::min(desiredWidth, m_maxWidth)) + marginWidth;
    long long outerHeight = static_cast<long long>(std::min(desiredHeight, m_maxHeight)) + marginHeight;

    m_bNeedsClip = FALSE;
    m_bHasUnclippedSize = FALSE;
    if (outerHeight > availableHeight || outerWidth > availableWidth || desiredWidth > m_maxWidth ||
        desiredHeight > m_maxHeight || outerWidth < 0 || outerHeight < 0) {
        outerWidth = std::min<long long>(outerWidth, availableWidth);
        outerHeight = std::min<long long>(outerHeight, availableHeight);
        m_bNeedsClip = TRUE;
        m_bHasUnclippedSize = TRUE;
        m_unclippedDesiredSize = {desiredWidth, desiredHeight};
    }
    return {static_cast<LONG>(std::max<long long>(outerWidth, 0)), static_cast<LONG>(std::max<long long>(outerHeight, 0))};
}

SIZE CKvoMarkupFrameworkElement::GetRoom(const RECT& rect) const
{
    const CKvoMarkupThickness* margin = static_cast<const CKvoMarkupThickness*>(GetValue(s_marginProperty));
    const long long marginWidth = margin ? static_cast<long long>(margin->GetLeft()) + margin->GetRight() : 0;
    const long long marginHeight = margin ? static_cast<long long>(margin->GetTop()) + margin->GetBottom() : 0;
    return {static_cast<LONG>(std::max<long long>(static_cast<long long>(rect.right) - rect.left - marginWidth, 0)),
            static_cast<LONG>(std::max<long long>(static_cast<long long>(rect.bottom) - rect.top - marginHeight, 0))};
}

POINT CKvoMarkupFrameworkElement::GetAlignmentOffset(SIZE room, SIZE ink) const
{
    return {AlignAxis(GetAlignment(s_horizontalAlignmentProperty), room.cx, ink.cx),
            AlignAxis(GetAlignment(s_verticalAlignmentProperty), room.cy, ink.cy)};
}

void CKvoMarkupFrameworkElement::ArrangeCore(const RECT& rect)
{
    const CKvoMarkupThickness* margin = static_cast<const CKvoMarkupThickness*>(GetValue(s_marginProperty));
    const SIZE room = GetRoom(rect);
    SIZE unclipped = m_unclippedDesiredSize;
    if (!m_bHasUnclippedSize) {
        const SIZE desired = GetDesiredSize();
        unclipped = {desired.cx - (margin ? margin->GetLeft() + margin->GetRight() : 0),
                     desired.cy - (margin ? margin->GetTop() + margin->GetBottom() : 0)};
    }

    // Each axis: the room, but never less than the content wants; the
    // content's own size unless stretched; then the maximum.
    auto arrangeAxis = [this](LONG roomSize, LONG wanted, int alignment, int maximum) {
        LONG size = roomSize;
        if (size < wanted) {
            size = wanted;
            m_bNeedsClip = TRUE;
        }
        if (alignment != KvoMarkupAlignment::Stretch)
            size = wanted;
        const LONG limit = std::max<LONG>(wanted, maximum);
        if (size > limit) {
            size = limit;
            m_bNeedsClip = TRUE;
        }
        return size;
    };
    const LONG width = arrangeAxis(room.cx, unclipped.cx, GetAlignment(s_horizontalAlignmentProperty), m_maxWidth);
    const LONG height = arrangeAxis(room.cy, unclipped.cy, GetAlignment(s_verticalAlignmentProperty), m_maxHeight);

    const SIZE used = ArrangeOverride(width, height);
    SetRenderSize(used.cx, used.cy);
    const SIZE ink = {std::min<LONG>(used.cx, m_maxWidth), std::min<LONG>(used.cy, m_maxHeight)};
    if (ink.cx != used.cx || ink.cy != used.cy || ink.cx > room.cx || ink.cy > room.cy)
        m_bNeedsClip = TRUE;

    const POINT offset = GetAlignmentOffset(room, ink);
    SetVisualOffset(rect.left + (margin ? margin->GetLeft() : 0) + offset.x,
                    rect.top + (margin ? margin->GetTop() : 0) + offset.y);
}

SIZE CKvoMarkupFrameworkElement::MeasureOverride(CKvoMarkupDrawingContext*, int, int)
{
    return {0, 0};
}

SIZE CKvoMarkupFrameworkElement::ArrangeOverride(int width, int height)
{
    return {width, height};
}

BOOL CKvoMarkupFrameworkElement::GetLayoutClip(RECT* clip)
{
    if (CKvoMarkupUIElement::GetLayoutClip(clip))
        return TRUE;
    const CKvoMarkupBool* clipToBoundsValue = static_cast<const CKvoMarkupBool*>(GetValue(s_clipToBoundsProperty));
    const BOOL clipToBounds = clipToBoundsValue && clipToBoundsValue->GetValue();
    if (!clipToBounds && !m_bNeedsClip)
        return FALSE;

    const SIZE render = GetRenderSize();
    const LONG maxWidth = m_maxWidth == KvoMarkupUnbounded ? render.cx : m_maxWidth;
    const LONG maxHeight = m_maxHeight == KvoMarkupUnbounded ? render.cy : m_maxHeight;
    const BOOL clipToLimits = clipToBounds || maxWidth < render.cx || maxHeight < render.cy;
    const SIZE room = GetRoom(GetFinalRect());
    const SIZE ink = {std::min<LONG>(m_maxWidth, render.cx), std::min<LONG>(m_maxHeight, render.cy)};
    const RECT limits = {0, 0, maxWidth, maxHeight};

    RECT result;
    if (!clipToBounds && ink.cx <= room.cx && ink.cy <= room.cy) {
        if (!clipToLimits)
            return FALSE;
        result = limits;
    } else {
        const POINT offset = GetAlignmentOffset(room, ink);
        result = {-offset.x, -offset.y, room.cx - offset.x, room.cy - offset.y};
        if (clipToLimits)
            ::IntersectRect(&result, &result, &limits);
    }
    if (clip)
        *clip = result;
    return TRUE;
}
