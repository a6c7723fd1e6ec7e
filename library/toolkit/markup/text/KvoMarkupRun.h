#pragma once
#include "markup/text/KvoMarkupInline.h"

class CKvoMarkupFont;
class CKvoMarkupString;

// A stretch of text in one font. Its positions are the character indices
// 0 to n of its Text; a run without text has none and takes no room.
class CKvoMarkupRun : public CKvoMarkupInline {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupRun();
    ~CKvoMarkupRun() override;

    // Text sets Text; anything else is refused.
    void SetContentObject(CKvoMarkupBuilder* builder, CKvoMarkupObject* content) override;
    BOOL HasContentObject() const override;

    int GetFirstPosition() const override;
    void GetNextPosition(int& position) const override;
    // A blank, a tab or a line feed.
    BOOL IsWordBreakPosition(int position) const override;
    // A line feed.
    BOOL IsLineBreakPosition(int position) const override;
    // A blank or a tab.
    BOOL IsWhiteSpacePosition(int position) const override;
    // The extent of the characters in [start, end) in the run's font; a
    // line feed at the end gives its height but no width.
    SIZE Measure(CKvoMarkupDrawingContext* dc, int start, int end) override;
    // Draws the characters in [start, end) at the rectangle's top-left
    // corner in the DC's text colour, without the line feeds at the end.
    void Render(CKvoMarkupDrawingContext* dc, const RECT& rect, int start, int end) override;
    // Selects the run's font (kept while an equal one is asked for) and
    // reads its descent.
    void PrepareMeasure(CKvoMarkupDrawingContext* dc) override;
    int GetDescent() const override { return m_descent; }

    // The font the run's properties ask for, from the context's default.
    virtual void GetLogFont(LOGFONTW* logFont) const;

    // Takes a reference of its own on text (null unsets Text).
    void SetText(CKvoMarkupString* text);
    void SetText(LPCWSTR text);
    // The text, or null while unset.
    const CKvoMarkupString* GetText() const;
    // The font of the last PrepareMeasure; null before. Borrowed.
    CKvoMarkupFont* GetFont() const { return m_pFont; }

    // "Text": String, no default, affects measure.
    static CKvoMarkupDependencyProperty* s_textProperty;
    static void RegisterMarkupProperties();

private:
    // The character at position, or 0 outside the text.
    WCHAR GetCharAt(int position) const;
    // TRUE when [start, end) holds characters of the text.
    BOOL IsDrawable(int start, int end) const;

    int m_descent;
    CKvoMarkupFont* m_pFont;
};

// A run of one line feed: the text block ends the line there.
class CKvoMarkupLineBreak : public CKvoMarkupRun {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupLineBreak();
};
