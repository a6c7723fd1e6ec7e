#include "markup/MarkupFunctions.h"
#include "markup/core/KvoMarkupContext.h"
#include "markup/drawing/KvoMarkupDrawingContext.h"
#include "markup/elements/KvoMarkupUIElement.h"

CKvoMarkupContext* MarkupCreateWindowContext(HWND hwnd)
{
    return CKvoMarkupContext::Create(hwnd);
}

CKvoMarkupUIElement* MarkupParseText(CKvoMarkupContext* context, LPCWSTR text)
{
    return context ? context->ParseText(text) : nullptr;
}

BOOL MarkupRelayMessage(CKvoMarkupUIElement* element, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    CKvoMarkupContext* context = element ? element->GetMarkupContext() : nullptr;
    return context ? context->OnWndMsg(element, message, wParam, lParam, result) : FALSE;
}

void MarkupReleaseContext(CKvoMarkupContext** context)
{
    if (!context || !*context)
        return;
    // The hover element and the context hold each other: the owner letting
    // go of the context ends that, or neither would ever go.
    (*context)->ResetMouseState();
    (*context)->Release();
    *context = nullptr;
}

void MarkupReleaseElement(CKvoMarkupUIElement** element)
{
    if (!element || !*element)
        return;
    // A tree the mouse is still over: its hover element holds a reference
    // the owner cannot see.
    CKvoMarkupContext* context = (*element)->GetMarkupContext();
    if (context && context->GetMouseRoot() == *element)
        context->ResetMouseState();
    (*element)->Release();
    *element = nullptr;
}

CKvoMarkupContext* MarkupGetElementContext(CKvoMarkupUIElement* element)
{
    return element ? element->GetMarkupContext() : nullptr;
}

SIZE MarkupMeasureElement(CKvoMarkupUIElement* element, int maxWidth, int maxHeight)
{
    if (!element)
        return SIZE{0, 0};
    CKvoMarkupDrawingContext measuring;
    element->Measure(&measuring, maxWidth, maxHeight);
    return element->GetDesiredSize();
}

void MarkupRenderElement(CKvoMarkupUIElement* element, HDC dc, const RECT* rect)
{
    if (!element || !dc || !rect)
        return;
    const RECT bounds = *rect;
    CKvoMarkupDrawingContext drawing(dc);
    element->Arrange(bounds);
    element->Render(&drawing);
}

void MarkupSetDefaultFont(CKvoMarkupContext* context, HFONT font, COLORREF color)
{
    if (context)
        context->SetDefaultFont(font, color);
}
