#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include "markup/parser/KvoMarkupParser.h"

namespace
{

typedef std::vector<std::wstring> TokenList;

// One token as a short text: "<a" start tag, "</a" end tag or "/>", "@x=1"
// attribute, "text:..", "space:..", "data:..", the section marks as written,
// "end", "error:message".
std::wstring DescribeToken(int token, const CKvoMarkupParser& parser)
{
    switch (token) {
    case CKvoMarkupParser::TokenEnd: return L"end";
    case CKvoMarkupParser::TokenStartTag: return std::wstring(L"<") + parser.GetTagName();
    case CKvoMarkupParser::TokenEndTag: return std::wstring(L"</") + parser.GetTagName();
    case CKvoMarkupParser::TokenAttribute:
        return std::wstring(L"@") + parser.GetAttributeName() + L"=" + parser.GetValueText();
    case CKvoMarkupParser::TokenText: return std::wstring(L"text:") + parser.GetValueText();
    case CKvoMarkupParser::TokenWhitespace: return std::wstring(L"space:") + parser.GetValueText();
    case CKvoMarkupParser::TokenData: return std::wstring(L"data:") + parser.GetValueText();
    case CKvoMarkupParser::TokenCommentStart: return L"<!--";
    case CKvoMarkupParser::TokenCommentEnd: return L"-->";
    case CKvoMarkupParser::TokenCDataStart: return L"<![CDATA[";
    case CKvoMarkupParser::TokenCDataEnd: return L"]]>";
    case CKvoMarkupParser::TokenInstructionStart: return L"<?";
    case CKvoMarkupParser::TokenInstructionEnd: return L"?>";
    case CKvoMarkupParser::TokenError: return std::wstring(L"error:") + parser.GetValueText();
    }
    return L"unknown token " + std::to_wstring(token);
}

// Every token up to and including the end or the first error. The bound
// turns a parser that never ends into a failure instead of a hang.
TokenList ReadTokens(CKvoMarkupParser& parser)
{
    TokenList tokens;
    for (int count = 0; count < 10000; ++count) {
        const int token = parser.NextToken();
        tokens.push_back(DescribeToken(token, parser));
        if (token == CKvoMarkupParser::TokenEnd || token == CKvoMarkupParser::TokenError)
            return tokens;
    }
    tokens.push_back(L"no end");
    return tokens;
}

TokenList ReadTokens(const std::wstring& markup)
{
    CKvoMarkupParser parser;
    parser.SetBuffer(markup.data(), markup.data() + markup.size());
    return ReadTokens(parser);
}

TokenList ReadTokens(const std::string& bytes, UINT codePage)
{
    CKvoMarkupParser parser;
    parser.SetBuffer(bytes.data(), bytes.data() + bytes.size(), codePage);
    return ReadTokens(parser);
}

struct TokenCase {
    std::wstring markup;
    TokenList tokens;
};

void ExpectTokenCases(const std::vector<TokenCase>& cases)
{
    for (const TokenCase& tokenCase : cases)
        EXPECT_EQ(ReadTokens(tokenCase.markup), tokenCase.tokens) << "markup: " << tokenCase.markup;
}

const std::wstring kExpectedQuote = L"error:Unexpected token. The expected token is '\"' or '''";

} // namespace

