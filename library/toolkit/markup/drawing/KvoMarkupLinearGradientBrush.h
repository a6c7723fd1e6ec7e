#pragma once
#include "markup/core/KvoMarkupCollection.h"
#include "markup/drawing/KvoMarkupBrush.h"

// One colour of a gradient at an offset along it.
class CKvoMarkupGradientStop : public CKvoMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    // 0 while Color is unset.
    COLORREF GetColor() const;
    // 0.0 while Offset is unset.
    double GetOffset() const;

    // "Color": Color; "Offset": Double; neither has a default.
    static CKvoMarkupDependencyProperty* s_colorProperty;
    static CKvoMarkupDependencyProperty* s_offsetProperty;
    static void RegisterMarkupProperties();
};

// The stops of a gradient brush, in markup order.
class CKvoMarkupGradientStops : public CKvoMarkupCollection {
public:
    CKvoMarkupGradientStops();
};

// Fills a rectangle with a gradient through its stops along the line from
// StartPoint to EndPoint, both as fractions of the rectangle ((0, 0) and
// (1, 1) when unset). Only the part of the rectangle inside the clip is
// computed and copied, so a huge rectangle costs what its visible part does.
class CKvoMarkupLinearGradientBrush : public CKvoMarkupBrush {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupLinearGradientBrush();
    ~CKvoMarkupLinearGradientBrush() override;

    CKvoMarkupGradientStops* GetGradientStops() const { return m_pGradientStops; }

    void FillRect(CKvoMarkupDrawingContext* dc, int left, int top, int right, int bottom) override;
    // GradientStop content goes into the stops.
    void SetContentObject(CKvoMarkupBuilder* builder, CKvoMarkupObject* content) override;
    BOOL HasContentObject() const override;

    // "StartPoint", "EndPoint": Point, no default.
    static CKvoMarkupDependencyProperty* s_startPointProperty;
    static CKvoMarkupDependencyProperty* s_endPointProperty;
    static void RegisterMarkupProperties();

private:
    CKvoMarkupGradientStops* m_pGradientStops;
};
