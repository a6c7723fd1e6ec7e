#include "markup/layout/KvoMarkupStackPanel.h"
#include <algorithm>
#include "markup/builder/KvoMarkupConverters.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/layout/KvoMarkupLayoutSizes.h"
#include "markup/values/KvoMarkupEnum.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupStackPanel)
CKvoMarkupDependencyProperty* CKvoMarkupStackPanel::s_orientationProperty = nullptr;

void CKvoMarkupStackPanel::RegisterMarkupProperties()
{
    s_orientationProperty = CKvoMarkupDependencyProperty::Register(
        L"Orientation", CKvoMarkupEnum::s_type, s_type,
        new CKvoMarkupPropertyMetadata(nullptr, MarkupConvertOrientation, KvoMarkupPropertyFlag::AffectsMeasure));
}

int CKvoMarkupStackPanel::GetOrientation() const
{
    return KvoMarkupReadOrientation(this, s_orientationProperty, KvoMarkupOrientation::Vertical);
}

SIZE CKvoMarkupStackPanel::MeasureOverride(CKvoMarkupDrawingContext* dc, int width, int height)
{
    const bool vertical = GetOrientation() != KvoMarkupOrientation::Horizontal;
    SIZE desired = {0, 0};
    for (int index = 0; index < GetVisualChildrenCount(); ++index) {
        CKvoMarkupUIElement* child = GetChildElement(index);
        if (!child)
            continue;
        child->Measure(dc, vertical ? width : KvoMarkupUnbounded, vertical ? KvoMarkupUnbounded : height);
        const SIZE size = child->GetDesiredSize();
        if (vertical) {
            desired.cx = std::max(desired.cx, size.cx);
            desired.cy = KvoMarkupAddSizes(desired.cy, size.cy);
        } else {
            desired.cx = KvoMarkupAddSizes(desired.cx, size.cx);
            desired.cy = std::max(desired.cy, size.cy);
        }
    }
    return desired;
}

SIZE CKvoMarkupStackPanel::ArrangeOverride(int width, int height)
{
    const bool vertical = GetOrientation() != KvoMarkupOrientation::Horizontal;
    int position = 0;
    for (int index = 0; index < GetVisualChildrenCount(); ++index) {
        CKvoMarkupUIElement* child = GetChildElement(index);
        if (!child)
            continue;
        const SIZE size = child->GetDesiredSize();
        if (vertical) {
            const int next = KvoMarkupAddSizes(position, size.cy);
            child->Arrange(RECT{0, position, std::max<int>(width, size.cx), next});
            position = next;
        } else {
            const int next = KvoMarkupAddSizes(position, size.cx);
            child->Arrange(RECT{position, 0, next, std::max<int>(height, size.cy)});
            position = next;
        }
    }
    return {width, height};
}
