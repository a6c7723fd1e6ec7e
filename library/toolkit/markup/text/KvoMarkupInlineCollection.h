#pragma once
#include "markup/core/KvoMarkupCollection.h"

class CKvoMarkupInline;

// The inlines of a text block or span, in document order. The collection
// is its inlines' logical parent and tells each its place.
class CKvoMarkupInlineCollection : public CKvoMarkupCollection {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupInlineCollection();

    // index below GetCount. Borrowed.
    CKvoMarkupInline* GetInline(int index) const;

    // Text becomes a new run, an inline goes in unchanged, a UI element is
    // wrapped in an inline UI container; anything else, or anything while
    // no input element holds the collection, is a build error.
    void SetContentObject(CKvoMarkupBuilder* builder, CKvoMarkupObject* content) override;
    void OnItemAdded(CKvoMarkupObject* item, int index) override;

private:
    // The inline that content becomes (one reference), or null.
    CKvoMarkupObject* MakeInline(CKvoMarkupObject* content);
};
