#include "markup/builder/KvoMarkupBuilder.h"
#include "markup/builder/KvoMarkupBuilderException.h"
#include "markup/builder/KvoMarkupObjectProperty.h"
#include "markup/builder/KvoMarkupSystemColorKey.h"
#include "markup/core/KvoMarkupContext.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/core/KvoMarkupTypeRegistry.h"
#include "markup/elements/KvoMarkupFrameworkElement.h"
#include "markup/elements/KvoMarkupInputElement.h"
#include "markup/parser/KvoMarkupParser.h"
#include "markup/styles/KvoMarkupResourceDictionary.h"
#include "markup/styles/KvoMarkupStyle.h"
#include "markup/values/KvoMarkupString.h"

namespace {
// Raises a build error from a format with one text argument.
[[noreturn]] void ThrowFormatted(LPCWSTR format, LPCWSTR argument)
{
    CStringW message;
    message.Format(format, argument ? argument : L"");
    ThrowMarkupBuildError(message);
}

// TRUE when text begins with prefix, letter case ignored.
BOOL StartsWithNoCase(LPCWSTR text, LPCWSTR prefix)
{
    const int length = lstrlenW(prefix);
    return lstrlenW(text) >= length && _wcsnicmp(text, prefix, length) == 0;
}

// An "x:Static" member is "SystemColors." with a colour name and a suffix
// that picks the form, the suffixes tried in this order.
struct StaticMemberForm {
    LPCWSTR suffix;
    CKvoMarkupSystemColors::Form form;
};
const StaticMemberForm kStaticMemberForms[] = {
    {L"Color", CKvoMarkupSystemColors::ColorValue},
    {L"Brush", CKvoMarkupSystemColors::SolidBrush},
    {L"ColorKey", CKvoMarkupSystemColors::ColorKey},
    {L"BrushKey", CKvoMarkupSystemColors::BrushKey},
};
const WCHAR kSystemColorsPrefix[] = L"SystemColors.";
// Shorter member texts are no system colour.
constexpr int kShortestStaticMember = 20;
}

CKvoMarkupBuilder::CKvoMarkupBuilder(CKvoMarkupContext* context)
    : m_pContext(context), m_bWhitespacePending(FALSE)
{
}

CKvoMarkupObject* CKvoMarkupBuilder::CreateObject(CKvoMarkupContext* context, const CKvoMarkupType* type)
{
    if (!type)
        return nullptr;
    return context ? context->CreateObject(type) : type->CreateObject();
}

CKvoMarkupObject* CKvoMarkupBuilder::CreateObjectByTag(LPCWSTR tag) const
{
    return CreateObject(m_pContext, CKvoMarkupTypeRegistry::Instance().FindType(tag));
}

CKvoMarkupDependencyProperty* CKvoMarkupBuilder::ResolveProperty(const CKvoMarkupType* type, LPCWSTR name)
{
    if (!name)
        return nullptr;
    if (LPCWSTR dot = wcschr(name, L'.')) {
        const CStringW owner(name, static_cast<int>(dot - name));
        const CKvoMarkupType* ownerType = CKvoMarkupTypeRegistry::Instance().FindType(owner);
        return ownerType ? CKvoMarkupDependencyProperty::FindProperty(dot + 1, ownerType) : nullptr;
    }
    return type ? CKvoMarkupDependencyProperty::FindProperty(name, type) : nullptr;
}

CKvoMarkupUIElement* CKvoMarkupBuilder::Parse(CKvoMarkupParser* parser)
{
    m_errorText.Empty();
    if (!parser || !parser->FindRootElement()) {
        m_errorText = L"Data at the root level is invalid";
        return nullptr;
    }
    try {
        return BuildTree(parser);
    } catch (CKvoMarkupBuilderException* error) {
        WCHAR message[512] = L"";
        error->GetErrorMessage(message, _countof(message));
        error->Delete();
        m_errorText.Format(L"%ls. Line %i, position %i", message, parser->GetLine() + 1, parser->GetColumn() + 1);
        ReleaseAll();
        return nullptr;
    }
}

void CKvoMarkupBuilder::ReleaseAll()
{
    // Innermost first, the reverse of the order they were opened in.
    while (!m_openElements.empty())
        m_openElements.pop_back();
    m_root.Reset();
}

