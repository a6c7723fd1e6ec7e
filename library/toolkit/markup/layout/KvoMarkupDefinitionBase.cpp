#include "markup/layout/KvoMarkupDefinitionBase.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/elements/KvoMarkupFrameworkElement.h"
#include "markup/layout/KvoMarkupGridLength.h"
#include "markup/values/KvoMarkupInt.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupColumnDefinition)
IMPLEMENT_MARKUP_TYPE(CKvoMarkupRowDefinition)
CKvoMarkupDependencyProperty* CKvoMarkupColumnDefinition::s_widthProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupColumnDefinition::s_minWidthProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupColumnDefinition::s_maxWidthProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupRowDefinition::s_heightProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupRowDefinition::s_minHeightProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupRowDefinition::s_maxHeightProperty = nullptr;

namespace {
CKvoMarkupPropertyMetadata* OneStarByDefault()
{
    return new CKvoMarkupPropertyMetadata(new CKvoMarkupGridLength(1.0, KvoMarkupGridUnit::Star), 0);
}
}

void CKvoMarkupColumnDefinition::RegisterMarkupProperties()
{
    s_widthProperty =
        CKvoMarkupDependencyProperty::Register(L"Width", CKvoMarkupGridLength::s_type, s_type, OneStarByDefault());
    s_minWidthProperty = CKvoMarkupDependencyProperty::Register(L"MinWidth", CKvoMarkupInt::s_type, s_type);
    s_maxWidthProperty = CKvoMarkupDependencyProperty::Register(L"MaxWidth", CKvoMarkupInt::s_type, s_type);
}

void CKvoMarkupRowDefinition::RegisterMarkupProperties()
{
    s_heightProperty =
        CKvoMarkupDependencyProperty::Register(L"Height", CKvoMarkupGridLength::s_type, s_type, OneStarByDefault());
    s_minHeightProperty = CKvoMarkupDependencyProperty::Register(L"MinHeight", CKvoMarkupInt::s_type, s_type);
    s_maxHeightProperty = CKvoMarkupDependencyProperty::Register(L"MaxHeight", CKvoMarkupInt::s_type, s_type);
}

CKvoMarkupDefinitionBase::CKvoMarkupDefinitionBase(BOOL isColumn)
    : minSize(0), sizeType(KvoMarkupGridSizeType::None), measureSize(0.0), sizeCache(0.0), finalOffset(0),
      m_bIsColumn(isColumn)
{
}

const CKvoMarkupDependencyProperty* CKvoMarkupDefinitionBase::SizeProperty() const
{
    return m_bIsColumn ? CKvoMarkupColumnDefinition::s_widthProperty : CKvoMarkupRowDefinition::s_heightProperty;
}

const CKvoMarkupDependencyProperty* CKvoMarkupDefinitionBase::MinProperty() const
{
    return m_bIsColumn ? CKvoMarkupColumnDefinition::s_minWidthProperty : CKvoMarkupRowDefinition::s_minHeightProperty;
}

const CKvoMarkupDependencyProperty* CKvoMarkupDefinitionBase::MaxProperty() const
{
    return m_bIsColumn ? CKvoMarkupColumnDefinition::s_maxWidthProperty : CKvoMarkupRowDefinition::s_maxHeightProperty;
}

const CKvoMarkupGridLength* CKvoMarkupDefinitionBase::GetUserSize() const
{
    return static_cast<const CKvoMarkupGridLength*>(
        MarkupDynamicCast(CKvoMarkupGridLength::s_type, GetValue(SizeProperty())));
}

int CKvoMarkupDefinitionBase::GetUserMinSize() const
{
    const CKvoMarkupInt* value = static_cast<const CKvoMarkupInt*>(MarkupDynamicCast(CKvoMarkupInt::s_type, GetValue(MinProperty())));
    return value ? value->GetValue() : 0;
}

int CKvoMarkupDefinitionBase::GetUserMaxSize() const
{
    const CKvoMarkupInt* value = static_cast<const CKvoMarkupInt*>(MarkupDynamicCast(CKvoMarkupInt::s_type, GetValue(MaxProperty())));
    return value ? value->GetValue() : KvoMarkupUnbounded;
}

BOOL CKvoMarkupDefinitionBase::HasUserMaxSize() const
{
    return GetValue(MaxProperty()) != nullptr;
}

int CKvoMarkupDefinitionBase::GetUserUnit() const
{
    const CKvoMarkupGridLength* size = GetUserSize();
    return size ? size->GetUnit() : KvoMarkupGridUnit::Star;
}

double CKvoMarkupDefinitionBase::GetUserStarWeight() const
{
    const CKvoMarkupGridLength* size = GetUserSize();
    return size ? size->GetStarWeight() : 1.0;
}

int CKvoMarkupDefinitionBase::GetUserPixels() const
{
    const CKvoMarkupGridLength* size = GetUserSize();
    return size ? size->GetPixels() : 0;
}