TEST(KvoMarkupParser, SplitsTagsAttributesTextAndSections)
{
    ExpectTokenCases({
        {L"<a x=\"1\" y='two'>hi</a>", {L"<a", L"@x=1", L"@y=two", L"text:hi", L"</a", L"end"}},
        {L"<a/>", {L"<a", L"</a", L"end"}},
        {L"<a />", {L"<a", L"</a", L"end"}},
        {L"<a\tx = '1'\n/><b></b \r\n>", {L"<a", L"@x=1", L"</a", L"<b", L"</b", L"end"}},
        {L"<Grid.Row>x</Grid.Row>", {L"<Grid.Row", L"text:x", L"</Grid.Row", L"end"}},
        // Runs of text and of whitespace are tokens of their own.
        {L"<a> one  two\r\n</a>",
         {L"<a", L"space: ", L"text:one", L"space:  ", L"text:two", L"space:\r\n", L"</a", L"end"}},
        // Quotes of the other kind and '>' are ordinary inside a value.
        {L"<a t='say \"hi\" > ' u=\"it's\"/>", {L"<a", L"@t=say \"hi\" > ", L"@u=it's", L"</a", L"end"}},
        {L"<a x=''/>", {L"<a", L"@x=", L"</a", L"end"}},
        {L"", {L"end"}},
        {L"plain", {L"text:plain", L"end"}},
        {L"<!-- note --><a/>", {L"<!--", L"data: note ", L"-->", L"<a", L"</a", L"end"}},
        {L"<!----><a/>", {L"<!--", L"data:", L"-->", L"<a", L"</a", L"end"}},
        {L"<a><![CDATA[<b>&amp; x]]></a>",
         {L"<a", L"<![CDATA[", L"data:<b>&amp; x", L"]]>", L"</a", L"end"}},
        // An instruction's blanks are dropped, so a declaration is one run.
        {L"<?xml version=\"1.0\"\r\n encoding='utf-8' ?><a/>",
         {L"<?", L"data:xmlversion=\"1.0\"encoding='utf-8'", L"?>", L"<a", L"</a", L"end"}},
        // Unpaired and paired surrogates pass unit by unit.
        {L"<a>\xD83D\xDE00\xDC00-\xD800</a>", {L"<a", L"text:\xD83D\xDE00\xDC00-\xD800", L"</a", L"end"}},
        // A NUL unit ends the input.
        {std::wstring(L"<a>x\0y</a>", 10), {L"<a", L"text:x", L"end"}},
    });
}

TEST(KvoMarkupParser, DecodesEntitiesInTextOnly)
{
    ExpectTokenCases({
        // An attribute keeps references as written.
        {L"<a v=\"&lt;&#65;&amp;\"/>", {L"<a", L"@v=&lt;&#65;&amp;", L"</a", L"end"}},
        // A reference starts a run of its own.
        {L"<a>x&lt;y &amp;z</a>",
         {L"<a", L"text:x", L"text:<y", L"space: ", L"text:&z", L"</a", L"end"}},
        {L"&LT;&Quot;&apos;&gT;", {L"text:<", L"text:\"", L"text:'", L"text:>", L"end"}},
        // A reference never starts a whitespace run, even to a blank.
        {L"&#32;&#x20;", {L"text: ", L"text: ", L"end"}},
        {L"&#x41;&#65;&#x0041;&#065;&#x1F600;",
         {L"text:A", L"text:A", L"text:A", L"text:A", L"text:\xF600", L"end"}},
        // Unknown names and malformed numbers stay as written, ';' included.
        {L"a&nbsp;b", {L"text:a", L"text:&nbsp;b", L"end"}},
        {L"&#xZZ;&#12ab;&#;&#x;&#0;&X41;",
         {L"text:&#xZZ;", L"text:&#12ab;", L"text:&#;", L"text:&#x;", L"text:&#0;", L"text:&X41;", L"end"}},
        // No ';' within 31 characters: those 31 are taken as the name.
        {L"&" + std::wstring(31, L'n') + L"bc",
         {L"text:&" + std::wstring(31, L'n') + L";bc", L"end"}},
        {L"&#x" + std::wstring(26, L'0') + L"41;", {L"text:A", L"end"}},
        {L"&#x" + std::wstring(27, L'0') + L"41;", {L"text:A;", L"end"}},
        // The input ends inside a reference: it is dropped.
        {L"<a>x&am", {L"<a", L"text:x", L"text:", L"end"}},
    });
}

