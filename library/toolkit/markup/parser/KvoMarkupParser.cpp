#include "markup/parser/KvoMarkupParser.h"

#include <string.h>
#include <wchar.h>

namespace
{

const WCHAR kUnexpectedEnd[] = L"Unexpected end of file has occurred.";
const WCHAR kExpectedGreater[] = L"Unexpected token. The expected token is '>'";
const WCHAR kExpectedEquals[] = L"Unexpected token. The expected token is '='";
const WCHAR kGreaterInsteadOfEquals[] = L"'>' is an unexpected token. The expected token is '='";
const WCHAR kLessInsteadOfEquals[] = L"'<' is an unexpected token. The expected token is '='";
const WCHAR kExpectedQuote[] = L"Unexpected token. The expected token is '\"' or '''";

// The longest entity name read before giving up on finding its ';'.
const int kMaxEntityNameLength = 31;

struct NamedEntity {
    LPCWSTR name;
    WCHAR ch;
};

// The five entities every XML reader knows; markup writes them in any case.
WCHAR FindNamedEntity(LPCWSTR name)
{
    static const NamedEntity entities[] = {
        {L"lt", L'<'}, {L"gt", L'>'}, {L"amp", L'&'}, {L"apos", L'\''}, {L"quot", L'"'}};
    for (const NamedEntity& entity : entities) {
        if (_wcsicmp(name, entity.name) == 0)
            return entity.ch;
    }
    return 0;
}

int DigitValue(WCHAR ch)
{
    if (ch >= L'0' && ch <= L'9')
        return ch - L'0';
    if (ch >= L'a' && ch <= L'f')
        return ch - L'a' + 10;
    if (ch >= L'A' && ch <= L'F')
        return ch - L'A' + 10;
    return -1;
}

// A character number in the given base, cut to 16 bits; 0 unless digits
// follow and nothing else does. Decimal references are decimal even with
// leading zeros ("&#065;" is 'A').
WCHAR ParseCharacterNumber(LPCWSTR digits, int base)
{
    if (*digits == 0)
        return 0;
    unsigned value = 0;
    for (; *digits; ++digits) {
        const int digit = DigitValue(*digits);
        if (digit < 0 || digit >= base)
            return 0;
        value = (value * base + digit) & 0xFFFF;
    }
    return static_cast<WCHAR>(value);
}

} // namespace

template <int Capacity>
void CKvoMarkupParser::CTokenText<Capacity>::Append(WCHAR ch)
{
    if (IsFull())
        return;
    m_text[m_length++] = ch;
    m_text[m_length] = 0;
}

template <int Capacity>
void CKvoMarkupParser::CTokenText<Capacity>::SetLength(int length)
{
    m_length = length;
    m_text[m_length] = 0;
}

template <int Capacity>
bool CKvoMarkupParser::CTokenText<Capacity>::EndsWith(LPCWSTR suffix, int suffixLength) const
{
    return m_length >= suffixLength &&
           wmemcmp(m_text + m_length - suffixLength, suffix, suffixLength) == 0;
}

template <int Capacity>
bool CKvoMarkupParser::CTokenText<Capacity>::Equals(LPCWSTR text) const
{
    return wcscmp(m_text, text) == 0;
}

CKvoMarkupParser::CKvoMarkupParser()
    : m_state(&CKvoMarkupParser::ReadText),
      m_pushedBack(0),
      m_closingPending(FALSE),
      m_heldOver{0, 0},
      m_heldOverLength(0),
      m_line(0),
      m_column(0),
      m_wideInput(TRUE),
      m_codePage(CP_ACP),
      m_end(nullptr),
      m_position(nullptr)
{
}

void CKvoMarkupParser::SetBuffer(LPCWSTR start, LPCWSTR end)
{
    SetInput(reinterpret_cast<const BYTE*>(start), reinterpret_cast<const BYTE*>(end), TRUE,
             m_codePage);
}

