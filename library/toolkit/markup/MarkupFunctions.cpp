#include "markup/MarkupFunctions.h"

CKvoMarkupContext* MarkupCreateWindowContext(HWND)
{
    return nullptr;
}

CKvoMarkupUIElement* MarkupParseText(CKvoMarkupContext*, LPCWSTR)
{
    return nullptr;
}

BOOL MarkupRelayMessage(CKvoMarkupUIElement*, UINT, WPARAM, LPARAM, LRESULT*)
{
    return FALSE;
}

void MarkupReleaseContext(CKvoMarkupContext** context)
{
    if (context)
        *context = nullptr;
}

void MarkupReleaseElement(CKvoMarkupUIElement** element)
{
    if (element)
        *element = nullptr;
}

SIZE MarkupMeasureElement(CKvoMarkupUIElement*, int, int)
{
    return SIZE{0, 0};
}

void MarkupRenderElement(CKvoMarkupUIElement*, HDC, const RECT*) {}

void MarkupSetDefaultFont(CKvoMarkupContext*, HFONT, COLORREF) {}
