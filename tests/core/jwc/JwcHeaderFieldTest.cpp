// The comma-separated fields of the 200-byte header texts.
#include <gtest/gtest.h>

#include <string>

#include "reader/BCN_CImpJWC.h"

namespace {

// text padded with NULs to the 200 bytes of a header text.
std::string HeaderText(const std::string& text)
{
    std::string padded = text;
    padded.resize(200, '\0');
    return padded;
}

TEST(JwcHeaderField, FieldsEndAtCommasAndNuls)
{
    struct Case {
        std::string text;
        int field;
        double value;
    } cases[] = {
        {"12,34.5,,7", 1, 12},  {"12,34.5,,7", 2, 34.5}, {"12,34.5,,7", 3, 0},
        {"12,34.5,,7", 4, 7},   {"12,34.5,,7", 5, 0},    {std::string("5\0" "6,7", 5), 2, 6},
        {"-3,1e2", 2, 100},     {"9", 300, 0},
        {std::string(31, '1') + ",2", 1, 1111111111111111111111111111111.0},
        {std::string(32, '1') + ",2", 1, 0},             {std::string(32, '1') + ",2", 2, 2},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(BCN_CImpJWC::GetHeaderField(HeaderText(c.text).data(), c.field), c.value) << c.field;
}

// A text that fills all 200 bytes ends its last field with the text.
TEST(JwcHeaderField, LastFieldEndsWithTheText)
{
    std::string text(198, ',');
    text += "42";
    EXPECT_EQ(BCN_CImpJWC::GetHeaderField(text.data(), 199), 42);
    EXPECT_EQ(BCN_CImpJWC::GetHeaderField(std::string(200, '8').data(), 1), 0);
}

}  // namespace
