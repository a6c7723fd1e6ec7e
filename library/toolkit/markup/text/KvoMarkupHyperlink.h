#pragma once
#include "markup/text/KvoMarkupSpan.h"

class CKvoMarkupRoutedEvent;

// A span that raises Click when the left button is released on it after a
// press on it. It takes no capture: a press released elsewhere stays
// pending until a release on the link. Its default style underlines it in
// blue, red while the mouse is over it, with the hand cursor.
class CKvoMarkupHyperlink : public CKvoMarkupSpan {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupHyperlink();

    void OnMouseLeftButtonDown(CKvoMarkupRoutedEventArgs& args) override;
    void OnMouseLeftButtonUp(CKvoMarkupRoutedEventArgs& args) override;
    // Raises Click with the link as its source.
    virtual void OnClick();

    BOOL IsPressed() const { return m_bPressed; }

    // "Click": the button's, bubbling.
    static CKvoMarkupRoutedEvent* s_clickEvent;
    static void RegisterMarkupProperties();

private:
    // The style every link has beneath its own; installed on the type.
    static void InstallDefaultStyle();

    BOOL m_bPressed;
};
