#include "markup/core/KvoMarkupObject.h"
#include <new>
#include "markup/builder/KvoMarkupBuilder.h"
#include "markup/builder/KvoMarkupBuilderException.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupProperties.h"
#include "markup/core/KvoMarkupPtr.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/values/KvoMarkupString.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupObject)
CKvoMarkupDependencyProperty* CKvoMarkupObject::s_nameProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupObject::s_keyProperty = nullptr;

namespace {
// Every markup object made and not yet destroyed.
volatile long g_liveMarkupObjects = 0;
}

CKvoMarkupObject::CKvoMarkupObject() : m_pLogicalParent(nullptr), m_pProperties(nullptr), m_nRefCount(1)
{
    InterlockedIncrement(&g_liveMarkupObjects);
}

CKvoMarkupObject::~CKvoMarkupObject()
{
    if (m_pProperties)
        m_pProperties->Release();
    InterlockedDecrement(&g_liveMarkupObjects);
}

long CKvoMarkupObject::GetLiveObjectCount()
{
    return g_liveMarkupObjects;
}

void CKvoMarkupObject::RegisterMarkupProperties()
{
    s_nameProperty = CKvoMarkupDependencyProperty::Register(L"x:Name", CKvoMarkupString::s_type, s_type);
    s_keyProperty = CKvoMarkupDependencyProperty::Register(L"x:Key", s_type, s_type);
}

long CKvoMarkupObject::AddRef()
{
    return InterlockedIncrement(&m_nRefCount);
}

long CKvoMarkupObject::Release()
{
    if (m_nRefCount == 0)
        return 0;
    long count = InterlockedDecrement(&m_nRefCount);
    if (count == 0)
        OnFinalRelease();
    return count;
}

void CKvoMarkupObject::OnFinalRelease()
{
    delete this;
}

BOOL CKvoMarkupObject::IsKindOf(const CKvoMarkupType* type) const
{
    const CKvoMarkupType* own = GetType();
    return own && type && own->IsDerivedFrom(type);
}

CKvoMarkupObject* MarkupDynamicCast(const CKvoMarkupType* type, CKvoMarkupObject* object)
{
    return object && object->IsKindOf(type) ? object : nullptr;
}

LPCWSTR CKvoMarkupObject::GetClassNameText() const
{
    return CKvoMarkupType::ClassNameOf(GetType());
}

CKvoMarkupType* CKvoMarkupObject::GetType() const
{
    return s_type;
}

CKvoMarkupObject* CKvoMarkupObject::GetValueCore(const CKvoMarkupDependencyProperty* property) const
{
    return m_pProperties ? m_pProperties->Get(property) : nullptr;
}

const CKvoMarkupObject* CKvoMarkupObject::GetValueSource(const CKvoMarkupDependencyProperty* property) const
{
    if (!property)
        return nullptr;
    if (GetValueCore(property))
        return this;
    if (!property->HasFlag(KvoMarkupPropertyFlag::Inherits))
        return nullptr;
    for (const CKvoMarkupObject* ancestor = m_pLogicalParent; ancestor; ancestor = ancestor->m_pLogicalParent) {
        if (ancestor->GetValueCore(property))
            return ancestor;
    }
    return nullptr;
}

CKvoMarkupObject* CKvoMarkupObject::GetValue(const CKvoMarkupDependencyProperty* property) const
{
    if (!property)
        return nullptr;
    const CKvoMarkupObject* source = GetValueSource(property);
    return source ? source->GetValueCore(property) : property->GetDefaultValue();
}

