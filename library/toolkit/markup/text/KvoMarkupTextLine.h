#pragma once
#include <afxwin.h>
#include <memory>
#include <vector>
#include "markup/core/KvoMarkupPtr.h"
#include "markup/text/KvoMarkupInline.h"

class CKvoMarkupTextLine;

// One stretch [start, end) of one inline on one line of a text block.
class CKvoMarkupTextPiece {
public:
    // An empty piece of inline at position; holds a reference on inline.
    CKvoMarkupTextPiece(CKvoMarkupInline* inlineElement, int position);

    BOOL IsEmpty() const { return start == end; }
    // Width, height and descent of [start, end) from the inline.
    void Measure(CKvoMarkupDrawingContext* dc);
    // In the text block's coordinates, offsets included.
    RECT GetRect() const;

    CKvoMarkupInline* GetInline() const { return m_inline.Get(); }

    int start;
    int end;
    // Left edge and line top within the text area.
    int x = 0;
    int y = 0;
    // Padding and alignment, added when the block is arranged.
    int offsetX = 0;
    int offsetY = 0;
    int width = 0;
    int height = 0;
    int descent = 0;
    // The line that holds the piece; null while it waits to be placed.
    const CKvoMarkupTextLine* line = nullptr;

private:
    CKvoMarkupPtr<CKvoMarkupInline> m_inline;
};

typedef std::vector<std::unique_ptr<CKvoMarkupTextPiece>> KvoMarkupTextPieces;

// One laid-out line: its pieces left to right, the sum of their widths,
// the tallest ascent plus the deepest descent, and that descent.
class CKvoMarkupTextLine {
public:
    // Takes piece; it becomes the line's last.
    void Append(std::unique_ptr<CKvoMarkupTextPiece> piece);
    // Sets width, height and descent from the pieces.
    void UpdateExtent();

    KvoMarkupTextPieces pieces;
    int width = 0;
    int height = 0;
    int descent = 0;
};

typedef std::vector<std::unique_ptr<CKvoMarkupTextLine>> KvoMarkupTextLines;
