#pragma once
#include <vector>
#include "markup/core/KvoMarkupObject.h"

// The values set on one object, one slot per property index. Its size is
// fixed when it is made: a property registered later has no slot here.
// Every value holds one reference; the owner is the logical parent of what
// Set stores.
class CKvoMarkupProperties : public CKvoMarkupObject {
public:
    // owner: the object the store belongs to (not owned; may be null).
    explicit CKvoMarkupProperties(CKvoMarkupObject* owner);
    ~CKvoMarkupProperties() override;

    // Borrowed; null when not set or the property has no slot here.
    CKvoMarkupObject* Get(const CKvoMarkupDependencyProperty* property) const;
    // Takes over the caller's reference on value and releases the value it
    // replaces. A property without a slot here drops the value.
    void Set(const CKvoMarkupDependencyProperty* property, CKvoMarkupObject* value);
    // Every value set in other, with one more reference, over what this
    // store holds in the same slots.
    void CopyFrom(const CKvoMarkupProperties& other);
    int GetCount() const { return static_cast<int>(m_values.size()); }

private:
    // Releases the value in slot index after detaching it from the owner.
    void ReleaseAt(size_t index);

    std::vector<CKvoMarkupObject*> m_values;
    CKvoMarkupObject* m_pOwner;
};
