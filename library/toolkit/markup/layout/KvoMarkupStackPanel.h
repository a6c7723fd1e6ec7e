#pragma once
#include "markup/layout/KvoMarkupPanel.h"

// A panel that stacks its children one after the other, each at its
// desired extent: top to bottom unless Orientation says Horizontal.
class CKvoMarkupStackPanel : public CKvoMarkupPanel {
    DECLARE_MARKUP_TYPE()
public:
    SIZE MeasureOverride(CKvoMarkupDrawingContext* dc, int width, int height) override;
    SIZE ArrangeOverride(int width, int height) override;
    // Vertical when unset.
    int GetOrientation() const;

    // "Orientation": Enum, affects measure.
    static CKvoMarkupDependencyProperty* s_orientationProperty;
    static void RegisterMarkupProperties();
};
