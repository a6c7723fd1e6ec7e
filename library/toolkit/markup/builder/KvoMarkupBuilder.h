#pragma once
#include <afx.h>
#include <vector>
#include "markup/builder/KvoMarkupSystemColors.h"
#include "markup/core/KvoMarkupPtr.h"

class CKvoMarkupContext;
class CKvoMarkupDependencyProperty;
class CKvoMarkupObject;
class CKvoMarkupParser;
class CKvoMarkupType;
class CKvoMarkupUIElement;

// Builds an object tree from markup in a context: one builder per parse.
// The first fault ends the parse; everything built so far is released and
// the fault is kept as text with its line and position.
class CKvoMarkupBuilder {
public:
    // Elements open at once beyond this are refused: every pass over the
    // tree recurses once per level.
    static constexpr int kMaxOpenElements = 256;

    // context: where objects are made (not owned; may be null).
    explicit CKvoMarkupBuilder(CKvoMarkupContext* context);
    CKvoMarkupBuilder(const CKvoMarkupBuilder&) = delete;
    CKvoMarkupBuilder& operator=(const CKvoMarkupBuilder&) = delete;

    CKvoMarkupContext* GetContext() const { return m_pContext; }

    // The root element of the markup the parser reads (one reference), its
    // styles applied; null on any fault (see GetErrorText).
    CKvoMarkupUIElement* Parse(CKvoMarkupParser* parser);
    // Empty, or the fault that ended the last parse.
    LPCWSTR GetErrorText() const { return m_errorText; }

    // A new object of the class registered under tag (one reference), or null.
    CKvoMarkupObject* CreateObjectByTag(LPCWSTR tag) const;
    // "Owner.Name" as Name of the class registered as Owner; a plain name as
    // a property of type. Null when nothing matches.
    static CKvoMarkupDependencyProperty* ResolveProperty(const CKvoMarkupType* type, LPCWSTR name);
    // Attribute text as an object (one reference): "{}" escapes literal
    // text, other text in braces is a markup extension, anything else a
    // string. Raises a build error for a bad extension.
    CKvoMarkupObject* ParseAttributeValue(LPCWSTR text);

    // value (borrowed) as a new value of the property's value type (one
    // reference): the property's converter first, then the value type's own
    // conversion. Raises a build error when neither gives a value.
    CKvoMarkupObject* ConvertValue(const CKvoMarkupDependencyProperty* property, CKvoMarkupObject* value) const;
    // The same for callers without a builder.
    static CKvoMarkupObject* ConvertValue(CKvoMarkupContext* context, const CKvoMarkupDependencyProperty* property,
                                          CKvoMarkupObject* value);
    // A new object of type made through context (or by the record alone
    // without one); null when type is null or nothing could be made.
    static CKvoMarkupObject* CreateObject(CKvoMarkupContext* context, const CKvoMarkupType* type);

private:
    // Reads tokens to the end of the input; raises build errors.
    CKvoMarkupUIElement* BuildTree(CKvoMarkupParser* parser);
    void OnStartTag(LPCWSTR tag);
    void OnEndTag(LPCWSTR tag);
    void OnAttribute(LPCWSTR name, LPCWSTR value);
    void OnText(LPCWSTR text);
    CKvoMarkupUIElement* OnEndOfInput();
    // Hands the text collected so far to element as a string.
    void FlushText(CKvoMarkupObject* element, BOOL withPendingSpace);
    CKvoMarkupObject* GetInnermostElement() const;

    CKvoMarkupObject* ParseMarkupExtension(LPCWSTR text);
    CKvoMarkupObject* ResolveStaticMember(const CStringW& member);
    CKvoMarkupObject* ResolveResource(LPCWSTR keyText);
    CKvoMarkupObject* FindResourceInOpenElements(const CKvoMarkupObject* key) const;
    // Releases the tree built so far.
    void ReleaseAll();

    CStringW m_errorText;
    CKvoMarkupContext* m_pContext;
    CKvoMarkupSystemColors m_systemColors;
    std::vector<CKvoMarkupPtr<CKvoMarkupObject>> m_openElements;
    CKvoMarkupPtr<CKvoMarkupObject> m_root;
    CStringW m_text;
    BOOL m_bWhitespacePending;
    CStringW m_instruction;
};