CKvoMarkupUIElement* CKvoMarkupBuilder::BuildTree(CKvoMarkupParser* parser)
{
    m_root.Reset();
    m_openElements.clear();
    m_text.Empty();
    m_bWhitespacePending = FALSE;
    BOOL inInstruction = FALSE;
    for (;;) {
        switch (parser->NextToken()) {
        case CKvoMarkupParser::TokenEnd:
            return OnEndOfInput();
        case CKvoMarkupParser::TokenStartTag:
            OnStartTag(parser->GetTagName());
            break;
        case CKvoMarkupParser::TokenEndTag:
            OnEndTag(parser->GetTagName());
            break;
        case CKvoMarkupParser::TokenAttribute:
            OnAttribute(parser->GetAttributeName(), parser->GetValueText());
            break;
        case CKvoMarkupParser::TokenText:
            OnText(parser->GetValueText());
            break;
        case CKvoMarkupParser::TokenWhitespace:
            m_bWhitespacePending = TRUE;
            break;
        case CKvoMarkupParser::TokenInstructionStart:
            inInstruction = TRUE;
            m_instruction.Empty();
            break;
        case CKvoMarkupParser::TokenData:
            if (inInstruction)
                m_instruction += parser->GetValueText();
            break;
        case CKvoMarkupParser::TokenInstructionEnd: {
            inInstruction = FALSE;
            // <?xml version="1.0" encoding="utf-8"?>: byte input is UTF-8.
            m_instruction.MakeLower();
            const int encoding = m_instruction.Find(L"encoding");
            if (encoding >= 0 && m_instruction.Find(L"utf-8", encoding) == encoding + 10)
                parser->SetCodePage(CP_UTF8);
            break;
        }
        case CKvoMarkupParser::TokenError:
            ThrowMarkupBuildError(parser->GetValueText());
        default:
            // Comments and CDATA sections add nothing.
            break;
        }
    }
}

CKvoMarkupObject* CKvoMarkupBuilder::GetInnermostElement() const
{
    return m_openElements.empty() ? nullptr : m_openElements.back().Get();
}

void CKvoMarkupBuilder::FlushText(CKvoMarkupObject* element, BOOL withPendingSpace)
{
    if (!m_text.IsEmpty()) {
        if (withPendingSpace && m_bWhitespacePending)
            m_text += L' ';
        element->SetContentObject(this, CKvoMarkupString::CreateString(m_text, m_text.GetLength()));
    } else if (withPendingSpace && m_bWhitespacePending && element->HasContentObject() &&
               element->AllowWhiteSpaceContent()) {
        element->SetContentObject(this, CKvoMarkupString::CreateString(L" "));
    }
    m_text.Empty();
    m_bWhitespacePending = FALSE;
}

void CKvoMarkupBuilder::OnStartTag(LPCWSTR tag)
{
    CKvoMarkupObject* parent = GetInnermostElement();
    if (parent)
        FlushText(parent, TRUE);
    else if (m_root)
        ThrowMarkupBuildError(L"There are multiple root elements");
    m_text.Empty();
    m_bWhitespacePending = FALSE;
    if (static_cast<int>(m_openElements.size()) >= kMaxOpenElements)
        ThrowMarkupBuildError(L"Markup nesting is too deep");

    CKvoMarkupPtr<CKvoMarkupObject> element;
    if (wcschr(tag, L'.')) {
        CKvoMarkupDependencyProperty* property = parent ? ResolveProperty(parent->GetType(), tag) : nullptr;
        if (property)
            element.Reset(new CKvoMarkupObjectProperty(property));
    } else {
        element.Reset(CreateObjectByTag(tag));
    }
    if (!element)
        ThrowFormatted(L"The tag '%ls' does not exist in XML namespace", tag);
    element->SetTagText(tag);
    m_openElements.push_back(std::move(element));
}

