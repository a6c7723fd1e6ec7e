#pragma once
#include <windows.h>

class CKvoMarkupContext;
class CKvoMarkupUIElement;

// The flat markup interface that code outside the markup engine calls.
// Every function tolerates null arguments and answers them neutrally (null,
// FALSE, 0 x 0, nothing done), so a caller without markup passes nulls.

// A markup context for a window's markup (hwnd may be null: then no message
// is handled); null when it cannot be made. Released with
// MarkupReleaseContext.
CKvoMarkupContext* MarkupCreateWindowContext(HWND hwnd);
// The root element of text parsed in context (one reference); null for a
// null context or text that is not valid markup.
CKvoMarkupUIElement* MarkupParseText(CKvoMarkupContext* context, LPCWSTR text);
// Offers a window message of the context's window to element, the root the
// window draws; FALSE when it was not handled.
BOOL MarkupRelayMessage(CKvoMarkupUIElement* element, UINT message, WPARAM wParam, LPARAM lParam,
                        LRESULT* result);
// Releases *context and sets it to null.
void MarkupReleaseContext(CKvoMarkupContext** context);
// Releases *element and sets it to null.
void MarkupReleaseElement(CKvoMarkupUIElement** element);
// The context element was made in (no reference added); null for null.
CKvoMarkupContext* MarkupGetElementContext(CKvoMarkupUIElement* element);
// The size element wants within the maximum; 0 x 0 for a null element.
SIZE MarkupMeasureElement(CKvoMarkupUIElement* element, int maxWidth, int maxHeight);
// Arranges element into rect and draws it on dc; nothing when any is null.
void MarkupRenderElement(CKvoMarkupUIElement* element, HDC dc, const RECT* rect);
// The context's default font (when font is given) and text colour (unless
// 0xFFFFFFFF); nothing for a null context.
void MarkupSetDefaultFont(CKvoMarkupContext* context, HFONT font, COLORREF color);
