#include "toolkit/markup/support/MarkupTestTypes.h"
#include <wchar.h>
#include "markup/values/KvoMarkupDouble.h"
#include "markup/values/KvoMarkupEnum.h"
#include "markup/values/KvoMarkupString.h"

IMPLEMENT_MARKUP_TYPE(CTestMarkupElement)
IMPLEMENT_MARKUP_TYPE(CTestMarkupPanel)
IMPLEMENT_MARKUP_TYPE(CTestMarkupOther)
CKvoMarkupDependencyProperty* CTestMarkupElement::s_sizeProperty = nullptr;
CKvoMarkupDependencyProperty* CTestMarkupElement::s_labelProperty = nullptr;
CKvoMarkupDependencyProperty* CTestMarkupElement::s_ratioProperty = nullptr;
CKvoMarkupDependencyProperty* CTestMarkupElement::s_modeProperty = nullptr;
int CTestTrackedInt::s_alive = 0;

namespace {
void OnSizeChanged(CKvoMarkupObject*, const KvoMarkupPropertyChange& change)
{
    SizeCallbackView& view = LastSizeCallback();
    ++view.calls;
    const CKvoMarkupInt* old = static_cast<const CKvoMarkupInt*>(MarkupDynamicCast(CKvoMarkupInt::s_type, change.oldValue));
    view.oldValue = old ? old->GetValue() : -1;
    view.trackedAlive = CTestTrackedInt::s_alive;
}

CKvoMarkupObject* ConvertMode(CKvoMarkupContext*, CKvoMarkupObject* value)
{
    const CKvoMarkupString* text = static_cast<const CKvoMarkupString*>(MarkupDynamicCast(CKvoMarkupString::s_type, value));
    return text && wcscmp(text->GetString(), L"On") == 0 ? CKvoMarkupEnum::GetShared(1) : nullptr;
}

template <class T>
CKvoMarkupObject* CreateTestObject()
{
    return new T;
}

CKvoMarkupType* ElementType()
{
    return CTestMarkupElement::s_type;
}

CKvoMarkupType* ObjectType()
{
    return CKvoMarkupObject::s_type;
}
}

SizeCallbackView& LastSizeCallback()
{
    static SizeCallbackView view;
    return view;
}

std::vector<MarkupChangeRecord>& CTestMarkupElement::ChangeLog()
{
    static std::vector<MarkupChangeRecord> log;
    return log;
}

void CTestMarkupElement::RegisterMarkupProperties()
{
    s_sizeProperty = CKvoMarkupDependencyProperty::Register(
        L"Size", CKvoMarkupInt::s_type, s_type,
        new CKvoMarkupPropertyMetadata(new CKvoMarkupInt(10), OnSizeChanged, KvoMarkupPropertyFlag::Inherits));
    s_labelProperty = CKvoMarkupDependencyProperty::Register(L"Label", CKvoMarkupString::s_type, s_type);
    s_ratioProperty = CKvoMarkupDependencyProperty::Register(L"Ratio", CKvoMarkupDouble::s_type, s_type);
    s_modeProperty = CKvoMarkupDependencyProperty::Register(
        L"Mode", CKvoMarkupEnum::s_type, s_type,
        new CKvoMarkupPropertyMetadata(nullptr, ConvertMode, KvoMarkupPropertyFlag::AffectsRender));
}

void CTestMarkupElement::OnPropertyChanged(const CKvoMarkupDependencyProperty* property, CKvoMarkupObject* oldValue,
                                           CKvoMarkupObject* newValue)
{
    ChangeLog().push_back({this, property, oldValue, newValue});
    CKvoMarkupObject::OnPropertyChanged(property, oldValue, newValue);
}

CTestMarkupPanel::~CTestMarkupPanel()
{
    for (INT_PTR index = 0; index < m_children.GetSize(); ++index) {
        m_children[index]->SetLogicalParent(nullptr);
        m_children[index]->Release();
    }
}

void CTestMarkupPanel::AddChild(CKvoMarkupObject* child)
{
    child->SetLogicalParent(this);
    m_children.Add(child);
}

int CTestMarkupPanel::GetLogicalChildrenCount() const
{
    return static_cast<int>(m_children.GetSize());
}

CKvoMarkupObject* CTestMarkupPanel::GetLogicalChild(int index) const
{
    return m_children[index];
}

void CTestMarkupOther::RegisterMarkupProperties()
{
    CKvoMarkupType::EnsureRegistered(CTestMarkupElement::s_type);
    CTestMarkupElement::s_sizeProperty->AddOwner(s_type);
}

CTestMarkupElementCollection::CTestMarkupElementCollection() : CKvoMarkupCollection(CTestMarkupElement::s_type)
{
}

void CTestMarkupElementCollection::OnItemAdded(CKvoMarkupObject* item, int index)
{
    added.emplace_back(item, index);
}

CKvoMarkupObject* NewTestElement()
{
    return CTestMarkupElement::s_type->CreateObject();
}

CTestMarkupPanel* NewTestPanel()
{
    return static_cast<CTestMarkupPanel*>(CTestMarkupPanel::s_type->CreateObject());
}

void EnsureMarkupTestTypes()
{
    if (CTestMarkupElement::s_type)
        return;
    CTestMarkupElement::s_type =
        CKvoMarkupType::Create(L"TestElement", L"CTestMarkupElement", CreateTestObject<CTestMarkupElement>,
                               ObjectType, CTestMarkupElement::RegisterMarkupProperties);
    CTestMarkupPanel::s_type = CKvoMarkupType::Create(L"TestPanel", L"CTestMarkupPanel",
                                                      CreateTestObject<CTestMarkupPanel>, ElementType, [] {});
    CTestMarkupOther::s_type =
        CKvoMarkupType::Create(L"TestOther", L"CTestMarkupOther", CreateTestObject<CTestMarkupOther>, ObjectType,
                               CTestMarkupOther::RegisterMarkupProperties);
    // The panel first: its base comes along.
    CKvoMarkupType::EnsureRegistered(CTestMarkupPanel::s_type);
    CKvoMarkupType::EnsureRegistered(CTestMarkupOther::s_type);
}
