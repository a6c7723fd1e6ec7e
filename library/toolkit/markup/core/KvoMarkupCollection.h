#pragma once
#include <afxtempl.h>
#include "markup/core/KvoMarkupObject.h"

// An ordered list of markup objects of one element type, each holding one
// reference. Derived collections fix the element type; the base collection
// has none and accepts nothing.
class CKvoMarkupCollection : public CKvoMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupCollection();
    ~CKvoMarkupCollection() override;

    // Takes over the caller's reference on item; an item not of the
    // element type is refused (released, nothing else changes).
    void Add(CKvoMarkupObject* item);
    // Ignored past the end.
    void RemoveAt(int index);
    void RemoveAll();
    int GetCount() const { return static_cast<int>(m_items.GetSize()); }
    // index must be below GetCount. Borrowed.
    CKvoMarkupObject* GetItem(int index) const { return m_items[index]; }
    CKvoMarkupType* GetElementType() const { return m_pElementType; }

    int GetLogicalChildrenCount() const override;
    CKvoMarkupObject* GetLogicalChild(int index) const override;
    // Adds parsed content of the element type; refuses anything else.
    void SetContentObject(CKvoMarkupBuilder* builder, CKvoMarkupObject* content) override;
    BOOL HasContentObject() const override;
    // Called after item went in at index.
    virtual void OnItemAdded(CKvoMarkupObject* item, int index);

protected:
    // elementType: what items must be; parentItems: whether the collection
    // is its items' logical parent.
    explicit CKvoMarkupCollection(CKvoMarkupType* elementType, BOOL parentItems = TRUE);

private:
    CArray<CKvoMarkupObject*, CKvoMarkupObject*> m_items;
    CKvoMarkupType* m_pElementType;
    BOOL m_bParentItems;
};