void CKvoMarkupParser::SetBuffer(const char* start, const char* end, UINT codePage)
{
    SetInput(reinterpret_cast<const BYTE*>(start), reinterpret_cast<const BYTE*>(end), FALSE,
             codePage);
}

void CKvoMarkupParser::SetInput(const BYTE* start, const BYTE* end, BOOL wideInput, UINT codePage)
{
    m_position = start;
    m_end = end;
    m_wideInput = wideInput;
    m_codePage = codePage;
}

void CKvoMarkupParser::SetCodePage(UINT codePage)
{
    m_codePage = codePage;
}

LPCWSTR CKvoMarkupParser::GetTagName() const
{
    return m_tag.GetText();
}

LPCWSTR CKvoMarkupParser::GetAttributeName() const
{
    return m_attribute.GetText();
}

LPCWSTR CKvoMarkupParser::GetValueText() const
{
    return m_value.GetText();
}

int CKvoMarkupParser::GetLine() const
{
    return m_line;
}

int CKvoMarkupParser::GetColumn() const
{
    return m_column;
}

BOOL CKvoMarkupParser::FindRootElement()
{
    const WCHAR ch = ReadNonWhitespace();
    if (ch != L'<')
        return FALSE;
    PushBack(ch);
    return TRUE;
}

int CKvoMarkupParser::NextToken()
{
    return (this->*m_state)();
}

// Between tags: one run of text or of whitespace per token. A reference
// starts a text run of its own, so text with references arrives in pieces
// that the builder joins.
int CKvoMarkupParser::ReadText()
{
    WCHAR ch = ReadChar();
    if (ch == 0)
        return TokenEnd;
    if (ch == L'<')
        return ReadTag();
    m_value.Clear();
    bool whitespace = false;
    if (ch == L'&') {
        ch = ReadEntity();
        if (ch == 0)
            return TokenText;  // the input ended inside the reference: it is dropped
    } else {
        whitespace = IsWhitespace(ch);
    }
    do {
        m_value.Append(ch);
        ch = ReadChar();
    } while (ch != 0 && ch != L'<' && ch != L'&' && IsWhitespace(ch) == whitespace);
    PushBack(ch);
    return whitespace ? TokenWhitespace : TokenText;
}

// After '&': the character the reference stands for, or 0 when the input
// ends inside it. A reference nobody resolves stays as written: '&' and its
// name go into the value buffer, and ';' comes back as the next character.
WCHAR CKvoMarkupParser::ReadEntity()
{
    WCHAR name[kMaxEntityNameLength + 1];
    int length = 0;
    while (length < kMaxEntityNameLength) {
        const WCHAR ch = ReadChar();
        if (ch == 0)
            return 0;
        if (ch == L';')
            break;
        name[length++] = ch;
    }
    name[length] = 0;

    WCHAR resolved = FindNamedEntity(name);
    if (resolved == 0)
        resolved = ResolveEntity(name, length);
    if (resolved != 0)
        return resolved;
    m_value.Append(L'&');
    for (int i = 0; i < length; ++i)
        m_value.Append(name[i]);
    return L';';
}

WCHAR CKvoMarkupParser::ResolveEntity(LPCWSTR name, int length)
{
    if (length >= 3 && name[0] == L'#' && name[1] == L'x')
        return ParseCharacterNumber(name + 2, 16);
    if (length >= 2 && name[0] == L'#')
        return ParseCharacterNumber(name + 1, 10);
    return 0;
}

