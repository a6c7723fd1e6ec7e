#include "text/ModifyString.h"
#include "figures/B_FigNode.h"
#include "figures/B_FigText.h"
#include "figures/FigFlags.h"
#include "reader/JwCADBase.h"
#include "text/HalfWidth.h"
#include "text/TextRunKind.h"
#include <cmath>
#include <memory>

namespace {
const wchar_t kCode = L'^';
const wchar_t kGothicFont[] = L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF";
const wchar_t kHalfDot = 0xFF65;
const wchar_t kFullDot = 0x30FB;
const wchar_t kThreeDots[] = L"\xFF65\xFF65\x30FB";
const double kOneCallSpacing = 0.01;
const int kShortestWidthMark = 4;

bool IsMarkDigit(wchar_t c)
{
    return c >= L'1' && c <= L'9';
}

bool IsDot(wchar_t c)
{
    return c == kHalfDot || c == kFullDot;
}

void SetRunKind(B_FigText& run, uint16_t kind)
{
    run.textFlags = static_cast<uint16_t>((run.textFlags & ~TextFlag::RunKindMask) | kind);
}

// The text ends with "^" and a digit: it is drawn narrower.
bool HasWidthMark(const CStringW& text)
{
    int length = text.GetLength();
    return length >= kShortestWidthMark && text[length - 2] == kCode && IsMarkDigit(text[length - 1]);
}

// The end of the text that is read: a final "^^" or "^$" stops there.
int ReadLength(const CStringW& text)
{
    int length = text.GetLength();
    bool stop = length >= 2 && text[length - 2] == kCode && (text[length - 1] == kCode || text[length - 1] == L'$');
    return stop ? length - 2 : length;
}
}

bool CModifyString::ParseTextCodes(B_FigText* text)
{
    if (!text || text->text.IsEmpty())
        return false;
    ClearRuns();
    m_codesEnabled = true;
    const B_FigText& source = *text;
    if (source.text.Find(kCode) < 0) {
        if (!ApplyLeaderDots(source))
            return false;
    } else {
        if (!SplitRuns(source))
            return false;
        if (HasWidthMark(source.text))
            NarrowRuns(source, source.text[source.text.GetLength() - 1] - L'0');
        else
            ApplyLeaderDots(source);
    }
    LayOutRuns(source);
    return true;
}

bool CModifyString::SplitRuns(const B_FigText& source)
{
    B_FigText accumulator(source);
    accumulator.text.Empty();
    const CStringW text = source.text.Left(ReadLength(source.text));
    const int length = text.GetLength();
    for (int i = 0; i < length;) {
        wchar_t c = text[i];
        if (c == kCode && i + 1 < length && text[i + 1] == kCode) {
            m_codesEnabled = true;
            i += 2;
        } else if (c == kCode && m_codesEnabled) {
            FlushRun(accumulator, source);
            ++i;
            if (i < length && !ApplyCode(text, i, accumulator, source)) {
                accumulator.text += kCode;
                accumulator.text += text[i++];
            }
        } else {
            accumulator.text += c;
            ++i;
        }
    }
    FlushRun(accumulator, source);
    return !m_runs.IsEmpty();
}

void CModifyString::FlushRun(B_FigText& accumulator, const B_FigText& source)
{
    if (accumulator.text.IsEmpty())
        return;
    AppendRun(accumulator);
    accumulator.text.Empty();
    SetRunKind(accumulator, TextRunKind::Plain);
    accumulator.width = source.width;
    accumulator.height = source.height;
    accumulator.spacing = source.spacing;
}

// text[i] is the character after '^'. A code is consumed (i moves past it)
// and true returned; false leaves i for the caller to take as ordinary text.
bool CModifyString::ApplyCode(const CStringW& text, int& i, B_FigText& accumulator, const B_FigText& source)
{
    const int length = text.GetLength();
    const wchar_t code = text[i];
    switch (code) {
    case L'!': accumulator.textFlags |= TextFlag::Bold; break;
    case L'#':
        accumulator.textFlags &= ~(TextFlag::Bold | TextFlag::Italic | TextFlag::Underline | TextFlag::StrikeOut);
        break;
    case L'$':
        if (i + 1 >= length || !IsMarkDigit(text[i + 1])) {
            accumulator.text += kCode;
            accumulator.text += code;
            ++i;
            return true;
        }
        accumulator.colour = m_reader->GetPenColor(text[i + 1] - L'0');
        i += 2;
        return true;
    case L'%':
        accumulator.colour = source.colour;
        accumulator.textFlags = source.textFlags;
        if (i + 2 < length && text[i + 1] == kCode && wcschr(L"Bbnw", text[i + 2])) {
            accumulator.text += text.Mid(i + 1, 2);
            i += 2;
        }
        break;
    case L'&': accumulator.fontName = source.fontName; break;
    case L'*': m_codesEnabled = false; break;
    case L'-': accumulator.textFlags |= TextFlag::StrikeOut; break;
    case L'/': accumulator.textFlags |= TextFlag::Italic; break;
    case L'\\': accumulator.fontName = kGothicFont; break;
    case L'_': accumulator.textFlags |= TextFlag::Underline; break;
    case L'B': SetRunKind(accumulator, TextRunKind::KernedTight); break;
    case L'b': SetRunKind(accumulator, TextRunKind::Kerned); break;
    case L'n': SetRunKind(accumulator, TextRunKind::Overstrike); break;
    case L'c': AddSingleCharacterRun(text, i, TextRunKind::HalfHeight, accumulator, source); return true;
    case L'd': AddSingleCharacterRun(text, i, TextRunKind::Subscript, accumulator, source); return true;
    case L'o': AddSingleCharacterRun(text, i, TextRunKind::SmallOver, accumulator, source); return true;
    case L'u': AddSingleCharacterRun(text, i, TextRunKind::Superscript, accumulator, source); return true;
    case L'w': AddOverlaidPair(text, i, accumulator, source); return true;
    default: return false;
    }
    ++i;
    return true;
}

