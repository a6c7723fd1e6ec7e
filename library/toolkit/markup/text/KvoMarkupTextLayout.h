#pragma once
#include "markup/text/KvoMarkupTextLine.h"

class CKvoMarkupTextBlock;

// What TextWrapping and TextTrimming can be.
namespace KvoMarkupTextWrapping {
enum : int { NoWrap = 0, Wrap = 1 };
}
namespace KvoMarkupTextTrimming {
enum : int { None = 0, CharacterEllipsis = 1, WordEllipsis = 2 };
}

// One layout of a text block's inlines on lines of a given width: words
// wrap as a group (a word of several inlines moves as a whole), a line
// feed ends the line, and a line too wide is cut with an ellipsis when
// trimming is on. Lives for one layout.
class CKvoMarkupTextLayout {
public:
    // block: whose inlines are laid out and who holds the ellipsis run.
    CKvoMarkupTextLayout(CKvoMarkupTextBlock* block, CKvoMarkupDrawingContext* dc, int width, int wrapping,
                         int trimming);
    CKvoMarkupTextLayout(const CKvoMarkupTextLayout&) = delete;
    CKvoMarkupTextLayout& operator=(const CKvoMarkupTextLayout&) = delete;

    // Lays out every leaf from first on.
    void Run(CKvoMarkupInline* first);

    KvoMarkupTextLines& GetLines() { return m_lines; }
    int GetWidestLine() const { return m_widest; }
    int GetHeight() const { return m_y; }

private:
    void LayOutInline(CKvoMarkupInline* inlineElement);
    // Places the pending pieces (and the current one) on lines.
    void Flush();
    void PlacePiece(std::unique_ptr<CKvoMarkupTextPiece> piece);
    // Skips the blanks a wrapped line starts with; FALSE when nothing is left.
    BOOL SkipLeadingWhiteSpace(CKvoMarkupTextPiece* piece);
    int GetPendingWidth() const;
    void EndLine();
    // Cuts the current line so that it fits with "..." after it.
    void TrimLine();
    // Where the piece is cut for the ellipsis within limit, pieceLeft being
    // the width of the pieces before it.
    int FindTrimEnd(const CKvoMarkupTextPiece& piece, int pieceLeft, int limit, BOOL firstOnLine);
    std::unique_ptr<CKvoMarkupTextPiece> MakeEllipsis();

    CKvoMarkupTextBlock* m_pBlock;
    CKvoMarkupDrawingContext* m_pDC;
    const int m_width;
    const int m_wrapping;
    const int m_trimming;
    int m_x;
    int m_y;
    int m_widest;
    KvoMarkupTextLines m_lines;
    std::unique_ptr<CKvoMarkupTextLine> m_line;
    // Being extended over the positions of one inline; null between inlines.
    std::unique_ptr<CKvoMarkupTextPiece> m_piece;
    // Measured, waiting for the next flush.
    KvoMarkupTextPieces m_pending;
};
