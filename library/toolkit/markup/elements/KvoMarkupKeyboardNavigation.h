#pragma once
#include "markup/core/KvoMarkupObject.h"

class CKvoMarkupContext;
class CKvoMarkupInputElement;

// Where keyboard focus and tab order of a context's elements are kept. It
// defines the attached tab properties markup may write, and leaves keyboard
// input to the owner window: every message is answered as not handled and
// focus requests are ignored.
class CKvoMarkupKeyboardNavigation : public CKvoMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    // context: the owning context (not referenced); null when made from a
    // KeyboardNavigation tag.
    explicit CKvoMarkupKeyboardNavigation(CKvoMarkupContext* context = nullptr);

    // WM_KEYDOWN, WM_SETFOCUS and WM_KILLFOCUS relayed by the context:
    // FALSE, *result untouched, so the owner window handles them.
    BOOL OnKeyboardMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // An element asks for the keyboard focus; ignored.
    void Focus(CKvoMarkupInputElement* element);

    // Attached: "IsTabStop" Bool True; "TabNavigation" Enum; "TabIndex"
    // Int 0x7FFFFFFF.
    static CKvoMarkupDependencyProperty* s_isTabStopProperty;
    static CKvoMarkupDependencyProperty* s_tabNavigationProperty;
    static CKvoMarkupDependencyProperty* s_tabIndexProperty;
    static void RegisterMarkupProperties();

private:
    // No focused element is kept: focus is the owner window's.
    CKvoMarkupContext* m_pContext;
};
