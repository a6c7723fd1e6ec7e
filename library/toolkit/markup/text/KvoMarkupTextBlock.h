#pragma once
#include "markup/elements/KvoMarkupFrameworkElement.h"
#include "markup/text/KvoMarkupTextLine.h"

class CKvoMarkupInlineCollection;

// What TextAlignment can be.
namespace KvoMarkupTextAlignment {
enum : int { Left = 0, Right = 1, Center = 2 };
}

// The element that shows text: its inlines laid out on lines with
// wrapping, trimming, alignment, padding, per-inline fonts, colours,
// vertical alignment and decorations. The lines are kept for the width
// they were made for; a block that neither wraps nor trims keeps them for
// any width.
class CKvoMarkupTextBlock : public CKvoMarkupFrameworkElement {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupTextBlock();
    ~CKvoMarkupTextBlock() override;

    int GetLogicalChildrenCount() const override;
    CKvoMarkupObject* GetLogicalChild(int index) const override;
    // Goes to the inline collection: text becomes a run, a UI element an
    // inline UI container.
    void SetContentObject(CKvoMarkupBuilder* builder, CKvoMarkupObject* content) override;
    BOOL HasContentObject() const override;
    BOOL AllowWhiteSpaceContent() const override;
    // Text replaces the inlines with one run of the new text.
    void OnPropertyChanged(const CKvoMarkupDependencyProperty* property, CKvoMarkupObject* oldValue,
                           CKvoMarkupObject* newValue) override;
    // Embedded elements are drawn and hit through their inlines.
    int GetVisualChildrenCount() const override;
    CKvoMarkupVisual* GetVisualChild(int index) const override;
    void OnRender(CKvoMarkupDrawingContext* dc) override;
    // The inline under the point, else the block.
    CKvoMarkupInputElement* InputHitTestCore(int x, int y) override;
    // Drops the kept lines first.
    void UpdateMeasure(CKvoMarkupDrawingContext* dc) override;
    SIZE MeasureOverride(CKvoMarkupDrawingContext* dc, int width, int height) override;
    SIZE ArrangeOverride(int width, int height) override;

    // Owned; never null unless it could not be allocated.
    CKvoMarkupInlineCollection* GetInlines() const { return m_pInlines; }
    // The lines of the last layout.
    const KvoMarkupTextLines& GetLines() const { return m_lines; }
    // The laid-out text without padding.
    SIZE GetTextSize() const { return {m_textWidth, m_textHeight}; }

    // The text element's eight properties are the block's too (same
    // objects). "TextWrapping", "TextTrimming": Enum, affect measure;
    // "TextAlignment": Enum, affects arrange; "Padding": Thickness,
    // default zero, affects measure; "Text": String, affects measure. None
    // but Padding has a default.
    static CKvoMarkupDependencyProperty* s_textWrappingProperty;
    static CKvoMarkupDependencyProperty* s_textTrimmingProperty;
    static CKvoMarkupDependencyProperty* s_textAlignmentProperty;
    static CKvoMarkupDependencyProperty* s_paddingProperty;
    static CKvoMarkupDependencyProperty* s_textProperty;
    static void RegisterMarkupProperties();

private:
    // The first leaf inline, or null.
    CKvoMarkupInline* GetFirstInline() const;
    // An Enum property's value, 0 when unset.
    int GetEnumValue(const CKvoMarkupDependencyProperty* property) const;
    RECT GetPadding() const;
    void LayOut(CKvoMarkupDrawingContext* dc, int width);
    // The vertical offset of piece within its line for its alignment.
    static int GetBaselineCorrection(const CKvoMarkupTextPiece& piece);
    void RenderPiece(CKvoMarkupDrawingContext* dc, const CKvoMarkupTextPiece& piece, CKvoMarkupBrush* blockBackground);
    void RenderDecoration(CKvoMarkupDrawingContext* dc, const CKvoMarkupTextPiece& piece);

    CKvoMarkupInlineCollection* m_pInlines;
    KvoMarkupTextLines m_lines;
    // The text width the lines were made for; -1 when none are valid.
    int m_layoutWidth;
    int m_textWidth;
    int m_textHeight;
};
