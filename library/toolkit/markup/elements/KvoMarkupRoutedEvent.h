#pragma once
#include "markup/core/KvoMarkupDependencyProperty.h"

class CKvoMarkupInputElement;
class CKvoMarkupRoutedEvent;

// How an event travels: to its source only, or up the logical tree.
namespace KvoMarkupRouting {
enum : DWORD {
    Direct = 0,
    Bubble = 1,
};
}

// What a routed event or a class handler is told; made on the stack by
// the code that raises it.
struct CKvoMarkupRoutedEventArgs {
    // Null for the cursor query and the wheel, which reach class handlers only.
    CKvoMarkupRoutedEvent* event = nullptr;
    CKvoMarkupInputElement* source = nullptr;
    // A handler sets it to end the route.
    BOOL handled = FALSE;
    HWND window = nullptr;
    // Mouse position in the window's client coordinates; (-1, -1) when the
    // hover is cleared.
    int x = 0;
    int y = 0;
    // Cursor query: the chosen HCURSOR; wheel: the signed wheel delta.
    LONG_PTR extra = 0;
};

// An event that markup names like a property: its value is the handler's
// name as text; it never takes a slot in a value store.
class CKvoMarkupRoutedEvent : public CKvoMarkupDependencyProperty {
public:
    // Entered under name for owner, like a property; null when it cannot
    // be allocated.
    static CKvoMarkupRoutedEvent* RegisterRoutedEvent(LPCWSTR name, DWORD routing, CKvoMarkupType* ownerType);

    BOOL IsEvent() const override { return TRUE; }
    DWORD GetRouting() const;

private:
    CKvoMarkupRoutedEvent(LPCWSTR name, CKvoMarkupType* ownerType, CKvoMarkupPropertyMetadata* metadata);
};

// A handler of routed events.
class CKvoMarkupDelegate : public CKvoMarkupObject {
public:
    virtual void Invoke(CKvoMarkupInputElement* sender, CKvoMarkupRoutedEventArgs& args) = 0;
};
