#include "markup/layout/KvoMarkupWrapPanel.h"
#include <algorithm>
#include "markup/builder/KvoMarkupConverters.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/layout/KvoMarkupLayoutSizes.h"
#include "markup/values/KvoMarkupEnum.h"
#include "markup/values/KvoMarkupInt.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupWrapPanel)
CKvoMarkupDependencyProperty* CKvoMarkupWrapPanel::s_orientationProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupWrapPanel::s_itemHeightProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupWrapPanel::s_itemWidthProperty = nullptr;

void CKvoMarkupWrapPanel::RegisterMarkupProperties()
{
    const DWORD measure = KvoMarkupPropertyFlag::AffectsMeasure;
    s_orientationProperty = CKvoMarkupDependencyProperty::Register(
        L"Orientation", CKvoMarkupEnum::s_type, s_type,
        new CKvoMarkupPropertyMetadata(nullptr, MarkupConvertOrientation, measure));
    s_itemHeightProperty = CKvoMarkupDependencyProperty::Register(L"ItemHeight", CKvoMarkupInt::s_type, s_type,
                                                                  new CKvoMarkupPropertyMetadata(nullptr, measure));
    s_itemWidthProperty = CKvoMarkupDependencyProperty::Register(L"ItemWidth", CKvoMarkupInt::s_type, s_type,
                                                                 new CKvoMarkupPropertyMetadata(nullptr, measure));
}

int CKvoMarkupWrapPanel::GetOrientation() const
{
    return KvoMarkupReadOrientation(this, s_orientationProperty, KvoMarkupOrientation::Horizontal);
}

int CKvoMarkupWrapPanel::GetItemExtent(const CKvoMarkupDependencyProperty* property) const
{
    const CKvoMarkupInt* value = static_cast<const CKvoMarkupInt*>(MarkupDynamicCast(CKvoMarkupInt::s_type, GetValue(property)));
    return value ? value->GetValue() : 0;
}

SIZE CKvoMarkupWrapPanel::GetFlowSize(const CKvoMarkupUIElement* child, bool horizontal) const
{
    const int itemWidth = GetItemExtent(s_itemWidthProperty);
    const int itemHeight = GetItemExtent(s_itemHeightProperty);
    const SIZE desired = child->GetDesiredSize();
    const SIZE item = {itemWidth ? itemWidth : desired.cx, itemHeight ? itemHeight : desired.cy};
    return horizontal ? item : SIZE{item.cy, item.cx};
}

SIZE CKvoMarkupWrapPanel::MeasureOverride(CKvoMarkupDrawingContext* dc, int width, int height)
{
    const bool horizontal = GetOrientation() != KvoMarkupOrientation::Vertical;
    const int itemWidth = GetItemExtent(s_itemWidthProperty);
    const int itemHeight = GetItemExtent(s_itemHeightProperty);
    const int limit = horizontal ? width : height;
    int lineLength = 0, lineThickness = 0, finishedThickness = 0, longestLine = 0;
    for (int index = 0; index < GetVisualChildrenCount(); ++index) {
        CKvoMarkupUIElement* child = GetChildElement(index);
        if (!child)
            continue;
        child->Measure(dc, itemWidth ? itemWidth : width, itemHeight ? itemHeight : height);
        const SIZE flow = GetFlowSize(child, horizontal);
        if (KvoMarkupAddSizes(lineLength, flow.cx) > limit) {
            longestLine = std::max(longestLine, lineLength);
            finishedThickness = KvoMarkupAddSizes(finishedThickness, lineThickness);
            lineLength = flow.cx;
            lineThickness = flow.cy;
        } else {
            lineLength = KvoMarkupAddSizes(lineLength, flow.cx);
            lineThickness = std::max<int>(lineThickness, flow.cy);
        }
    }
    const SIZE flowSize = {std::max(longestLine, lineLength), KvoMarkupAddSizes(finishedThickness, lineThickness)};
    return horizontal ? flowSize : SIZE{flowSize.cy, flowSize.cx};
}

SIZE CKvoMarkupWrapPanel::ArrangeOverride(int width, int height)
{
    const bool horizontal = GetOrientation() != KvoMarkupOrientation::Vertical;
    const int limit = horizontal ? width : height;
    int lineStart = 0, lineLength = 0, lineThickness = 0, offset = 0;
    const int count = GetVisualChildrenCount();
    for (int index = 0; index < count; ++index) {
        CKvoMarkupUIElement* child = GetChildElement(index);
        if (!child)
            continue;
        const SIZE flow = GetFlowSize(child, horizontal);
        if (KvoMarkupAddSizes(lineLength, flow.cx) > limit) {
            ArrangeLine(lineStart, index, offset, lineThickness, horizontal);
            offset = KvoMarkupAddSizes(offset, lineThickness);
            lineStart = index;
            lineLength = flow.cx;
            lineThickness = flow.cy;
        } else {
            lineLength = KvoMarkupAddSizes(lineLength, flow.cx);
            lineThickness = std::max<int>(lineThickness, flow.cy);
        }
    }
    ArrangeLine(lineStart, count, offset, lineThickness, horizontal);
    return {width, height};
}

void CKvoMarkupWrapPanel::ArrangeLine(int first, int end, int offset, int thickness, bool horizontal)
{
    const int across = KvoMarkupAddSizes(offset, thickness);
    int position = 0;
    for (int index = first; index < end; ++index) {
        CKvoMarkupUIElement* child = GetChildElement(index);
        if (!child)
            continue;
        const int next = KvoMarkupAddSizes(position, GetFlowSize(child, horizontal).cx);
        child->Arrange(horizontal ? RECT{position, offset, next, across} : RECT{offset, position, across, next});
        position = next;
    }
}