// After '<': a start or end tag, or the start of a comment, CDATA section or
// instruction.
int CKvoMarkupParser::ReadTag()
{
    m_tag.Clear();
    WCHAR ch = ReadChar();
    if (ch == L'?')
        return EnterDataSection(&CKvoMarkupParser::ReadInstruction, TokenInstructionStart);
    const bool endTag = ch == L'/';
    if (endTag)
        ch = ReadChar();
    while (ch != L'/' && ch != L'>' && !IsWhitespace(ch)) {
        if (ch == 0)
            return Fail(kUnexpectedEnd);
        m_tag.Append(ch);
        if (m_tag.Equals(L"!--"))
            return EnterDataSection(&CKvoMarkupParser::ReadComment, TokenCommentStart);
        if (m_tag.Equals(L"![CDATA["))
            return EnterDataSection(&CKvoMarkupParser::ReadCData, TokenCDataStart);
        ch = ReadChar();
    }
    if (IsWhitespace(ch))
        ch = ReadNonWhitespace();
    if (ch == 0)
        return Fail(kUnexpectedEnd);
    if (!endTag) {
        PushBack(ch);
        m_state = &CKvoMarkupParser::ReadAttribute;
        return TokenStartTag;
    }
    if (ch != L'>')
        return Fail(kExpectedGreater);
    return TokenEndTag;
}

// Inside a start tag: one attribute per token until '>' or "/>".
int CKvoMarkupParser::ReadAttribute()
{
    WCHAR ch = ReadNonWhitespace();
    if (ch == L'>') {
        m_state = &CKvoMarkupParser::ReadText;
        return ReadText();
    }
    if (ch == L'/') {
        ch = ReadChar();
        if (ch != L'>') {
            PushBack(ch);
            return Fail(kExpectedGreater);
        }
        m_state = &CKvoMarkupParser::ReadText;
        return TokenEndTag;
    }

    m_attribute.Clear();
    for (;; ch = ReadChar()) {
        if (ch == 0)
            return TokenEnd;
        if (ch == L'=')
            break;
        if (ch == L'>')
            return Fail(kGreaterInsteadOfEquals);
        if (ch == L'<')
            return Fail(kLessInsteadOfEquals);
        if (IsWhitespace(ch)) {
            if (ReadNonWhitespace() != L'=')
                return Fail(kExpectedEquals);
            break;
        }
        m_attribute.Append(ch);
    }

    const WCHAR quote = ReadNonWhitespace();
    if (quote != L'"' && quote != L'\'')
        return Fail(kExpectedQuote);
    m_value.Clear();
    for (ch = ReadChar(); ch != quote; ch = ReadChar()) {
        if (ch == 0)
            return Fail(kExpectedQuote);
        m_value.Append(ch);
    }
    return TokenAttribute;
}

int CKvoMarkupParser::ReadComment()
{
    static const DataSection comment = {L"-->", 3, TokenCommentEnd, true};
    return ReadData(comment);
}

int CKvoMarkupParser::ReadCData()
{
    static const DataSection cdata = {L"]]>", 3, TokenCDataEnd, true};
    return ReadData(cdata);
}

// Blanks of an instruction are not kept: an XML declaration arrives as one
// run, which the builder searches for its encoding.
int CKvoMarkupParser::ReadInstruction()
{
    static const DataSection instruction = {L"?>", 2, TokenInstructionEnd, false};
    return ReadData(instruction);
}

int CKvoMarkupParser::EnterDataSection(StateRoutine state, int startToken)
{
    m_state = state;
    m_closingPending = FALSE;
    m_heldOverLength = 0;
    return startToken;
}

// One chunk of a section's data per call, then its end token. A chunk that
// fills the buffer while ending with the start of the terminator leaves that
// start to the next chunk, where the terminator can still be seen whole.
int CKvoMarkupParser::ReadData(const DataSection& section)
{
    if (m_closingPending) {
        m_closingPending = FALSE;
        m_state = &CKvoMarkupParser::ReadText;
        return section.endToken;
    }
    m_value.Clear();
    for (int i = 0; i < m_heldOverLength; ++i)
        m_value.Append(m_heldOver[i]);
    m_heldOverLength = 0;

    while (!m_value.IsFull()) {
        const WCHAR ch = ReadChar();
        if (ch == 0)
            return TokenEnd;
        if (!section.keepsWhitespace && IsWhitespace(ch))
            continue;
        m_value.Append(ch);
        if (m_value.EndsWith(section.terminator, section.terminatorLength)) {
            m_value.SetLength(m_value.GetLength() - section.terminatorLength);
            m_closingPending = TRUE;
            return TokenData;
        }
    }
    for (int held = section.terminatorLength - 1; held > 0; --held) {
        if (m_value.EndsWith(section.terminator, held)) {
            wmemcpy(m_heldOver, m_value.GetText() + m_value.GetLength() - held, held);
            m_heldOverLength = held;
            m_value.SetLength(m_value.GetLength() - held);
            break;
        }
    }
    return TokenData;
}

