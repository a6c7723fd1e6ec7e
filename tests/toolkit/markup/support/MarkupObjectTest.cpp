#include "toolkit/markup/support/MarkupObjectTest.h"
#include "markup/builder/KvoMarkupBuilderException.h"
#include "markup/core/KvoMarkupContext.h"
#include "markup/values/KvoMarkupBool.h"
#include "markup/values/KvoMarkupEnum.h"
#include "markup/values/KvoMarkupString.h"
#include "markup/values/KvoMarkupThickness.h"
#include "toolkit/markup/support/MarkupTestElement.h"
#include "toolkit/markup/support/MarkupTestTypes.h"

namespace {
// The shared values live until exit once asked for: ask before counting.
void MakeSharedValues()
{
    CKvoMarkupBool::GetShared(TRUE)->Release();
    CKvoMarkupBool::GetShared(FALSE)->Release();
    CKvoMarkupEnum::GetShared(0)->Release();
    CKvoMarkupString::CreateString(L"")->Release();
    CKvoMarkupThickness::GetZero()->Release();
}
}

void MarkupObjectTest::SetUp()
{
    CKvoMarkupContext::RegisterMarkupTypes();
    EnsureMarkupTestTypes();
    EnsureMarkupTestElementType();
    MakeSharedValues();
    CTestMarkupElement::ChangeLog().clear();
    LastSizeCallback() = SizeCallbackView();
    m_liveObjectsAtStart = CKvoMarkupObject::GetLiveObjectCount();
}

void MarkupObjectTest::TearDown()
{
    EXPECT_EQ(CKvoMarkupObject::GetLiveObjectCount(), m_liveObjectsAtStart) << "markup objects leaked or over-released";
}

std::wstring CatchMarkupBuildError(const std::function<void()>& action)
{
    try {
        action();
    } catch (CKvoMarkupBuilderException* error) {
        WCHAR message[512] = L"";
        error->GetErrorMessage(message, _countof(message));
        error->Delete();
        return message;
    }
    return L"(no build error)";
}
