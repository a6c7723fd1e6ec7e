#include "markup/text/KvoMarkupTextLayout.h"
#include <algorithm>
#include "markup/core/KvoMarkupType.h"
#include "markup/text/KvoMarkupRun.h"
#include "markup/text/KvoMarkupTextBlock.h"
#include "markup/text/KvoMarkupTextContext.h"

CKvoMarkupTextLayout::CKvoMarkupTextLayout(CKvoMarkupTextBlock* block, CKvoMarkupDrawingContext* dc, int width,
                                           int wrapping, int trimming)
    : m_pBlock(block), m_pDC(dc), m_width(width), m_wrapping(wrapping), m_trimming(trimming), m_x(0), m_y(0),
      m_widest(0), m_line(new CKvoMarkupTextLine)
{
}

void CKvoMarkupTextLayout::Run(CKvoMarkupInline* first)
{
    for (CKvoMarkupInline* inlineElement = first; inlineElement; inlineElement = inlineElement->GetNextInline())
        LayOutInline(inlineElement);
    Flush();
    EndLine();
}

void CKvoMarkupTextLayout::LayOutInline(CKvoMarkupInline* inlineElement)
{
    const BOOL wraps = m_wrapping != KvoMarkupTextWrapping::NoWrap;
    inlineElement->PrepareMeasure(m_pDC);
    int position = inlineElement->GetFirstPosition();
    m_piece.reset(new CKvoMarkupTextPiece(inlineElement, position));
    while (position != KvoMarkupNoPosition) {
        m_piece->end = position;
        // A word ends before a blank, a tab or a line feed; the blank
        // starts the next piece.
        if (wraps && inlineElement->IsWordBreakPosition(position)) {
            m_piece->Measure(m_pDC);
            Flush();
        }
        const BOOL lineBreak = inlineElement->IsLineBreakPosition(position);
        inlineElement->GetNextPosition(position);
        if (!lineBreak)
            continue;
        if (m_line->pieces.empty()) {
            // An empty line takes its height from the line feed itself.
            if (m_piece->IsEmpty() && m_pending.empty())
                m_piece->end = position;
            m_piece->Measure(m_pDC);
            Flush();
        }
        EndLine();
        m_piece.reset(new CKvoMarkupTextPiece(inlineElement, position));
    }
    if (!m_piece->IsEmpty()) {
        m_piece->Measure(m_pDC);
        m_pending.push_back(std::move(m_piece));
    }
    m_piece.reset();
}

int CKvoMarkupTextLayout::GetPendingWidth() const
{
    int width = 0;
    for (const auto& piece : m_pending)
        width += piece->width;
    return width;
}

void CKvoMarkupTextLayout::Flush()
{
    if (m_piece && !m_piece->IsEmpty()) {
        const int end = m_piece->end;
        CKvoMarkupInline* inlineElement = m_piece->GetInline();
        m_pending.push_back(std::move(m_piece));
        m_piece.reset(new CKvoMarkupTextPiece(inlineElement, end));
    }
    const BOOL wraps = m_wrapping != KvoMarkupTextWrapping::NoWrap;
    while (!m_pending.empty()) {
        // The whole pending group, one word across its inlines, moves on
        // together.
        if (wraps && m_x > 0 && m_x + GetPendingWidth() > m_width)
            EndLine();
        std::unique_ptr<CKvoMarkupTextPiece> piece = std::move(m_pending.front());
        m_pending.erase(m_pending.begin());
        if (m_x == 0 && m_y > 0 && !SkipLeadingWhiteSpace(piece.get()))
            continue;
        PlacePiece(std::move(piece));
    }
}

BOOL CKvoMarkupTextLayout::SkipLeadingWhiteSpace(CKvoMarkupTextPiece* piece)
{
    const int start = piece->start;
    CKvoMarkupInline* inlineElement = piece->GetInline();
    while (piece->start != piece->end && inlineElement->IsWhiteSpacePosition(piece->start))
        inlineElement->GetNextPosition(piece->start);
    if (piece->start == KvoMarkupNoPosition || piece->IsEmpty())
        return FALSE;
    if (piece->start != start)
        piece->Measure(m_pDC);
    return TRUE;
}