void CKvoMarkupBuilder::OnEndTag(LPCWSTR tag)
{
    if (m_openElements.empty())
        ThrowMarkupBuildError(L"Unexpected end tag");
    CKvoMarkupPtr<CKvoMarkupObject> element(m_openElements.back().Detach());
    m_openElements.pop_back();
    const CStringW startTag = element->GetTagText();
    if (startTag != tag) {
        CStringW message;
        message.Format(L"The '%ls' start tag does not match the end tag of '%ls'", startTag.GetString(), tag);
        ThrowMarkupBuildError(message);
    }
    // Whitespace before an end tag is dropped.
    FlushText(element.Get(), FALSE);

    CKvoMarkupObject* parent = GetInnermostElement();
    if (element->IsKindOf(CKvoMarkupObjectProperty::s_type)) {
        CKvoMarkupObjectProperty* property = static_cast<CKvoMarkupObjectProperty*>(element.Get());
        if (!property->GetPropertyValue())
            ThrowFormatted(L"'%ls' property does not have a value", property->GetProperty()->GetName());
        // A property element opens only inside another element.
        parent->SetPropertyObject(this, property->GetProperty(), property->DetachPropertyValue());
        return;
    }
    if (parent)
        parent->SetContentObject(this, element.Detach());
    else
        m_root = std::move(element);
}

void CKvoMarkupBuilder::OnAttribute(LPCWSTR name, LPCWSTR value)
{
    CKvoMarkupObject* element = GetInnermostElement();
    if (!element)
        ThrowMarkupBuildError(L"Unexpected error");
    if (_wcsnicmp(name, L"xmlns", 5) == 0)
        return;
    const CKvoMarkupDependencyProperty* property = ResolveProperty(element->GetType(), name);
    if (!property)
        ThrowFormatted(L"The property '%ls' does not exist in XML namespace", name);
    element->SetPropertyObject(this, property, ParseAttributeValue(value));
}

void CKvoMarkupBuilder::OnText(LPCWSTR text)
{
    CKvoMarkupObject* element = GetInnermostElement();
    if (!element)
        ThrowMarkupBuildError(L"Data at the root level is invalid");
    // Whitespace between pieces of content becomes one space; before the
    // first piece of an element it is dropped.
    if (m_bWhitespacePending && (!m_text.IsEmpty() || element->HasContentObject()))
        m_text += L' ';
    m_bWhitespacePending = FALSE;
    m_text += text;
}

CKvoMarkupUIElement* CKvoMarkupBuilder::OnEndOfInput()
{
    // Unclosed elements are named before the missing root they cause.
    if (CKvoMarkupObject* open = GetInnermostElement())
        ThrowFormatted(L"Unexpected end of file has occurred. The following elements are not closed: '%ls'",
                       open->GetTagText());
    if (!m_root)
        ThrowMarkupBuildError(L"Root element is missing");
    if (!m_root->IsKindOf(CKvoMarkupUIElement::s_type)) {
        m_errorText = L"Root element have to be 'CKvoMarkupUIElement' type";
        m_root.Reset();
        return nullptr;
    }
    CKvoMarkupInputElement::ApplyStylesRecursive(m_root.Get());
    return static_cast<CKvoMarkupUIElement*>(m_root.Detach());
}

CKvoMarkupObject* CKvoMarkupBuilder::ParseAttributeValue(LPCWSTR text)
{
    if (!text)
        return CKvoMarkupString::CreateString(L"");
    if (text[0] == L'{' && text[1] == L'}')
        return CKvoMarkupString::CreateString(text + 2);
    if (text[0] == L'{')
        return ParseMarkupExtension(text);
    return CKvoMarkupString::CreateString(text);
}

CKvoMarkupObject* CKvoMarkupBuilder::ParseMarkupExtension(LPCWSTR text)
{
    const int length = lstrlenW(text);
    if (length < 2 || text[length - 1] != L'}')
        ThrowMarkupBuildError(L"Markup extension expressions must end with '}'");
    const CStringW expression(text + 1, length - 2);
    if (StartsWithNoCase(expression, L"x:Static "))
        return ResolveStaticMember(expression.Mid(9).Trim());
    if (StartsWithNoCase(expression, L"StaticResource "))
        return ResolveResource(expression.Mid(15).Trim());
    if (StartsWithNoCase(expression, L"DynamicResource "))
        return ResolveResource(expression.Mid(16).Trim());
    if (StartsWithNoCase(expression, L"x:Type ")) {
        const CStringW tag = expression.Mid(7).Trim();
        CKvoMarkupType* type = CKvoMarkupTypeRegistry::Instance().FindType(tag);
        if (!type)
            ThrowFormatted(L"Cannot find type '%ls'", tag);
        type->AddRef();
        return type;
    }
    ThrowFormatted(L"The tag '%ls' does not exist in XML namespace", expression);
}

