// Reads the text of a registry script (replacements already made) into
// RegScriptRoot trees; nothing touches the registry here, so a script with a
// syntax error changes nothing.
#pragma once

#include "RegScript.h"

namespace ATL
{

class CRegParser
{
public:
    explicit CRegParser(const std::wstring& text) noexcept : m_text(text)
    {
    }

    // DISP_E_EXCEPTION when the script is not well formed.
    HRESULT Parse(std::vector<RegScriptRoot>& roots);

private:
    enum class TokenKind
    {
        End,
        Word,
        Quoted,
        OpenBrace,
        CloseBrace,
        Equals,
        Error,
    };
    struct Token
    {
        TokenKind kind = TokenKind::End;
        std::wstring text;
    };

    Token Next();
    const Token& Peek();
    Token Scan();
    Token ScanQuoted();
    bool ParseRoot(RegScriptRoot& root);
    bool ParseBody(std::vector<RegScriptKey>& keys, std::vector<RegScriptValue>* values);
    bool ParseKey(Token token, RegScriptKey& key);
    bool ParseValue(RegScriptValue& value);
    bool ParseStringData(std::wstring& text);

    const std::wstring& m_text;
    size_t m_pos = 0;
    bool m_bPeeked = false;
    Token m_peeked;
};

} // namespace ATL
