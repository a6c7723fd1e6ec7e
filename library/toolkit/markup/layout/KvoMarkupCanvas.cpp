#include "markup/layout/KvoMarkupCanvas.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/layout/KvoMarkupLayoutSizes.h"
#include "markup/values/KvoMarkupInt.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupCanvas)
CKvoMarkupDependencyProperty* CKvoMarkupCanvas::s_topProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupCanvas::s_rightProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupCanvas::s_leftProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupCanvas::s_bottomProperty = nullptr;

void CKvoMarkupCanvas::RegisterMarkupProperties()
{
    s_topProperty = CKvoMarkupDependencyProperty::RegisterAttached(L"Top", CKvoMarkupInt::s_type, s_type);
    s_rightProperty = CKvoMarkupDependencyProperty::RegisterAttached(L"Right", CKvoMarkupInt::s_type, s_type);
    s_leftProperty = CKvoMarkupDependencyProperty::RegisterAttached(L"Left", CKvoMarkupInt::s_type, s_type);
    s_bottomProperty = CKvoMarkupDependencyProperty::RegisterAttached(L"Bottom", CKvoMarkupInt::s_type, s_type);
}

namespace {
const CKvoMarkupInt* EdgeOf(const CKvoMarkupObject* child, const CKvoMarkupDependencyProperty* property)
{
    return static_cast<const CKvoMarkupInt*>(MarkupDynamicCast(CKvoMarkupInt::s_type, child->GetValue(property)));
}

// The start edge when set, else measured back from the far edge, else 0.
int PlaceAlong(const CKvoMarkupInt* start, const CKvoMarkupInt* end, int room, int extent)
{
    if (start)
        return start->GetValue();
    if (end)
        return KvoMarkupAddSizes(KvoMarkupAddSizes(room, -extent), -end->GetValue());
    return 0;
}
}

SIZE CKvoMarkupCanvas::MeasureOverride(CKvoMarkupDrawingContext* dc, int width, int height)
{
    for (int index = 0; index < GetVisualChildrenCount(); ++index) {
        if (CKvoMarkupUIElement* child = GetChildElement(index))
            child->Measure(dc, KvoMarkupUnbounded, KvoMarkupUnbounded);
    }
    return {width, height};
}

SIZE CKvoMarkupCanvas::ArrangeOverride(int width, int height)
{
    for (int index = 0; index < GetVisualChildrenCount(); ++index) {
        CKvoMarkupUIElement* child = GetChildElement(index);
        if (!child)
            continue;
        const SIZE size = child->GetDesiredSize();
        const int x = PlaceAlong(EdgeOf(child, s_leftProperty), EdgeOf(child, s_rightProperty), width, size.cx);
        const int y = PlaceAlong(EdgeOf(child, s_topProperty), EdgeOf(child, s_bottomProperty), height, size.cy);
        child->Arrange(RECT{x, y, KvoMarkupAddSizes(x, size.cx), KvoMarkupAddSizes(y, size.cy)});
    }
    return {width, height};
}
