#include <gtest/gtest.h>
#include <cstring>
#include <wchar.h>
#include "app/LibraryLocale.h"

// Full-width letters fold only under a Japanese locale; the process's own
// locale (shared with the host through the C run-time) stays as it was.
TEST(LibraryLocale, JapaneseForTheLibraryOnly)
{
    const char* before = setlocale(LC_ALL, nullptr);
    std::string processLocale = before ? before : "";
    CLibraryLocale locale;
    ASSERT_TRUE(locale.Create("Japanese"));
    EXPECT_EQ(_wcsicmp_l(L"\xFF21\xFF22", L"\xFF41\xFF42", locale.Get()), 0);
    EXPECT_NE(_wcsicmp(L"\xFF21\xFF22", L"\xFF41\xFF42"), 0);
    EXPECT_EQ(setlocale(LC_ALL, nullptr), processLocale);
}

TEST(LibraryLocale, UnknownNameKeepsThePreviousLocale)
{
    CLibraryLocale locale;
    ASSERT_TRUE(locale.Create("Japanese"));
    _locale_t japanese = locale.Get();
    EXPECT_FALSE(locale.Create("No-such-language_Nowhere.1"));
    EXPECT_EQ(locale.Get(), japanese);
}
