#pragma once
#include "markup/shapes/KvoMarkupShape.h"

class CKvoMarkupPointCollection;

// The five shapes: they have no size of their own unless their points or
// ends give them one.

// Filled with its brush (gradients too) and framed inside its bounds.
class CKvoMarkupRectangle : public CKvoMarkupShape {
    DECLARE_MARKUP_TYPE()
public:
    void OnRender(CKvoMarkupDrawingContext* dc) override;
};

// Hit only inside the ellipse.
class CKvoMarkupEllipse : public CKvoMarkupShape {
    DECLARE_MARKUP_TYPE()
public:
    void OnRender(CKvoMarkupDrawingContext* dc) override;
    CKvoMarkupInputElement* InputHitTestCore(int x, int y) override;
};

// From (X1, Y1) to (X2, Y2); hit within half the stroke of the line.
class CKvoMarkupLine : public CKvoMarkupShape {
    DECLARE_MARKUP_TYPE()
public:
    void OnRender(CKvoMarkupDrawingContext* dc) override;
    CKvoMarkupInputElement* InputHitTestCore(int x, int y) override;
    SIZE MeasureOverride(CKvoMarkupDrawingContext* dc, int width, int height) override;

    // "X1", "Y1", "X2", "Y2": Int, 0 when unset, affect measure.
    static CKvoMarkupDependencyProperty* s_x1Property;
    static CKvoMarkupDependencyProperty* s_y1Property;
    static CKvoMarkupDependencyProperty* s_x2Property;
    static CKvoMarkupDependencyProperty* s_y2Property;
    static void RegisterMarkupProperties();

private:
    int GetCoordinate(const CKvoMarkupDependencyProperty* property) const;
};

// A closed outline over Points, filled.
class CKvoMarkupPolygon : public CKvoMarkupShape {
    DECLARE_MARKUP_TYPE()
public:
    void OnRender(CKvoMarkupDrawingContext* dc) override;
    SIZE MeasureOverride(CKvoMarkupDrawingContext* dc, int width, int height) override;
    CKvoMarkupPointCollection* GetPoints() const;

    // "Points": PointCollection, affects measure.
    static CKvoMarkupDependencyProperty* s_pointsProperty;
    static void RegisterMarkupProperties();
};

// An open line through Points, scaled to the render size unless Stretch is
// None.
class CKvoMarkupPolyline : public CKvoMarkupShape {
    DECLARE_MARKUP_TYPE()
public:
    void OnRender(CKvoMarkupDrawingContext* dc) override;
    SIZE MeasureOverride(CKvoMarkupDrawingContext* dc, int width, int height) override;
    CKvoMarkupPointCollection* GetPoints() const;

    // "Points": PointCollection, affects measure.
    static CKvoMarkupDependencyProperty* s_pointsProperty;
    static void RegisterMarkupProperties();
};