CKvoMarkupObject* CKvoMarkupBuilder::ResolveStaticMember(const CStringW& member)
{
    const int prefixLength = _countof(kSystemColorsPrefix) - 1;
    if (member.GetLength() >= kShortestStaticMember && StartsWithNoCase(member, kSystemColorsPrefix)) {
        for (const StaticMemberForm& form : kStaticMemberForms) {
            const int suffixLength = lstrlenW(form.suffix);
            if (member.Right(suffixLength) != form.suffix)
                continue;
            const int index = CKvoMarkupSystemColors::FindIndex(member.GetString() + prefixLength,
                                                                member.GetLength() - prefixLength - suffixLength);
            if (CKvoMarkupObject* found = index >= 0 ? m_systemColors.Get(form.form, index) : nullptr)
                return found;
        }
    }
    ThrowFormatted(L"Cannot find the static member  '%ls'", member);
}

CKvoMarkupObject* CKvoMarkupBuilder::ResolveResource(LPCWSTR keyText)
{
    CKvoMarkupPtr<CKvoMarkupObject> key(ParseAttributeValue(keyText));
    if (CKvoMarkupObject* found = FindResourceInOpenElements(key.Get())) {
        found->AddRef();
        return found;
    }
    // A system-colour key without a resource of its own gives the system colour.
    if (key && key->IsKindOf(CKvoMarkupColorKey::s_type))
        return m_systemColors.Get(CKvoMarkupSystemColors::ColorValue,
                                  static_cast<CKvoMarkupColorKey*>(key.Get())->GetSystemColor());
    if (key && key->IsKindOf(CKvoMarkupBrushKey::s_type))
        return m_systemColors.Get(CKvoMarkupSystemColors::SolidBrush,
                                  static_cast<CKvoMarkupBrushKey*>(key.Get())->GetSystemColor());
    ThrowFormatted(L"Cannot find resource named '%ls'. Resource names are case sensitive", keyText);
}

CKvoMarkupObject* CKvoMarkupBuilder::FindResourceInOpenElements(const CKvoMarkupObject* key) const
{
    if (!key)
        return nullptr;
    // Text elements live in a later folder: their base is found by its tag.
    const CKvoMarkupType* contentElementType = CKvoMarkupTypeRegistry::Instance().FindType(L"FrameworkContentElement");
    for (auto open = m_openElements.rbegin(); open != m_openElements.rend(); ++open) {
        const CKvoMarkupObject* element = open->Get();
        const CKvoMarkupObject* start = nullptr;
        if (element->IsKindOf(CKvoMarkupObjectProperty::s_type))
            start = static_cast<const CKvoMarkupObjectProperty*>(element)->GetPropertyValue();
        else if (element->IsKindOf(CKvoMarkupFrameworkElement::s_type) || element->IsKindOf(CKvoMarkupStyle::s_type) ||
                 (contentElementType && element->IsKindOf(contentElementType)))
            start = element;
        if (CKvoMarkupObject* found = CKvoMarkupResourceDictionary::FindResource(start, key))
            return found;
    }
    return nullptr;
}

CKvoMarkupObject* CKvoMarkupBuilder::ConvertValue(const CKvoMarkupDependencyProperty* property,
                                                  CKvoMarkupObject* value) const
{
    return ConvertValue(m_pContext, property, value);
}

CKvoMarkupObject* CKvoMarkupBuilder::ConvertValue(CKvoMarkupContext* context,
                                                  const CKvoMarkupDependencyProperty* property,
                                                  CKvoMarkupObject* value)
{
    const CKvoMarkupPropertyMetadata* metadata = property->GetMetadata();
    if (metadata && metadata->GetConverter()) {
        if (CKvoMarkupObject* converted = metadata->GetConverter()(context, value))
            return converted;
    }
    CKvoMarkupType* valueType = property->GetValueType();
    // The value type converts through a scratch object of its own.
    CKvoMarkupPtr<CKvoMarkupObject> scratch(CreateObject(context, valueType));
    if (scratch) {
        if (CKvoMarkupObject* converted = scratch->ConvertFrom(value))
            return converted;
    }
    CStringW message;
    message.Format(L"Cannot convert string in attribute '%ls' to object of type '%ls'", property->GetName(),
                   CKvoMarkupType::ClassNameOf(valueType));
    ThrowMarkupBuildError(message);
}