void CKvoMarkupObject::SetValue(const CKvoMarkupDependencyProperty* property, CKvoMarkupObject* value)
{
    if (!property) {
        if (value)
            value->Release();
        return;
    }
    if (value && !value->IsKindOf(property->GetValueType())) {
        value->Release();
        return;
    }
    if (value && !m_pProperties) {
        m_pProperties = new (std::nothrow) CKvoMarkupProperties(this);
        if (!m_pProperties) {
            value->Release();
            return;
        }
    }

    CKvoMarkupObject* oldValue = GetValue(property);
    // The store may hold the only reference on the old value: keep it alive
    // until every change handler has seen it.
    CKvoMarkupPtr<CKvoMarkupObject> heldOldValue = CKvoMarkupPtr<CKvoMarkupObject>::Share(oldValue);
    if (m_pProperties)
        m_pProperties->Set(property, value);
    CKvoMarkupObject* newValue = GetValue(property);
    if (!oldValue && !newValue)
        return;
    OnPropertyChanged(property, oldValue, newValue);
    if (property->HasFlag(KvoMarkupPropertyFlag::Inherits))
        NotifyInheritingDescendants(property, oldValue, newValue);
}

void CKvoMarkupObject::NotifyInheritingDescendants(const CKvoMarkupDependencyProperty* property,
                                                   CKvoMarkupObject* oldValue, CKvoMarkupObject* newValue)
{
    int count = GetLogicalChildrenCount();
    for (int index = 0; index < count; ++index) {
        CKvoMarkupObject* child = GetLogicalChild(index);
        if (!child)
            continue;
        if (child->IsKindOf(property->GetOwnerType()))
            child->OnPropertyChanged(property, oldValue, newValue);
        child->NotifyInheritingDescendants(property, oldValue, newValue);
    }
}

void CKvoMarkupObject::SetPropertyObject(CKvoMarkupBuilder* builder, const CKvoMarkupDependencyProperty* property,
                                         CKvoMarkupObject* value)
{
    if (property && value && !value->IsKindOf(property->GetValueType())) {
        // Released on every way out, a failed conversion's build error too.
        CKvoMarkupPtr<CKvoMarkupObject> text(value);
        value = CKvoMarkupBuilder::ConvertValue(builder ? builder->GetContext() : nullptr, property, text.Get());
    }
    SetValue(property, value);
}

void CKvoMarkupObject::SetContentObject(CKvoMarkupBuilder*, CKvoMarkupObject* content)
{
    CStringW message;
    const CKvoMarkupString* text = static_cast<const CKvoMarkupString*>(
        MarkupDynamicCast(CKvoMarkupString::s_type, content));
    if (text)
        message.Format(L"Cannot convert the string '%ls' into a '%ls' object", text->GetString(), GetClassNameText());
    else
        message.Format(L"Cannot add content to an object of type '%ls'", GetClassNameText());
    if (content)
        content->Release();
    ThrowMarkupBuildError(message);
}

CKvoMarkupObject* CKvoMarkupObject::ConvertFrom(CKvoMarkupObject*)
{
    return nullptr;
}

UINT CKvoMarkupObject::GetHashCode() const
{
    return static_cast<UINT>(reinterpret_cast<UINT_PTR>(this));
}

BOOL CKvoMarkupObject::IsEqual(const CKvoMarkupObject* other) const
{
    return other == this;
}

int CKvoMarkupObject::GetLogicalChildrenCount() const
{
    return 0;
}

CKvoMarkupObject* CKvoMarkupObject::GetLogicalChild(int) const
{
    return nullptr;
}

BOOL CKvoMarkupObject::HasContentObject() const
{
    return FALSE;
}

BOOL CKvoMarkupObject::AllowWhiteSpaceContent() const
{
    return FALSE;
}

void CKvoMarkupObject::OnPropertyChanged(const CKvoMarkupDependencyProperty* property, CKvoMarkupObject* oldValue,
                                         CKvoMarkupObject* newValue)
{
    const CKvoMarkupPropertyMetadata* metadata = property ? property->GetMetadata() : nullptr;
    if (metadata && metadata->GetChangeCallback())
        metadata->GetChangeCallback()(this, KvoMarkupPropertyChange{property, oldValue, newValue});
}
