#pragma once
#include <afxwin.h>
#include <initializer_list>
#include <string>
#include "markup/drawing/KvoMarkupDrawingContext.h"
#include "markup/text/KvoMarkupInlineCollection.h"
#include "markup/text/KvoMarkupRun.h"
#include "markup/text/KvoMarkupSpan.h"
#include "markup/text/KvoMarkupTextBlock.h"
#include "markup/text/KvoMarkupTextContext.h"
#include "markup/values/KvoMarkupEnum.h"
#include "markup/values/KvoMarkupInt.h"
#include "toolkit/foundation/images/KvoImageTestSupport.h"

// Builders and measures for the text tests: trees of inlines made in code,
// and the extents the DC itself gives for a font, to compare the layout
// with (fonts differ between systems).

// A new run (one reference) of text.
inline CKvoMarkupRun* NewRun(const wchar_t* text)
{
    CKvoMarkupRun* run = new CKvoMarkupRun;
    run->SetText(text);
    return run;
}

// Puts the inlines (references taken over) into collection.
inline void AddInlines(CKvoMarkupInlineCollection* collection, std::initializer_list<CKvoMarkupInline*> inlines)
{
    for (CKvoMarkupInline* item : inlines)
        collection->Add(item);
}

// A new span of class T (one reference) holding the inlines.
template <class T>
T* NewSpan(std::initializer_list<CKvoMarkupInline*> inlines)
{
    T* span = new T;
    AddInlines(span->GetInlines(), inlines);
    return span;
}

// A new text block (one reference) holding the inlines.
inline CKvoMarkupTextBlock* NewTextBlock(std::initializer_list<CKvoMarkupInline*> inlines)
{
    CKvoMarkupTextBlock* block = new CKvoMarkupTextBlock;
    AddInlines(block->GetInlines(), inlines);
    return block;
}

inline void SetEnum(CKvoMarkupObject* object, const CKvoMarkupDependencyProperty* property, int value)
{
    object->SetValue(property, CKvoMarkupEnum::GetShared(value));
}

// Measures, arranges into (0, 0, width, height) and draws block on dc.
inline void LayOutAndRender(CKvoMarkupTextBlock* block, HDC dc, int width, int height)
{
    CKvoMarkupDrawingContext context(dc);
    block->Measure(&context, width, height);
    block->Arrange({0, 0, width, height});
    block->Render(&context);
}

// How many pixels of area on canvas have exactly color.
inline int CountCanvasColor(TestCanvas& canvas, const RECT& area, COLORREF color)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x)
            count += canvas.Pixel(x, y) == color;
    }
    return count;
}

// The DC's own measures of text in a font: the context's default font
// changed by change.
class TextMeasure {
public:
    explicit TextMeasure(LONG weight = FW_NORMAL, LONG height = 0)
    {
        LOGFONTW logFont = KvoMarkupTextContext::GetMessageFont();
        logFont.lfWeight = weight;
        if (height)
            logFont.lfHeight = -height;
        m_font.CreateFontIndirect(&logFont);
        m_dc.CreateCompatibleDC(nullptr);
        m_old = m_dc.SelectObject(&m_font);
        ::GetTextMetricsW(m_dc.GetSafeHdc(), &m_metrics);
    }
    ~TextMeasure() { m_dc.SelectObject(m_old); }

    int Width(const std::wstring& text)
    {
        SIZE size = {0, 0};
        ::GetTextExtentPoint32W(m_dc.GetSafeHdc(), text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    }
    int Height() const { return m_metrics.tmHeight; }
    int Descent() const { return m_metrics.tmDescent; }

private:
    CFont m_font;
    CDC m_dc;
    CFont* m_old;
    TEXTMETRICW m_metrics;
};
