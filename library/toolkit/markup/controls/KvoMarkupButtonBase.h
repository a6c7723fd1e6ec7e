#pragma once
#include "foundation/base/KvoWinThemeWrapper.h"
#include "markup/controls/KvoMarkupControl.h"

class CKvoMarkupRoutedEvent;

// A content control that the left button clicks: it takes the mouse at the
// press, follows it in and out while held (IsPressed), and raises Click at
// a release on it. Dragging out and back keeps the click alive.
class CKvoMarkupButtonBase : public CKvoMarkupContentControl {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupButtonBase();

    void OnMouseLeave(CKvoMarkupRoutedEventArgs& args) override;
    void OnMouseEnter(CKvoMarkupRoutedEventArgs& args) override;
    void OnMouseLeftButtonUp(CKvoMarkupRoutedEventArgs& args) override;
    void OnMouseLeftButtonDown(CKvoMarkupRoutedEventArgs& args) override;
    void OnLostMouseCapture(CKvoMarkupRoutedEventArgs& args) override;
    // Raises Click with the control as its source.
    virtual void OnClick();

    BOOL IsPressed() const;
    BOOL IsMouseOver() const;

    // "Click": bubbling; "IsPressed": Bool, False, affects arrange.
    static CKvoMarkupRoutedEvent* s_clickEvent;
    static CKvoMarkupDependencyProperty* s_isPressedProperty;
    static void RegisterMarkupProperties();

protected:
    // Raises event (bubbling) with the control as its source.
    void RaiseSimpleEvent(CKvoMarkupRoutedEvent* event);
    // The "BUTTON" class data, opened again at every measure.
    CKvoWinThemeWrapper& GetTheme() { return m_theme; }
    void OpenButtonTheme();

private:
    void SetPressed(BOOL pressed);
    void SetIsPressed(BOOL pressed);

    BOOL m_bPressed;
    BOOL m_bMouseInside;
    CKvoWinThemeWrapper m_theme;
};

// The push button: a raised face, sunk while pressed, its content inset by
// four pixels and the padding.
class CKvoMarkupButton : public CKvoMarkupButtonBase {
    DECLARE_MARKUP_TYPE()
public:
    void OnRender(CKvoMarkupDrawingContext* dc) override;
    void OnRenderFocusVisual(CKvoMarkupDrawingContext* dc) override;
    SIZE MeasureOverride(CKvoMarkupDrawingContext* dc, int width, int height) override;
    SIZE ArrangeOverride(int width, int height) override;

private:
    // Face, light, shadow and dark edges drawn without a visual style.
    struct EdgeColors {
        COLORREF light;
        COLORREF shadow;
        COLORREF dark;
    };
    static EdgeColors EdgesFromBackground(COLORREF background);
    static EdgeColors ClassicEdges();
    static void DrawEdges(CKvoMarkupDrawingContext* dc, const RECT& rect, const EdgeColors& edges, BOOL pressed);
};