// A resolver of the parser's own kind sees the names the five entities leave.
TEST(KvoMarkupParser, DerivedResolverExtendsTheReferences)
{
    class CNbspParser : public CKvoMarkupParser {
    protected:
        WCHAR ResolveEntity(LPCWSTR name, int length) override
        {
            if (length == 4 && wcscmp(name, L"nbsp") == 0)
                return 0xA0;
            return CKvoMarkupParser::ResolveEntity(name, length);
        }
    };
    const std::wstring markup = L"a&nbsp;b&#65;&lt;&copy;";
    CNbspParser parser;
    parser.SetBuffer(markup.data(), markup.data() + markup.size());
    EXPECT_EQ(ReadTokens(parser),
              (TokenList{L"text:a", L"text:\xA0" L"b", L"text:A", L"text:<", L"text:&copy;", L"end"}));
}

TEST(KvoMarkupParser, ReportsSyntaxErrors)
{
    const std::wstring unexpectedEnd = L"error:Unexpected end of file has occurred.";
    const std::wstring expectedGreater = L"error:Unexpected token. The expected token is '>'";
    ExpectTokenCases({
        {L"<", {unexpectedEnd}},
        {L"<a", {unexpectedEnd}},
        {L"<a  \r\n", {unexpectedEnd}},
        {L"</a", {unexpectedEnd}},
        {L"</a x>", {expectedGreater}},
        {L"</a/>", {expectedGreater}},
        {L"<a/ >", {L"<a", expectedGreater}},
        {L"<a x>", {L"<a", L"error:'>' is an unexpected token. The expected token is '='"}},
        {L"<a x<b/>", {L"<a", L"error:'<' is an unexpected token. The expected token is '='"}},
        {L"<a x y='1'>", {L"<a", L"error:Unexpected token. The expected token is '='"}},
        {L"<a x >", {L"<a", L"error:Unexpected token. The expected token is '='"}},
        {L"<a x=1>", {L"<a", kExpectedQuote}},
        {L"<a x= >", {L"<a", kExpectedQuote}},
        {L"<a x=\"1>", {L"<a", kExpectedQuote}},
        {L"<a x='1\"/>", {L"<a", kExpectedQuote}},
        // The input ends where an attribute name or a section is read: end.
        {L"<a x=\"1\"", {L"<a", L"@x=1", L"end"}},
        {L"<a x", {L"<a", L"end"}},
        {L"<!-- never closed -", {L"<!--", L"end"}},
        {L"<![CDATA[x]]", {L"<![CDATA[", L"end"}},
        {L"<?xml", {L"<?", L"end"}},
    });
}

TEST(KvoMarkupParser, CutsTextsToTheirBuffers)
{
    const std::wstring longName(200, L'n');
    const std::wstring longText(2000, L't');
    ExpectTokenCases({
        {L"<" + longName + L" " + longName + L"='" + longText + L"'/>",
         {L"<" + longName.substr(0, 127), L"@" + longName.substr(0, 127) + L"=" + longText.substr(0, 1023),
          L"</" + longName.substr(0, 127), L"end"}},
        {L"<a>" + longText + L"</" + longName + L">",
         {L"<a", L"text:" + longText.substr(0, 1023), L"</" + longName.substr(0, 127), L"end"}},
        {L"<!--" + longText + L"-->",
         {L"<!--", L"data:" + longText.substr(0, 1023), L"data:" + longText.substr(1023), L"-->", L"end"}},
        {L"<?" + longText + L"?>",
         {L"<?", L"data:" + longText.substr(0, 1023), L"data:" + longText.substr(1023), L"?>", L"end"}},
    });
}

