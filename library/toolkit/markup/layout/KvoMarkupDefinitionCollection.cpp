#include "markup/layout/KvoMarkupDefinitionCollection.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/layout/KvoMarkupDefinitionBase.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupDefinitionCollection)
IMPLEMENT_MARKUP_TYPE(CKvoMarkupColumnDefinitionCollection)
IMPLEMENT_MARKUP_TYPE(CKvoMarkupRowDefinitionCollection)

CKvoMarkupDefinitionBase* CKvoMarkupDefinitionCollection::GetDefinition(int index) const
{
    return static_cast<CKvoMarkupDefinitionBase*>(GetItem(index));
}

CKvoMarkupColumnDefinitionCollection::CKvoMarkupColumnDefinitionCollection()
    : CKvoMarkupDefinitionCollection(CKvoMarkupColumnDefinition::s_type)
{
}

CKvoMarkupRowDefinitionCollection::CKvoMarkupRowDefinitionCollection()
    : CKvoMarkupDefinitionCollection(CKvoMarkupRowDefinition::s_type)
{
}
