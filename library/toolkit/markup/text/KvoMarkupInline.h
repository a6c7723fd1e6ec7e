#pragma once
#include <afxwin.h>
#include "markup/text/KvoMarkupTextElement.h"

class CKvoMarkupDrawingContext;

// A place inside one inline; this value ends the inline.
const int KvoMarkupNoPosition = -1;

// What BaselineAlignment can be.
namespace KvoMarkupBaselineAlignment {
enum : int {
    Top = 0,
    Center = 1,
    Bottom = 2,
    Baseline = 3,
    TextTop = 4,
    TextBottom = 5,
    Subscript = 6,
    Superscript = 7,
};
}

// One piece of flowing text inside a text block. Inlines are no visuals:
// the text block walks the leaves in document order, asks each for its
// positions, and measures, arranges and draws ranges [start, end) of them
// on its lines. The plain inline has no positions.
class CKvoMarkupInline : public CKvoMarkupTextElement {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupInline();

    // The inline itself: it takes the input over its text.
    CKvoMarkupInputElement* InputHitTest(int x, int y) override;

    // The first leaf at or under this inline.
    virtual CKvoMarkupInline* GetFirstInline();
    virtual int GetFirstPosition() const;
    // Steps position on; the last position becomes KvoMarkupNoPosition.
    virtual void GetNextPosition(int& position) const;
    // A word ends before this position (the text block may wrap there).
    virtual BOOL IsWordBreakPosition(int position) const;
    // The line ends at this position.
    virtual BOOL IsLineBreakPosition(int position) const;
    // Skipped at the start of a wrapped line.
    virtual BOOL IsWhiteSpacePosition(int position) const;
    // rect in the text block's coordinates.
    virtual void Arrange(const RECT& rect, int start, int end);
    virtual SIZE Measure(CKvoMarkupDrawingContext* dc, int start, int end);
    virtual void Render(CKvoMarkupDrawingContext* dc, const RECT& rect, int start, int end);
    // Gets ready for measuring (a run selects its font).
    virtual void PrepareMeasure(CKvoMarkupDrawingContext* dc);
    virtual int GetDescent() const;

    // The next leaf after this one in document order, or null: the next
    // item of the collection, else the next after the span that holds it.
    CKvoMarkupInline* GetNextInline() const;

    // The place in the inline collection; -1 while in none.
    int GetIndex() const { return m_index; }
    void SetIndex(int index) { m_index = index; }

    // "BaselineAlignment": Enum, no default, affects arrange.
    static CKvoMarkupDependencyProperty* s_baselineAlignmentProperty;
    static void RegisterMarkupProperties();

private:
    int m_index;
};
