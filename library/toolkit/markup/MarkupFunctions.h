#pragma once
#include <windows.h>

class CKvoMarkupContext;
class CKvoMarkupUIElement;

// The flat markup interface that the toolkit's controls call. Every function
// tolerates null arguments. The markup engine is still to come: no context
// or element can be made yet, so callers only ever hold nulls and every
// answer is the one for a null argument.

// A markup context for a window's markup (hwnd may be null); null while
// the markup engine cannot make one. Released with MarkupReleaseContext.
CKvoMarkupContext* MarkupCreateWindowContext(HWND hwnd);
// The root element of text parsed in context; null for a null context.
CKvoMarkupUIElement* MarkupParseText(CKvoMarkupContext* context, LPCWSTR text);
// Offers a window message to element; FALSE when it was not handled.
BOOL MarkupRelayMessage(CKvoMarkupUIElement* element, UINT message, WPARAM wParam, LPARAM lParam,
                        LRESULT* result);
// Releases *context and sets it to null.
void MarkupReleaseContext(CKvoMarkupContext** context);
// Releases *element and sets it to null.
void MarkupReleaseElement(CKvoMarkupUIElement** element);
// The size element wants within the maximum; 0 x 0 for a null element.
SIZE MarkupMeasureElement(CKvoMarkupUIElement* element, int maxWidth, int maxHeight);
// Arranges element into rect and draws it on dc; nothing when any is null.
void MarkupRenderElement(CKvoMarkupUIElement* element, HDC dc, const RECT* rect);
// The context's default font (when font is given) and text colour (unless
// 0xFFFFFFFF); nothing for a null context.
void MarkupSetDefaultFont(CKvoMarkupContext* context, HFONT font, COLORREF color);
