#include "markup/elements/KvoMarkupKeyboardNavigation.h"
#include "markup/builder/KvoMarkupConverters.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/values/KvoMarkupBool.h"
#include "markup/values/KvoMarkupEnum.h"
#include "markup/values/KvoMarkupInt.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupKeyboardNavigation)
CKvoMarkupDependencyProperty* CKvoMarkupKeyboardNavigation::s_isTabStopProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupKeyboardNavigation::s_tabNavigationProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupKeyboardNavigation::s_tabIndexProperty = nullptr;

CKvoMarkupKeyboardNavigation::CKvoMarkupKeyboardNavigation(CKvoMarkupContext* context)
    : m_pContext(context)
{
}

void CKvoMarkupKeyboardNavigation::RegisterMarkupProperties()
{
    s_isTabStopProperty = CKvoMarkupDependencyProperty::RegisterAttached(
        L"IsTabStop", CKvoMarkupBool::s_type, s_type, new CKvoMarkupPropertyMetadata(CKvoMarkupBool::GetShared(TRUE), 0));
    s_tabNavigationProperty = CKvoMarkupDependencyProperty::RegisterAttached(
        L"TabNavigation", CKvoMarkupEnum::s_type, s_type,
        new CKvoMarkupPropertyMetadata(nullptr, MarkupConvertTabNavigation, 0));
    s_tabIndexProperty = CKvoMarkupDependencyProperty::RegisterAttached(
        L"TabIndex", CKvoMarkupInt::s_type, s_type, new CKvoMarkupPropertyMetadata(new CKvoMarkupInt(0x7FFFFFFF), 0));
}

BOOL CKvoMarkupKeyboardNavigation::OnKeyboardMessage(UINT, WPARAM, LPARAM, LRESULT*)
{
    return FALSE;
}

void CKvoMarkupKeyboardNavigation::Focus(CKvoMarkupInputElement*)
{
}
