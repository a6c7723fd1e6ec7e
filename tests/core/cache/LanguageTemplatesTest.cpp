// The info-text templates of both language modules take exactly the
// arguments the library passes them: a specifier that asks for another type
// or one argument too many reads past the arguments, and the tip crashes.
#include <gtest/gtest.h>
#include <string>
#include "FormatSpecifiers.h"
#include "cache/InfoTemplates.h"
#include "support/TestPaths.h"
#include "support/LibraryModule.h"

namespace {
class LanguageTemplatesTest : public ::testing::TestWithParam<const wchar_t*> {};
}

TEST_P(LanguageTemplatesTest, EveryTemplateTakesTheLibrarysArguments)
{
    LibraryModule module(GetParam());
    ASSERT_TRUE(module.IsLoaded());
    for (const InfoTemplate* info : kInfoTemplates) {
        std::wstring format = ResourceString(module.Handle(), info->id);
        SCOPED_TRACE(testing::Message() << "string " << info->id);
        ASSERT_FALSE(format.empty());
        std::string expected = info->arguments;
        if (expected == "T") {
            EXPECT_TRUE(IsTimeSpanFormat(format));
        } else if (!expected.empty()) {
            EXPECT_EQ(PrintfArgumentKinds(format), expected);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Modules, LanguageTemplatesTest, testing::Values(L"TavrenaJPN.dll", L"TavrenaENU.dll"));

// The reading of specifiers itself: what passes and what is caught.
TEST(FormatSpecifiers, KindsOfPrintfSpecifiers)
{
    const struct {
        const wchar_t* format;
        const char* kinds;
    } cases[] = {
        {L"plain text, 100%% sure", ""},
        {L"%s %ls %ws %-10.3s", "ssss"},
        {L"%d %i %5u %x %08X %ld", "dddddd"},
        {L"%.2f %e %G %lf %10.1f", "fffff"},
        {L"%S", "!"},     // narrow string
        {L"%hs", "!"},
        {L"%lld", "!"},   // 64-bit
        {L"%I64d", "!"},
        {L"%Lf", "!"},    // long double
        {L"%c", "!"},
        {L"%p", "!"},
        {L"%n", "!"},
        {L"%*d", "!"},
        {L"%1$s", "!"},
        {L"ends in %", "!"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PrintfArgumentKinds(c.format), c.kinds) << testing::PrintToString(std::wstring(c.format));
}

TEST(FormatSpecifiers, TimeSpanCodes)
{
    EXPECT_TRUE(IsTimeSpanFormat(L"%D days %H:%M:%S"));
    EXPECT_TRUE(IsTimeSpanFormat(L"%S%%"));
    EXPECT_FALSE(IsTimeSpanFormat(L"no codes"));
    EXPECT_FALSE(IsTimeSpanFormat(L"%D %s"));
    EXPECT_FALSE(IsTimeSpanFormat(L"%H %"));
}