// A section whose terminator starts in the last places of a full chunk still
// ends there; the start of the terminator is held over to the next chunk.
TEST(KvoMarkupParser, SeesATerminatorAcrossTwoChunks)
{
    struct Section {
        std::wstring start, terminator, startMark, endMark;
    };
    const Section sections[] = {{L"<!--", L"-->", L"<!--", L"-->"},
                                {L"<![CDATA[", L"]]>", L"<![CDATA[", L"]]>"},
                                {L"<?", L"?>", L"<?", L"?>"}};
    for (const Section& section : sections) {
        for (int dataLength = 1018; dataLength <= 1026; ++dataLength) {
            const std::wstring data(dataLength, L'd');
            TokenList tokens = ReadTokens(section.start + data + section.terminator + L"<a/>");
            ASSERT_GE(tokens.size(), 5u) << section.start << " " << dataLength;
            EXPECT_EQ(tokens.front(), section.startMark);
            EXPECT_EQ(TokenList(tokens.end() - 4, tokens.end()),
                      (TokenList{section.endMark, L"<a", L"</a", L"end"}))
                << section.start << " " << dataLength;
            std::wstring delivered;
            for (size_t i = 1; i + 4 < tokens.size(); ++i) {
                ASSERT_EQ(tokens[i].compare(0, 5, L"data:"), 0) << tokens[i];
                EXPECT_LE(tokens[i].size() - 5, 1023u);
                delivered += tokens[i].substr(5);
            }
            EXPECT_EQ(delivered, data) << section.start << " " << dataLength;
        }
    }
}

// Ends of terminators as data: "--" and "]]" inside a section, and a
// terminator's start held over that turns out to be data after all.
TEST(KvoMarkupParser, KeepsTerminatorLookalikesAsData)
{
    ExpectTokenCases({
        {L"<!-- a -- b - > --->", {L"<!--", L"data: a -- b - > -", L"-->", L"end"}},
        {L"<![CDATA[]]]]>", {L"<![CDATA[", L"data:]]", L"]]>", L"end"}},
        {L"<!--" + std::wstring(1022, L'd') + L"-x-->",
         {L"<!--", L"data:" + std::wstring(1022, L'd'), L"data:-x", L"-->", L"end"}},
        {L"<![CDATA[" + std::wstring(1021, L'd') + L"]]]>",
         {L"<![CDATA[", L"data:" + std::wstring(1021, L'd'), L"data:]", L"]]>", L"end"}},
    });
}

TEST(KvoMarkupParser, FindsTheRootElement)
{
    struct RootCase {
        std::wstring markup;
        BOOL found;
        TokenList tokensAfter;
    };
    const RootCase cases[] = {
        {L" \t\r\n\f<a/>", TRUE, {L"<a", L"</a", L"end"}},
        {L"<?xml version='1.0'?><a/>", TRUE, {L"<?", L"data:xmlversion='1.0'", L"?>", L"<a", L"</a", L"end"}},
        {L"x<a/>", FALSE, {}},
        {L"  ", FALSE, {}},
        {L"", FALSE, {}},
    };
    for (const RootCase& rootCase : cases) {
        CKvoMarkupParser parser;
        parser.SetBuffer(rootCase.markup.data(), rootCase.markup.data() + rootCase.markup.size());
        EXPECT_EQ(parser.FindRootElement(), rootCase.found) << rootCase.markup;
        if (rootCase.found) {
            EXPECT_EQ(ReadTokens(parser), rootCase.tokensAfter) << rootCase.markup;
        }
    }
}

// Line and column after each token: CR and LF each start a line, the column
// counts the characters read on the line, a character read again after
// being put back counts once.
TEST(KvoMarkupParser, CountsLinesAndColumns)
{
    const std::wstring markup = L"<a>\r\n  <b\rx='1'/>\nz</a>";
    struct Position {
        std::wstring token;
        int line, column;
    };
    const Position expected[] = {
        {L"<a", 0, 3}, {L"space:\r\n  ", 2, 3}, {L"<b", 3, 1}, {L"@x=1", 3, 5},
        {L"</b", 3, 7}, {L"space:\n", 4, 1}, {L"text:z", 4, 2}, {L"</a", 4, 5}, {L"end", 4, 5},
    };
    CKvoMarkupParser parser;
    parser.SetBuffer(markup.data(), markup.data() + markup.size());
    for (const Position& position : expected) {
        EXPECT_EQ(DescribeToken(parser.NextToken(), parser), position.token);
        EXPECT_EQ(parser.GetLine(), position.line) << position.token;
        EXPECT_EQ(parser.GetColumn(), position.column) << position.token;
    }

    // An error is placed where the offending character was read.
    const std::wstring bad = L"<a\r\n\r\n>\n<!-- \n -->\n<b x>";
    CKvoMarkupParser failing;
    failing.SetBuffer(bad.data(), bad.data() + bad.size());
    EXPECT_EQ(ReadTokens(failing).back(), L"error:'>' is an unexpected token. The expected token is '='");
    EXPECT_EQ(failing.GetLine(), 7);
    EXPECT_EQ(failing.GetColumn(), 5);
}

