#pragma once
#include "markup/controls/KvoMarkupButtonBase.h"

// What IsChecked can be.
namespace KvoMarkupCheckState {
enum : int {
    Unchecked = 0,
    Checked = 1,
    Indeterminate = 2,
};
}

// A button that changes its IsChecked at every click and tells of each
// change with Checked, Unchecked or Indeterminate, before Click.
class CKvoMarkupToggleButton : public CKvoMarkupButtonBase {
    DECLARE_MARKUP_TYPE()
public:
    void OnClick() override;
    // Unchecked to checked, checked to indeterminate (three states) or
    // unchecked, indeterminate to unchecked.
    virtual void OnToggle();
    virtual void OnChecked();
    virtual void OnUnchecked();
    virtual void OnIndeterminate();

    // Unchecked when unset.
    int GetCheckState() const;
    void SetCheckState(int state);
    BOOL IsThreeState() const;

    // "Checked", "Unchecked", "Indeterminate": bubbling; "IsChecked": Enum,
    // 0, affects render; "IsThreeState": Bool, False, affects render.
    static CKvoMarkupRoutedEvent* s_checkedEvent;
    static CKvoMarkupRoutedEvent* s_uncheckedEvent;
    static CKvoMarkupRoutedEvent* s_indeterminateEvent;
    static CKvoMarkupDependencyProperty* s_isCheckedProperty;
    static CKvoMarkupDependencyProperty* s_isThreeStateProperty;
    static void RegisterMarkupProperties();

protected:
    // Lays the content out right of the 13-pixel glyph and draws the glyph
    // (theme part, classic frame-control kind) centred on the left.
    SIZE MeasureBeside(CKvoMarkupDrawingContext* dc, int width, int height, int minimumHeight);
    SIZE ArrangeBeside(int width, int height);
    void RenderGlyph(CKvoMarkupDrawingContext* dc, int themePart, int themeState, UINT frameState);
    void RenderFocusBeside(CKvoMarkupDrawingContext* dc);
    // 3 pressed, 2 hot, 1 normal.
    int GetGlyphBaseState() const;

private:
    static void OnIsCheckedChanged(CKvoMarkupObject* object, const KvoMarkupPropertyChange& change);
};

// A box with a tick, two states or, with IsThreeState, three.
class CKvoMarkupCheckBox : public CKvoMarkupToggleButton {
    DECLARE_MARKUP_TYPE()
public:
    void OnRender(CKvoMarkupDrawingContext* dc) override;
    void OnRenderFocusVisual(CKvoMarkupDrawingContext* dc) override;
    SIZE MeasureOverride(CKvoMarkupDrawingContext* dc, int width, int height) override;
    SIZE ArrangeOverride(int width, int height) override;
};

// One of a group: checking it unchecks the radio buttons beside it in
// their visual parent; a click never unchecks it.
class CKvoMarkupRadioButton : public CKvoMarkupToggleButton {
    DECLARE_MARKUP_TYPE()
public:
    void OnRender(CKvoMarkupDrawingContext* dc) override;
    void OnRenderFocusVisual(CKvoMarkupDrawingContext* dc) override;
    SIZE MeasureOverride(CKvoMarkupDrawingContext* dc, int width, int height) override;
    SIZE ArrangeOverride(int width, int height) override;
    void OnToggle() override;
    void OnChecked() override;
};
