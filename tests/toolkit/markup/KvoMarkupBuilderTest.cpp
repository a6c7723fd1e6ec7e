#include <gtest/gtest.h>
#include "markup/builder/KvoMarkupBuilder.h"
#include "markup/core/KvoMarkupPtr.h"
#include "markup/values/KvoMarkupEnum.h"
#include "markup/values/KvoMarkupInt.h"
#include "markup/values/KvoMarkupString.h"
#include "toolkit/markup/support/MarkupObjectTest.h"
#include "toolkit/markup/support/MarkupTestTypes.h"

using KvoMarkupBuilderTest = MarkupObjectTest;

// The property's converter first, then the value type's own conversion on a
// scratch object; the value passed stays the caller's.
TEST_F(KvoMarkupBuilderTest, ConvertValueTriesConverterThenValueType)
{
    CKvoMarkupBuilder builder(nullptr);
    CKvoMarkupPtr<CKvoMarkupString> on(CKvoMarkupString::CreateString(L"On"));
    CKvoMarkupPtr<CKvoMarkupObject> mode(builder.ConvertValue(CTestMarkupElement::s_modeProperty, on.Get()));
    CKvoMarkupPtr<CKvoMarkupEnum> one(CKvoMarkupEnum::GetShared(1));
    EXPECT_EQ(mode.Get(), one.Get());

    CKvoMarkupPtr<CKvoMarkupString> twelve(CKvoMarkupString::CreateString(L"12"));
    CKvoMarkupPtr<CKvoMarkupObject> size(builder.ConvertValue(CTestMarkupElement::s_sizeProperty, twelve.Get()));
    ASSERT_TRUE(size);
    EXPECT_EQ(size->GetType(), CKvoMarkupInt::s_type);
    EXPECT_EQ(static_cast<CKvoMarkupInt*>(size.Get())->GetValue(), 12);

    // An Enum has no text form of its own: the converter is the only way.
    CKvoMarkupPtr<CKvoMarkupString> off(CKvoMarkupString::CreateString(L"Off"));
    EXPECT_EQ(CatchMarkupBuildError([&] { builder.ConvertValue(CTestMarkupElement::s_modeProperty, off.Get()); }),
              L"Cannot convert string in attribute 'Mode' to object of type 'CKvoMarkupEnum'");
}
