#pragma once
#include <afx.h>

class CKvoMarkupContext;
class CKvoMarkupDependencyProperty;
class CKvoMarkupObject;

// Builds an object tree from markup in a context: one builder per parse.
class CKvoMarkupBuilder {
public:
    // context: where objects are made (not owned; may be null).
    explicit CKvoMarkupBuilder(CKvoMarkupContext* context);
    CKvoMarkupBuilder(const CKvoMarkupBuilder&) = delete;
    CKvoMarkupBuilder& operator=(const CKvoMarkupBuilder&) = delete;

    CKvoMarkupContext* GetContext() const { return m_pContext; }

    // value (borrowed) as a new value of the property's value type (one
    // reference): the property's converter first, then the value type's own
    // conversion. Raises a build error when neither gives a value.
    CKvoMarkupObject* ConvertValue(const CKvoMarkupDependencyProperty* property, CKvoMarkupObject* value) const;
    // The same for callers without a builder.
    static CKvoMarkupObject* ConvertValue(CKvoMarkupContext* context, const CKvoMarkupDependencyProperty* property,
                                          CKvoMarkupObject* value);

private:
    CKvoMarkupContext* m_pContext;
};
