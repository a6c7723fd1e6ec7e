#pragma once
#include <windows.h>

// A pull tokenizer for the XML subset that markup is written in. The builder
// asks for one token at a time and reads its text from the tag, attribute or
// value buffer. Names are not validated, attribute values keep entity
// references as written, and namespaces mean nothing here.
//
// Made on the stack for one parse, fed once, read to the end or to the first
// error. Nothing read from the input can make it read outside the input or
// write outside its buffers: long texts are cut to the buffers' sizes.
class CKvoMarkupParser {
public:
    // What NextToken found.
    enum Token {
        TokenError = -1,          // GetValueText() holds the message
        TokenEnd = 0,             // end of the input
        TokenStartTag = 1,        // GetTagName()
        TokenEndTag = 2,          // "</name>" (GetTagName()) or the "/>" of an empty element
        TokenAttribute = 3,       // GetAttributeName() = GetValueText()
        TokenText = 4,            // GetValueText()
        TokenWhitespace = 5,      // GetValueText()
        TokenData = 6,            // a chunk of a comment, CDATA section or instruction
        TokenCommentStart = 7,    // "<!--"
        TokenCommentEnd = 8,      // "-->"
        TokenCDataStart = 9,      // "<![CDATA["
        TokenCDataEnd = 10,       // "]]>"
        TokenInstructionStart = 11, // "<?"
        TokenInstructionEnd = 12  // "?>"
    };

    CKvoMarkupParser();
    virtual ~CKvoMarkupParser() = default;
    CKvoMarkupParser(const CKvoMarkupParser&) = delete;
    CKvoMarkupParser& operator=(const CKvoMarkupParser&) = delete;

    // UTF-16 input from start up to, not including, end. The parser keeps the
    // two pointers only: the text must outlive the parse.
    void SetBuffer(LPCWSTR start, LPCWSTR end);
    // Byte input in codePage (65001 for UTF-8). Each byte of another code
    // page is converted alone, so double-byte characters are not read whole.
    void SetBuffer(const char* start, const char* end, UINT codePage);
    // Called by the builder when an instruction declares UTF-8 byte input.
    void SetCodePage(UINT codePage);

    // Skips whitespace to the first '<', which is left to be read; FALSE when
    // anything else comes first or the input is empty.
    BOOL FindRootElement();
    int NextToken();

    LPCWSTR GetTagName() const;
    LPCWSTR GetAttributeName() const;
    LPCWSTR GetValueText() const;
    // Zero-based; every CR and every LF starts a line, so CR LF counts two.
    int GetLine() const;
    // Characters read since the last line end.
    int GetColumn() const;

protected:
    // The character a reference other than the five named entities stands
    // for ("#x41" and "#65" here), or 0 to keep it as written. name has
    // length characters, NUL-terminated.
    virtual WCHAR ResolveEntity(LPCWSTR name, int length);

private:
    // A fixed text buffer: one place is kept for the NUL, and appending to a
    // full buffer drops the character.
    template <int Capacity>
    class CTokenText {
    public:
        CTokenText() { Clear(); }
        void Clear() { SetLength(0); }
        void Append(WCHAR ch);
        void SetLength(int length);
        bool IsFull() const { return m_length == Capacity - 1; }
        bool EndsWith(LPCWSTR suffix, int suffixLength) const;
        bool Equals(LPCWSTR text) const;
        LPCWSTR GetText() const { return m_text; }
        int GetLength() const { return m_length; }

    private:
        WCHAR m_text[Capacity];
        int m_length;
    };

    // Comments, CDATA sections and instructions are read alike, up to their
    // own terminator.
    struct DataSection {
        LPCWSTR terminator;
        int terminatorLength;
        int endToken;
        bool keepsWhitespace;
    };

    typedef int (CKvoMarkupParser::*StateRoutine)();

    int ReadText();
    int ReadTag();
    int ReadAttribute();
    int ReadComment();
    int ReadCData();
    int ReadInstruction();
    int ReadData(const DataSection& section);
    int EnterDataSection(StateRoutine state, int startToken);
    int Fail(LPCWSTR message);

    WCHAR ReadEntity();
    WCHAR ReadChar();
    WCHAR ReadNextUnit();
    WCHAR ReadUtf8();
    WCHAR ReadCodePageByte();
    WCHAR ReadNonWhitespace();
    WCHAR EndOfInput();
    void PushBack(WCHAR ch);
    void SetInput(const BYTE* start, const BYTE* end, BOOL wideInput, UINT codePage);

    static bool IsWhitespace(WCHAR ch);

    StateRoutine m_state;
    CTokenText<1024> m_value;
    CTokenText<128> m_tag;
    CTokenText<128> m_attribute;
    WCHAR m_pushedBack;  // 0: none
    // A data section delivered its last chunk: its end token comes next.
    BOOL m_closingPending;
    // The start of a terminator that a full chunk ended with, held over to
    // the next chunk so that a terminator across two chunks still ends the
    // section.
    WCHAR m_heldOver[2];
    int m_heldOverLength;
    int m_line;
    int m_column;
    BOOL m_wideInput;
    UINT m_codePage;
    // The caller's input: never freed here.
    const BYTE* m_end;
    const BYTE* m_position;
};