TEST(KvoMarkupParser, ReadsBytesOfACodePage)
{
    // Half-width katakana are single bytes in code page 932.
    EXPECT_EQ(ReadTokens(std::string("<a t='\xB1'>\xB2\xB3 x</a>"), 932),
              (TokenList{L"<a", L"@t=\xFF71", L"text:\xFF72\xFF73", L"space: ", L"text:x", L"</a", L"end"}));
    EXPECT_EQ(ReadTokens(std::string("<a t='\xE9'>caf\xE9</a>"), 1252),
              (TokenList{L"<a", L"@t=\xE9", L"text:caf\xE9", L"</a", L"end"}));
}

TEST(KvoMarkupParser, ReadsUtf8)
{
    EXPECT_EQ(ReadTokens(std::string("<a t='\xC3\xA9'>\xE3\x81\x82x\xEF\xBF\xBF</a>"), CP_UTF8),
              (TokenList{L"<a", L"@t=\xE9", L"text:\x3042x\xFFFF", L"</a", L"end"}));
    // A stray continuation byte or a four-byte lead ends the input.
    EXPECT_EQ(ReadTokens(std::string("<a>x\x81y</a>"), CP_UTF8), (TokenList{L"<a", L"text:x", L"end"}));
    EXPECT_EQ(ReadTokens(std::string("<a>x\xF0\x9F\x98\x80y</a>"), CP_UTF8),
              (TokenList{L"<a", L"text:x", L"end"}));
}

// A sequence cut by the end of the input ends it, and the bytes after the
// end (here the rest of the sequence) are never read.
TEST(KvoMarkupParser, EndsAtAUtf8SequenceCutByTheEnd)
{
    struct CutCase {
        std::string bytes;
        size_t inputLength;
    };
    const CutCase cases[] = {
        {"<a>x\xE3\x81\x82", 5}, {"<a>x\xE3\x81\x82", 6}, {"<a>x\xC3\xA9", 5},
    };
    for (const CutCase& cutCase : cases) {
        CKvoMarkupParser parser;
        parser.SetBuffer(cutCase.bytes.data(), cutCase.bytes.data() + cutCase.inputLength, CP_UTF8);
        EXPECT_EQ(ReadTokens(parser), (TokenList{L"<a", L"text:x", L"end"})) << cutCase.inputLength;
        EXPECT_EQ(parser.NextToken(), CKvoMarkupParser::TokenEnd);
        EXPECT_EQ(parser.GetColumn(), 4);
    }
}

// The builder switches to UTF-8 when the declaration asks for it; the bytes
// after the declaration are then read as UTF-8.
TEST(KvoMarkupParser, SwitchesToUtf8AfterTheDeclaration)
{
    const std::string bytes = "<?xml encoding='utf-8'?><a>\xC3\xA9</a>";
    for (const bool switchCodePage : {false, true}) {
        CKvoMarkupParser parser;
        parser.SetBuffer(bytes.data(), bytes.data() + bytes.size(), 932);
        TokenList tokens;
        int token;
        do {
            token = parser.NextToken();
            tokens.push_back(DescribeToken(token, parser));
            if (token == CKvoMarkupParser::TokenInstructionEnd && switchCodePage)
                parser.SetCodePage(CP_UTF8);
        } while (token != CKvoMarkupParser::TokenEnd && token != CKvoMarkupParser::TokenError);
        const std::wstring text = switchCodePage ? L"text:\xE9" : L"text:\xFF83\xFF69";
        EXPECT_EQ(tokens, (TokenList{L"<?", L"data:xmlencoding='utf-8'", L"?>", L"<a", text, L"</a", L"end"}));
    }
}
