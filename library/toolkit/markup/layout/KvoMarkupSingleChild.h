#pragma once
#include "markup/elements/KvoMarkupUIElement.h"

class CKvoMarkupBuilder;

// The one child of a decorator or a page: a counted reference whose logical
// parent is the holder. A second child is refused with a build error.
class CKvoMarkupSingleChild {
public:
    // owner: the element that holds this (never released here).
    explicit CKvoMarkupSingleChild(CKvoMarkupObject* owner) : m_pOwner(owner), m_pChild(nullptr) {}
    ~CKvoMarkupSingleChild() { Set(nullptr); }
    CKvoMarkupSingleChild(const CKvoMarkupSingleChild&) = delete;
    CKvoMarkupSingleChild& operator=(const CKvoMarkupSingleChild&) = delete;

    // Takes over the caller's reference on child (may be null).
    void Set(CKvoMarkupUIElement* child);
    // Parsed content: a UI element when there is no child yet; anything
    // else ends the build. The reference is taken over either way.
    void SetContent(CKvoMarkupObject* content);
    // Borrowed; may be null.
    CKvoMarkupUIElement* Get() const { return m_pChild; }

private:
    CKvoMarkupObject* m_pOwner;
    CKvoMarkupUIElement* m_pChild;
};
