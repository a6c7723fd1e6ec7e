#pragma once
#include <unordered_map>
#include "markup/core/KvoMarkupObject.h"

// Resources by key: keys hash and compare as the key objects do, so text
// keys match by text and type keys by identity. Keys and values each hold
// one reference.
class CKvoMarkupResourceDictionary : public CKvoMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupResourceDictionary() = default;
    ~CKvoMarkupResourceDictionary() override;

    // Borrowed; null when the key is not here.
    CKvoMarkupObject* Lookup(const CKvoMarkupObject* key) const;
    // Takes over the caller's reference on value and adds one to key. FALSE
    // (value released) when key is null or already used.
    BOOL Add(CKvoMarkupObject* key, CKvoMarkupObject* value);
    int GetCount() const { return static_cast<int>(m_entries.size()); }

    // Content is keyed by its x:Key, or a style without one by its
    // TargetType; a build error when it has no key or the key is used.
    void SetContentObject(CKvoMarkupBuilder* builder, CKvoMarkupObject* content) override;
    BOOL HasContentObject() const override;

    // The resource under key seen from start: in start when it is a
    // dictionary; else in the Resources of start and of each logical
    // ancestor, and of their styles, up to and including the first style
    // on the way. Borrowed; null when none has it.
    static CKvoMarkupObject* FindResource(const CKvoMarkupObject* start, const CKvoMarkupObject* key);

private:
    struct KeyHash {
        size_t operator()(const CKvoMarkupObject* key) const { return key->GetHashCode(); }
    };
    struct KeyEqual {
        bool operator()(const CKvoMarkupObject* a, const CKvoMarkupObject* b) const { return a->IsEqual(b); }
    };
    std::unordered_map<CKvoMarkupObject*, CKvoMarkupObject*, KeyHash, KeyEqual> m_entries;
};
