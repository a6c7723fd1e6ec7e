#pragma once
#include "markup/elements/KvoMarkupVisual.h"

// What Visibility can be.
namespace KvoMarkupVisibility {
enum : int {
    Visible = 0,
    Hidden = 1,    // laid out, not drawn, not hit
    Collapsed = 2, // takes no room at all
};
}

// A visual that lays itself out in two passes, measure then arrange, each
// cached until invalidated or given a different size. Every markup root is
// one. Invalidation lays out again at once rather than in a later pass.
class CKvoMarkupUIElement : public CKvoMarkupVisual {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupUIElement();

    // Hidden and Collapsed elements clip everything away.
    BOOL GetLayoutClip(RECT* clip) override;

    // Arranges again with the last rectangle, then redraws.
    virtual void InvalidateArrange();
    // Asks the markup context to redraw the element; elements made in code
    // live in no context and reach no window.
    virtual void InvalidateVisual();
    // Measures again on a measuring context and passes the request up
    // while the desired size changes.
    virtual void InvalidateMeasure();
    // Sets the render size to the rectangle's.
    virtual void ArrangeCore(const RECT& rect);
    // The desired size for the available size; (0, 0) here.
    virtual SIZE MeasureCore(CKvoMarkupDrawingContext* dc, int availableWidth, int availableHeight);
    virtual void UpdateMeasure(CKvoMarkupDrawingContext* dc);

    // Leaves the result in GetDesiredSize.
    void Measure(CKvoMarkupDrawingContext* dc, int availableWidth, int availableHeight);
    // rect in the visual parent's coordinates.
    void Arrange(const RECT& rect);

    SIZE GetDesiredSize() const { return m_desiredSize; }
    const RECT& GetFinalRect() const { return m_finalRect; }
    // Visibility as a number; Visible when unset.
    int GetVisibility() const;

    // "ClipToBounds": Bool; "Visibility": Enum, affects measure;
    // "Focusable": Bool, False; "IsEnabled": Bool, True.
    static CKvoMarkupDependencyProperty* s_clipToBoundsProperty;
    static CKvoMarkupDependencyProperty* s_visibilityProperty;
    static CKvoMarkupDependencyProperty* s_focusableProperty;
    static CKvoMarkupDependencyProperty* s_isEnabledProperty;
    static void RegisterMarkupProperties();

private:
    SIZE m_desiredSize;
    RECT m_finalRect;
    BOOL m_bMeasureDirty;
    BOOL m_bNeverMeasured;
    SIZE m_lastAvailableSize;
    BOOL m_bArrangeDirty;
    BOOL m_bNeverArranged;
    BOOL m_bInArrange;
    BOOL m_bInMeasure;
};
