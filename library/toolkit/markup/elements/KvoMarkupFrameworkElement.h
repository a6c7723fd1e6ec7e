#pragma once
#include "markup/elements/KvoMarkupUIElement.h"

// Horizontal and vertical alignment values; unset reads as Stretch.
namespace KvoMarkupAlignment {
enum : int {
    Start = 0, // Left or Top
    Center = 1,
    End = 2, // Right or Bottom
    Stretch = 3,
};
}

// Layout sizes are whole pixels; this stands for "no limit".
const int KvoMarkupUnbounded = 0x7FFFFFFF;

// The UI element that concrete elements derive from: margin, alignment,
// explicit size with minimum and maximum, a Tag, and the clip that follows
// when layout gives the element less than it needs. Derived classes lay out
// their content in MeasureOverride and ArrangeOverride, without the margin.
class CKvoMarkupFrameworkElement : public CKvoMarkupUIElement {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupFrameworkElement();

    // Re-evaluates style triggers, then lays out or redraws as the
    // property's flags ask.
    void OnPropertyChanged(const CKvoMarkupDependencyProperty* property, CKvoMarkupObject* oldValue,
                           CKvoMarkupObject* newValue) override;
    BOOL GetLayoutClip(RECT* clip) override;
    void ArrangeCore(const RECT& rect) override;
    SIZE MeasureCore(CKvoMarkupDrawingContext* dc, int availableWidth, int availableHeight) override;
    // The content's desired size, within limits already clamped; (0, 0) here.
    virtual SIZE MeasureOverride(CKvoMarkupDrawingContext* dc, int width, int height);
    // Lays the content out in the size and answers the size used, which
    // becomes the render size; the size given, here.
    virtual SIZE ArrangeOverride(int width, int height);

    BOOL NeedsClip() const { return m_bNeedsClip; }
    int GetMinWidth() const { return m_minWidth; }
    int GetMaxWidth() const { return m_maxWidth; }
    int GetMinHeight() const { return m_minHeight; }
    int GetMaxHeight() const { return m_maxHeight; }

    static CKvoMarkupDependencyProperty* s_marginProperty;
    static CKvoMarkupDependencyProperty* s_horizontalAlignmentProperty;
    static CKvoMarkupDependencyProperty* s_verticalAlignmentProperty;
    static CKvoMarkupDependencyProperty* s_widthProperty;
    static CKvoMarkupDependencyProperty* s_heightProperty;
    static CKvoMarkupDependencyProperty* s_minWidthProperty;
    static CKvoMarkupDependencyProperty* s_minHeightProperty;
    static CKvoMarkupDependencyProperty* s_maxWidthProperty;
    static CKvoMarkupDependencyProperty* s_maxHeightProperty;
    static CKvoMarkupDependencyProperty* s_tagProperty;
    static void RegisterMarkupProperties();

private:
    // The Int value of property, or fallback when unset.
    int GetIntValue(const CKvoMarkupDependencyProperty* property, int fallback) const;
    int GetAlignment(const CKvoMarkupDependencyProperty* property) const;
    // Minimum and maximum from Width, Height and their limits.
    void UpdateLimits();
    // Where ink of the given size sits inside room, by the alignments.
    POINT GetAlignmentOffset(SIZE room, SIZE ink) const;
    // The final rectangle less the margin, never negative.
    SIZE GetRoom(const RECT& rect) const;

    BOOL m_bNeedsClip;
    SIZE m_unclippedDesiredSize;
    BOOL m_bHasUnclippedSize;
    int m_maxHeight;
    int m_minHeight;
    int m_maxWidth;
    int m_minWidth;
};