// The character after the code alone becomes a run of kind.
void CModifyString::AddSingleCharacterRun(const CStringW& text, int& i, uint16_t kind, B_FigText& accumulator,
                                          const B_FigText& source)
{
    ++i;
    if (i >= text.GetLength())
        return;
    accumulator.text += text[i++];
    SetRunKind(accumulator, kind);
    FlushRun(accumulator, source);
}

// One or two half-width characters share one cell; anything else stays
// ordinary text behind a literal "^w".
void CModifyString::AddOverlaidPair(const CStringW& text, int& i, B_FigText& accumulator, const B_FigText& source)
{
    ++i;
    if (i >= text.GetLength())
        return;
    CStringW pair = text.Mid(i, 2);
    i += pair.GetLength();
    bool halfWidth = true;
    for (bool half : HalfWidthCharacters(pair))
        halfWidth = halfWidth && half;
    if (!halfWidth) {
        accumulator.text += L"^w";
        accumulator.text += pair;
        return;
    }
    accumulator.text += pair;
    SetRunKind(accumulator, TextRunKind::Pair);
    FlushRun(accumulator, source);
}

void CModifyString::AppendRun(const B_FigText& run)
{
    B_Base* copy = MakeTextCopy(run);
    if (!copy)
        return;
    std::unique_ptr<B_FigNode> node(new B_FigNode(&copy));
    m_runs.AddTail(node.get());
    node.release();
}

std::vector<B_FigText*> CModifyString::RunTexts()
{
    std::vector<B_FigText*> runs;
    for (POSITION position = m_runs.GetHeadPosition(); position;)
        runs.push_back(static_cast<B_FigText*>(m_runs.GetNext(position)->fig));
    return runs;
}

// The mark is not drawn; the runs shrink along the text so that it takes
// digit half-width cells less.
void CModifyString::NarrowRuns(const B_FigText& source, int digit)
{
    B_FigText& last = *static_cast<B_FigText*>(m_runs.GetTail()->fig);
    int mark = last.text.ReverseFind(kCode);
    if (mark >= 0)
        last.text.Delete(mark, 2);
    if (last.text.IsEmpty())
        delete m_runs.RemoveTail();
    CStringW joined;
    for (B_FigText* run : RunTexts())
        joined += run->text;
    if (joined.GetLength() < digit)
        return;
    int cells = HalfWidthCells(joined);
    double factor = static_cast<double>(cells - digit) / cells;
    bool vertical = (source.textFlags & TextFlag::Vertical) != 0;
    for (B_FigText* run : RunTexts()) {
        (vertical ? run->height : run->width) *= factor;
        run->spacing *= factor;
    }
}

// A text ending in middle dots spreads its other characters over the room
// the dots would take; fewer dots go than other characters stay.
bool CModifyString::ApplyLeaderDots(const B_FigText& source)
{
    const CStringW& text = source.text;
    int length = text.GetLength();
    if (length < 3 || text == kThreeDots || !IsDot(text[length - 1]))
        return false;
    if (m_runs.IsEmpty())
        AppendRun(source);
    std::vector<B_FigText*> runs = RunTexts();
    if (runs.empty())
        return false;
    CStringW before;
    for (size_t r = 0; r + 1 < runs.size(); ++r)
        before += runs[r]->text;
    CStringW last = runs.back()->text;
    int code = last.ReverseFind(kCode);
    if (code >= 0) {
        if (code + 1 < last.GetLength() && IsMarkDigit(last[code + 1])) {
            last.SetAt(code, L' ');
            last.SetAt(code + 1, L' ');
        }
        last += kFullDot;
    }
    int dots = 0, first = last.GetLength();
    if (first > 0 && IsDot(last[first - 1])) {
        --first;
        ++dots;
        while (first > 0 && last[first - 1] == kFullDot) {
            --first;
            ++dots;
        }
    }
    const int total = before.GetLength() + last.GetLength();
    while (total - dots <= dots) {
        --dots;
        ++first;
    }
    if (dots > 0)
        last.Delete(first, dots);
    if (source.spacing != kOneCallSpacing) {
        CStringW kept = before + last.Left(first);
        double extra = 0.0;
        int keptLength = kept.GetLength();
        if (dots > 2 || keptLength > 1) {
            double size = (source.textFlags & TextFlag::Vertical) ? source.height : source.width;
            extra = dots * size * 0.5 + std::ceil(dots / 2.0) * source.spacing;
        }
        if (keptLength > 1) {
            int fullLast = HalfWidthCharacters(kept).back() ? 0 : 1;
            extra /= (HalfWidthCells(kept) - fullLast - 1) * 0.5;
        }
        for (B_FigText* run : runs)
            run->spacing = extra + source.spacing;
    }
    runs.back()->text = last;
    return true;
}
