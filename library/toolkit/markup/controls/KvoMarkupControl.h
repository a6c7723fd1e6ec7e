#pragma once
#include "markup/elements/KvoMarkupFrameworkElement.h"

struct KvoUxThemeFunctions;

class CKvoMarkupBrush;
class CKvoMarkupThickness;

// The base of the interactive controls: padding, background and an
// inherited foreground, with its first visual child laid out over its
// whole area.
class CKvoMarkupControl : public CKvoMarkupFrameworkElement {
    DECLARE_MARKUP_TYPE()
public:
    SIZE MeasureOverride(CKvoMarkupDrawingContext* dc, int width, int height) override;
    SIZE ArrangeOverride(int width, int height) override;

    // Borrowed; null when unset.
    const CKvoMarkupThickness* GetPadding() const;
    // The padding's left plus right and top plus bottom.
    SIZE GetPaddingExtent() const;
    // Borrowed; null when no background is set.
    CKvoMarkupBrush* GetBackground() const;

    // The visual-style entry points of the controls made from now on (the
    // table outlives them); null: the process's own. Tests give stand-ins.
    static void SetThemeFunctions(KvoUxThemeFunctions* functions);
    static KvoUxThemeFunctions* GetThemeFunctions();
    // Only the process's own table follows UXTHEME.DLL when it moves: a
    // stand-in table keeps its entry points.
    static BOOL FollowsThemeModule();

    // "Padding": Thickness, zero, affects measure; "Background": Brush,
    // affects render; "Foreground": the text element's, inherited.
    static CKvoMarkupDependencyProperty* s_paddingProperty;
    static CKvoMarkupDependencyProperty* s_backgroundProperty;
    static CKvoMarkupDependencyProperty* s_foregroundProperty;
    static void RegisterMarkupProperties();
};

// A control whose one visual child is its Content: a UI element, or text
// written in markup, which becomes a text block.
class CKvoMarkupContentControl : public CKvoMarkupControl {
    DECLARE_MARKUP_TYPE()
public:
    void SetContentObject(CKvoMarkupBuilder* builder, CKvoMarkupObject* content) override;
    BOOL HasContentObject() const override;
    int GetVisualChildrenCount() const override;
    CKvoMarkupVisual* GetVisualChild(int index) const override;

    // Borrowed; null without content.
    CKvoMarkupUIElement* GetContent() const;

    // "Content": a UI element, affects measure.
    static CKvoMarkupDependencyProperty* s_contentProperty;
    static void RegisterMarkupProperties();

private:
    // A new text block holding text as one run; null when it cannot be made.
    CKvoMarkupUIElement* CreateTextContent(CKvoMarkupBuilder* builder, CKvoMarkupObject* text);
};
