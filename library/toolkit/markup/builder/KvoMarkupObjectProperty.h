#pragma once
#include "markup/core/KvoMarkupObject.h"
#include "markup/core/KvoMarkupPtr.h"

// An open property element (<Owner.Property>) while the builder reads its
// content: the content becomes the property's value, which the builder
// sets on the enclosing element when the property element closes.
class CKvoMarkupObjectProperty : public CKvoMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    explicit CKvoMarkupObjectProperty(const CKvoMarkupDependencyProperty* property = nullptr);

    const CKvoMarkupDependencyProperty* GetProperty() const { return m_pProperty; }
    // Borrowed; null until content arrived.
    CKvoMarkupObject* GetPropertyValue() const { return m_value.Get(); }
    // Hands the value's reference to the caller.
    CKvoMarkupObject* DetachPropertyValue() { return m_value.Detach(); }

    // Content of the value type, or a string (converted when the property
    // is set), becomes the value; other content goes into the value there
    // is, or into a new object of the value type that becomes the value
    // (so items fill a collection made on first need).
    void SetContentObject(CKvoMarkupBuilder* builder, CKvoMarkupObject* content) override;

private:
    const CKvoMarkupDependencyProperty* m_pProperty;
    CKvoMarkupPtr<CKvoMarkupObject> m_value;
};
