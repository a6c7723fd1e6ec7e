#include "CRegParser.h"

#include <cwctype>

namespace ATL
{

namespace
{

bool IsWord(const std::wstring& text, const wchar_t* word)
{
    return ::lstrcmpiW(text.c_str(), word) == 0;
}

bool IsDelimiter(wchar_t ch)
{
    return std::iswspace(ch) || ch == L'{' || ch == L'}' || ch == L'=' || ch == L'\'';
}

struct RootName
{
    const wchar_t* name;
    HKEY hKey;
};

const RootName g_rootNames[] = {
    {L"HKCR", HKEY_CLASSES_ROOT},   {L"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
    {L"HKCU", HKEY_CURRENT_USER},   {L"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {L"HKLM", HKEY_LOCAL_MACHINE},  {L"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
};

HKEY FindRoot(const std::wstring& name)
{
    for (const RootName& root : g_rootNames)
    {
        if (IsWord(name, root.name))
            return root.hKey;
    }
    return NULL;
}

} // namespace

HRESULT CRegParser::Parse(std::vector<RegScriptRoot>& roots)
{
    while (Peek().kind != TokenKind::End)
    {
        RegScriptRoot root{};
        if (!ParseRoot(root))
            return DISP_E_EXCEPTION;
        roots.push_back(std::move(root));
    }
    return S_OK;
}

CRegParser::Token CRegParser::Next()
{
    if (!m_bPeeked)
        return Scan();
    m_bPeeked = false;
    return std::move(m_peeked);
}

const CRegParser::Token& CRegParser::Peek()
{
    if (!m_bPeeked)
    {
        m_peeked = Scan();
        m_bPeeked = true;
    }
    return m_peeked;
}

CRegParser::Token CRegParser::Scan()
{
    while (m_pos < m_text.size() && std::iswspace(m_text[m_pos]))
        ++m_pos;
    if (m_pos == m_text.size())
        return Token{TokenKind::End, {}};
    switch (m_text[m_pos])
    {
    case L'{':
        ++m_pos;
        return Token{TokenKind::OpenBrace, {}};
    case L'}':
        ++m_pos;
        return Token{TokenKind::CloseBrace, {}};
    case L'=':
        ++m_pos;
        return Token{TokenKind::Equals, {}};
    case L'\'':
        return ScanQuoted();
    }
    size_t start = m_pos;
    while (m_pos < m_text.size() && !IsDelimiter(m_text[m_pos]))
        ++m_pos;
    return Token{TokenKind::Word, m_text.substr(start, m_pos - start)};
}

// A quoted name or text; two quotes in a row stand for one.
CRegParser::Token CRegParser::ScanQuoted()
{
    Token token{TokenKind::Quoted, {}};
    for (++m_pos; m_pos < m_text.size(); ++m_pos)
    {
        if (m_text[m_pos] != L'\'')
        {
            token.text += m_text[m_pos];
            continue;
        }
        if (m_pos + 1 < m_text.size() && m_text[m_pos + 1] == L'\'')
        {
            token.text += L'\'';
            ++m_pos;
            continue;
        }
        ++m_pos;
        return token;
    }
    return Token{TokenKind::Error, {}};
}

bool CRegParser::ParseRoot(RegScriptRoot& root)
{
    Token name = Next();
    if (name.kind != TokenKind::Word)
        return false;
    root.hKey = FindRoot(name.text);
    return root.hKey != NULL && Next().kind == TokenKind::OpenBrace && ParseBody(root.subkeys, nullptr);
}

// The keys (and, below a key, the values) up to the closing brace; a root
// has no values. An unquoted "val" is always the keyword.
bool CRegParser::ParseBody(std::vector<RegScriptKey>& keys, std::vector<RegScriptValue>* values)
{
    for (;;)
    {
        Token token = Next();
        if (token.kind == TokenKind::CloseBrace)
            return true;
        if (token.kind == TokenKind::Word && IsWord(token.text, L"val"))
        {
            if (values == nullptr)
                return false;
            RegScriptValue value;
            if (!ParseValue(value))
                return false;
            values->push_back(std::move(value));
            continue;
        }
        RegScriptKey key;
        if (!ParseKey(std::move(token), key))
            return false;
        keys.push_back(std::move(key));
    }
}

bool CRegParser::ParseKey(Token token, RegScriptKey& key)
{
    if (token.kind == TokenKind::Word && IsWord(token.text, L"ForceRemove"))
        key.mode = RegKeyMode::ForceRemove;
    else if (token.kind == TokenKind::Word && IsWord(token.text, L"NoRemove"))
        key.mode = RegKeyMode::NoRemove;
    if (key.mode != RegKeyMode::Plain)
        token = Next();
    if ((token.kind != TokenKind::Word && token.kind != TokenKind::Quoted) || token.text.empty())
        return false;
    key.name = std::move(token.text);
    if (Peek().kind == TokenKind::Equals)
    {
        Next();
        if (!ParseStringData(key.defaultText))
            return false;
        key.hasDefault = true;
    }
    if (Peek().kind != TokenKind::OpenBrace)
        return true;
    Next();
    return ParseBody(key.subkeys, &key.values);
}

bool CRegParser::ParseValue(RegScriptValue& value)
{
    Token name = Next();
    if (name.kind != TokenKind::Word && name.kind != TokenKind::Quoted)
        return false;
    value.name = std::move(name.text);
    return Next().kind == TokenKind::Equals && ParseStringData(value.text);
}

// "s 'text'": the only value type the servers' scripts use.
bool CRegParser::ParseStringData(std::wstring& text)
{
    Token type = Next();
    if (type.kind != TokenKind::Word || !IsWord(type.text, L"s"))
        return false;
    Token data = Next();
    if (data.kind != TokenKind::Quoted)
        return false;
    text = std::move(data.text);
    return true;
}

} // namespace ATL
