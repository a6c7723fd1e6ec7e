#include "markup/text/KvoMarkupTextLine.h"
#include <algorithm>

CKvoMarkupTextPiece::CKvoMarkupTextPiece(CKvoMarkupInline* inlineElement, int position)
    : start(position), end(position), m_inline(CKvoMarkupPtr<CKvoMarkupInline>::Share(inlineElement))
{
}

void CKvoMarkupTextPiece::Measure(CKvoMarkupDrawingContext* dc)
{
    const SIZE size = m_inline->Measure(dc, start, end);
    width = size.cx;
    height = size.cy;
    descent = m_inline->GetDescent();
}

RECT CKvoMarkupTextPiece::GetRect() const
{
    return {x + offsetX, y + offsetY, x + offsetX + width, y + offsetY + height};
}

void CKvoMarkupTextLine::Append(std::unique_ptr<CKvoMarkupTextPiece> piece)
{
    piece->line = this;
    pieces.push_back(std::move(piece));
}

void CKvoMarkupTextLine::UpdateExtent()
{
    width = 0;
    descent = 0;
    for (const auto& piece : pieces) {
        width += piece->width;
        descent = std::max(descent, piece->descent);
    }
    height = 0;
    for (const auto& piece : pieces)
        height = std::max(height, piece->height - piece->descent + descent);
}