void CKvoMarkupTextLayout::PlacePiece(std::unique_ptr<CKvoMarkupTextPiece> piece)
{
    CKvoMarkupTextPiece* last = m_line->pieces.empty() ? nullptr : m_line->pieces.back().get();
    // A run's text on one line stays one piece.
    if (last && last->GetInline() == piece->GetInline() && last->end == piece->start) {
        const int oldWidth = last->width;
        last->end = piece->end;
        last->Measure(m_pDC);
        m_x += last->width - oldWidth;
        return;
    }
    piece->x = m_x;
    piece->y = m_y;
    m_x += piece->width;
    m_line->Append(std::move(piece));
}

void CKvoMarkupTextLayout::EndLine()
{
    if (m_line->pieces.empty())
        return;
    if (m_trimming != KvoMarkupTextTrimming::None && m_x > m_width)
        TrimLine();
    m_line->UpdateExtent();
    m_widest = std::max(m_widest, m_line->width);
    m_x = 0;
    m_y += m_line->height;
    m_lines.push_back(std::move(m_line));
    m_line.reset(new CKvoMarkupTextLine);
}

std::unique_ptr<CKvoMarkupTextPiece> CKvoMarkupTextLayout::MakeEllipsis()
{
    CKvoMarkupPtr<CKvoMarkupObject> made(
        KvoMarkupTextContext::CreateObject(m_pBlock->GetMarkupContext(), CKvoMarkupRun::s_type));
    if (!made || !made->IsKindOf(CKvoMarkupRun::s_type))
        return nullptr;
    CKvoMarkupRun* run = static_cast<CKvoMarkupRun*>(made.Get());
    // Text first: a change under the block would ask it to lay out again.
    run->SetText(L"...");
    // Under the block, so that it takes the block's font and colour.
    run->SetLogicalParent(m_pBlock);
    std::unique_ptr<CKvoMarkupTextPiece> ellipsis(new CKvoMarkupTextPiece(run, 0));
    ellipsis->end = 3;
    run->PrepareMeasure(m_pDC);
    ellipsis->Measure(m_pDC);
    return ellipsis;
}

void CKvoMarkupTextLayout::TrimLine()
{
    std::unique_ptr<CKvoMarkupTextPiece> ellipsis = MakeEllipsis();
    if (!ellipsis)
        return;
    const int limit = m_width - ellipsis->width;
    KvoMarkupTextPieces& pieces = m_line->pieces;
    int left = 0;
    size_t cut = 0;
    while (cut < pieces.size() && left + pieces[cut]->width <= limit)
        left += pieces[cut++]->width;
    if (cut == pieces.size())
        return;
    CKvoMarkupTextPiece& piece = *pieces[cut];
    piece.end = FindTrimEnd(piece, left, limit, cut == 0);
    piece.Measure(m_pDC);
    pieces.erase(pieces.begin() + cut + 1, pieces.end());
    ellipsis->x = left + piece.width;
    ellipsis->y = m_y;
    m_x = ellipsis->x + ellipsis->width;
    m_line->Append(std::move(ellipsis));
}

int CKvoMarkupTextLayout::FindTrimEnd(const CKvoMarkupTextPiece& piece, int pieceLeft, int limit, BOOL firstOnLine)
{
    CKvoMarkupInline* inlineElement = piece.GetInline();
    int bestCut = firstOnLine ? KvoMarkupNoPosition : piece.start;
    // Narrower than the ellipsis itself, nothing fits: the line shows the
    // ellipsis alone.
    int lastFit = piece.start;
    for (int end = piece.start; end != KvoMarkupNoPosition; inlineElement->GetNextPosition(end)) {
        if (pieceLeft + inlineElement->Measure(m_pDC, piece.start, end).cx > limit)
            break;
        lastFit = end;
        if (m_trimming == KvoMarkupTextTrimming::WordEllipsis && inlineElement->IsWordBreakPosition(end))
            bestCut = end;
    }
    if (m_trimming == KvoMarkupTextTrimming::WordEllipsis && bestCut != KvoMarkupNoPosition)
        return bestCut;
    return lastFit;
}
