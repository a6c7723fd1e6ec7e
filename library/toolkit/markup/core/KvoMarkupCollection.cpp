#include "markup/core/KvoMarkupCollection.h"
#include "markup/builder/KvoMarkupBuilderException.h"
#include "markup/core/KvoMarkupType.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupCollection)

CKvoMarkupCollection::CKvoMarkupCollection() : CKvoMarkupCollection(nullptr)
{
}

CKvoMarkupCollection::CKvoMarkupCollection(CKvoMarkupType* elementType, BOOL parentItems)
    : m_pElementType(elementType), m_bParentItems(parentItems)
{
}

CKvoMarkupCollection::~CKvoMarkupCollection()
{
    RemoveAll();
}

void CKvoMarkupCollection::Add(CKvoMarkupObject* item)
{
    if (!item)
        return;
    if (!item->IsKindOf(m_pElementType)) {
        item->Release();
        return;
    }
    if (m_bParentItems)
        item->SetLogicalParent(this);
    int index = static_cast<int>(m_items.Add(item));
    OnItemAdded(item, index);
}

void CKvoMarkupCollection::RemoveAt(int index)
{
    if (index < 0 || index >= GetCount())
        return;
    CKvoMarkupObject* item = m_items[index];
    m_items.RemoveAt(index);
    if (m_bParentItems)
        item->SetLogicalParent(nullptr);
    item->Release();
}

void CKvoMarkupCollection::RemoveAll()
{
    // Emptied first, so that a release that reaches back into the
    // collection finds it consistent.
    CArray<CKvoMarkupObject*, CKvoMarkupObject*> items;
    items.Copy(m_items);
    m_items.RemoveAll();
    for (INT_PTR index = 0; index < items.GetSize(); ++index) {
        if (m_bParentItems)
            items[index]->SetLogicalParent(nullptr);
        items[index]->Release();
    }
}

int CKvoMarkupCollection::GetLogicalChildrenCount() const
{
    return GetCount();
}

CKvoMarkupObject* CKvoMarkupCollection::GetLogicalChild(int index) const
{
    return index >= 0 && index < GetCount() ? m_items[index] : nullptr;
}

void CKvoMarkupCollection::SetContentObject(CKvoMarkupBuilder*, CKvoMarkupObject* content)
{
    if (!content)
        return;
    if (content->IsKindOf(m_pElementType)) {
        Add(content);
        return;
    }
    CStringW message;
    message.Format(L"'%ls' object cannot be added to '%ls'. Object cannot be converted to type '%ls'",
                   CKvoMarkupType::ClassNameOf(content->GetType()), GetClassNameText(),
                   CKvoMarkupType::ClassNameOf(m_pElementType));
    content->Release();
    ThrowMarkupBuildError(message);
}

BOOL CKvoMarkupCollection::HasContentObject() const
{
    return GetCount() > 0;
}

void CKvoMarkupCollection::OnItemAdded(CKvoMarkupObject*, int)
{
}