int CKvoMarkupParser::Fail(LPCWSTR message)
{
    m_value.Clear();
    for (; *message; ++message)
        m_value.Append(*message);
    return TokenError;
}

WCHAR CKvoMarkupParser::ReadNonWhitespace()
{
    WCHAR ch;
    do {
        ch = ReadChar();
    } while (IsWhitespace(ch));
    return ch;
}

void CKvoMarkupParser::PushBack(WCHAR ch)
{
    m_pushedBack = ch;
}

// The next character, counted into the line and column; 0 at the end of the
// input. Whatever reads as 0 ends the input for good.
WCHAR CKvoMarkupParser::ReadChar()
{
    if (m_pushedBack != 0) {
        const WCHAR ch = m_pushedBack;
        m_pushedBack = 0;
        return ch;
    }
    const WCHAR ch = ReadNextUnit();
    if (ch == 0)
        return EndOfInput();
    if (ch == L'\r' || ch == L'\n') {
        ++m_line;
        m_column = 0;
    } else {
        ++m_column;
    }
    return ch;
}

WCHAR CKvoMarkupParser::ReadNextUnit()
{
    if (m_wideInput) {
        WCHAR unit;
        if (m_end - m_position < static_cast<ptrdiff_t>(sizeof(unit)))
            return 0;
        memcpy(&unit, m_position, sizeof(unit));
        m_position += sizeof(unit);
        return unit;
    }
    if (m_end - m_position < 1)
        return 0;
    return m_codePage == CP_UTF8 ? ReadUtf8() : ReadCodePageByte();
}

// One- to three-byte sequences; continuation bytes are taken as they come.
// A stray continuation byte, a four-byte lead or a sequence cut by the end
// of the input reads as 0.
WCHAR CKvoMarkupParser::ReadUtf8()
{
    const BYTE lead = *m_position++;
    if (lead < 0x80)
        return lead;
    int continuationCount;
    if (lead >= 0xE0 && lead <= 0xEF)
        continuationCount = 2;
    else if (lead >= 0xC0 && lead <= 0xDF)
        continuationCount = 1;
    else
        return 0;
    if (m_end - m_position < continuationCount)
        return 0;
    if (continuationCount == 1) {
        const BYTE second = *m_position++;
        return static_cast<WCHAR>((lead & 0x1F) << 6 | (second & 0x3F));
    }
    const BYTE second = m_position[0];
    const BYTE third = m_position[1];
    m_position += 2;
    return static_cast<WCHAR>((lead & 0x0F) << 12 | (second & 0x3F) << 6 | (third & 0x3F));
}

WCHAR CKvoMarkupParser::ReadCodePageByte()
{
    const BYTE byte = *m_position++;
    if (byte < 0x80)
        return byte;
    WCHAR ch = 0;
    if (MultiByteToWideChar(m_codePage, 0, reinterpret_cast<const char*>(&byte), 1, &ch, 1) != 1)
        return 0;
    return ch;
}

WCHAR CKvoMarkupParser::EndOfInput()
{
    m_position = m_end;
    return 0;
}

bool CKvoMarkupParser::IsWhitespace(WCHAR ch)
{
    return ch == L' ' || ch == L'\t' || ch == L'\n' || ch == L'\r' || ch == L'\f';
}
