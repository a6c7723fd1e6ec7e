#include <gtest/gtest.h>
#include "markup/builder/KvoMarkupBuilderException.h"
#include "markup/core/KvoMarkupPtr.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/values/KvoMarkupColor.h"
#include "markup/values/KvoMarkupInt.h"
#include "markup/values/KvoMarkupString.h"
#include "toolkit/markup/support/MarkupObjectTest.h"
#include "toolkit/markup/support/MarkupTestTypes.h"

namespace {
// An object on the stack that counts its final releases instead of
// deleting itself.
class CCountedFinalRelease : public CKvoMarkupObject {
public:
    void OnFinalRelease() override { ++finalReleases; }
    int finalReleases = 0;
};
}

using KvoMarkupObjectTest = MarkupObjectTest;

TEST_F(KvoMarkupObjectTest, ReferenceCountStartsAtOneAndStopsAtZero)
{
    CCountedFinalRelease object;
    EXPECT_EQ(object.AddRef(), 2);
    EXPECT_EQ(object.Release(), 1);
    EXPECT_EQ(object.Release(), 0);
    EXPECT_EQ(object.finalReleases, 1);
    // Already at 0: nothing more happens.
    EXPECT_EQ(object.Release(), 0);
    EXPECT_EQ(object.finalReleases, 1);
}

TEST_F(KvoMarkupObjectTest, KindFollowsTheBaseChain)
{
    CKvoMarkupPtr<CKvoMarkupObject> panel(CTestMarkupPanel::s_type->CreateObject());
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->GetType(), CTestMarkupPanel::s_type);
    EXPECT_TRUE(panel->IsKindOf(CTestMarkupPanel::s_type));
    EXPECT_TRUE(panel->IsKindOf(CTestMarkupElement::s_type));
    EXPECT_TRUE(panel->IsKindOf(CKvoMarkupObject::s_type));
    EXPECT_FALSE(panel->IsKindOf(CTestMarkupOther::s_type));
    EXPECT_FALSE(panel->IsKindOf(nullptr));

    EXPECT_EQ(MarkupDynamicCast(CTestMarkupElement::s_type, panel.Get()), panel.Get());
    EXPECT_EQ(MarkupDynamicCast(CKvoMarkupInt::s_type, panel.Get()), nullptr);
    EXPECT_EQ(MarkupDynamicCast(CKvoMarkupObject::s_type, nullptr), nullptr);
}

TEST_F(KvoMarkupObjectTest, DefaultsOfTheRootClass)
{
    CKvoMarkupPtr<CKvoMarkupObject> object(CKvoMarkupObject::s_type->CreateObject());
    CKvoMarkupPtr<CKvoMarkupObject> other(CKvoMarkupObject::s_type->CreateObject());
    EXPECT_EQ(object->GetLogicalParent(), nullptr);
    EXPECT_EQ(object->GetTagText(), nullptr);
    EXPECT_EQ(object->GetProperties(), nullptr);
    EXPECT_TRUE(object->IsEqual(object.Get()));
    EXPECT_FALSE(object->IsEqual(other.Get()));
    EXPECT_EQ(object->GetHashCode(), static_cast<UINT>(reinterpret_cast<UINT_PTR>(object.Get())));
    EXPECT_EQ(object->GetLogicalChildrenCount(), 0);
    EXPECT_EQ(object->GetLogicalChild(0), nullptr);
    EXPECT_FALSE(object->HasContentObject());
    EXPECT_FALSE(object->AllowWhiteSpaceContent());
    CKvoMarkupPtr<CKvoMarkupString> text(CKvoMarkupString::CreateString(L"x"));
    EXPECT_EQ(object->ConvertFrom(text.Get()), nullptr);

    object->SetLogicalParent(other.Get());
    EXPECT_EQ(object->GetLogicalParent(), other.Get());
    object->SetTagText(L"Object");
    EXPECT_STREQ(object->GetTagText(), L"Object");
}

// Content that an object refuses is released with the refusal.
TEST_F(KvoMarkupObjectTest, ContentIsRefusedWithTheClassName)
{
    CKvoMarkupPtr<CKvoMarkupObject> element(CTestMarkupElement::s_type->CreateObject());
    EXPECT_EQ(CatchMarkupBuildError([&] { element->SetContentObject(nullptr, new CKvoMarkupInt(3)); }),
              L"Cannot add content to an object of type 'CTestMarkupElement'");
    EXPECT_EQ(CatchMarkupBuildError(
                  [&] { element->SetContentObject(nullptr, CKvoMarkupString::CreateString(L"Hello there")); }),
              L"Cannot convert the string 'Hello there' into a 'CTestMarkupElement' object");
}

TEST_F(KvoMarkupObjectTest, BuildErrorKeeps255Characters)
{
    // Formatted whole first (an inserted text may be 1,023 characters), cut
    // by the exception.
    CStringW longText(L'a', 1023);
    CStringW message;
    message.Format(L"Cannot convert the string '%ls' into a '%ls' object", longText.GetString(), L"CKvoMarkupInt");
    EXPECT_EQ(message.GetLength(), 1023 + 58);

    CKvoMarkupBuilderException error(message);
    WCHAR buffer[512];
    UINT helpContext = 99;
    ASSERT_TRUE(error.GetErrorMessage(buffer, _countof(buffer), &helpContext));
    EXPECT_EQ(helpContext, 0u);
    EXPECT_EQ(CStringW(buffer), message.Left(255));

    WCHAR small[8];
    ASSERT_TRUE(error.GetErrorMessage(small, _countof(small)));
    EXPECT_STREQ(small, L"Cannot ");
    helpContext = 99;
    EXPECT_FALSE(error.GetErrorMessage(nullptr, 10, &helpContext));
    EXPECT_EQ(helpContext, 0u);
}

TEST_F(KvoMarkupObjectTest, ThrownBuildErrorCarriesItsMessage)
{
    EXPECT_EQ(CatchMarkupBuildError([] { ThrowMarkupBuildError(L"Root element is missing"); }),
              L"Root element is missing");
    CKvoMarkupBuilderException* caught = nullptr;
    try {
        ThrowMarkupBuildError(L"x");
    } catch (CException* error) {
        caught = dynamic_cast<CKvoMarkupBuilderException*>(error);
        error->Delete();
    }
    EXPECT_NE(caught, nullptr) << "caught as the framework's exception";
}
