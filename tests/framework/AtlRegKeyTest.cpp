// CRegKey, on a scratch key of HKEY_CURRENT_USER.
#include <atlbase.h>
#include <atlregkey.h>

#include <gtest/gtest.h>

namespace
{

const wchar_t kRegKeyScratch[] = L"Software\\JwFrameworkTests\\RegKey";

class RegKey : public testing::Test
{
protected:
    void SetUp() override
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kRegKeyScratch);
        ASSERT_EQ(ERROR_SUCCESS, m_key.Create(HKEY_CURRENT_USER, kRegKeyScratch));
    }
    void TearDown() override
    {
        m_key.Close();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\JwFrameworkTests");
    }

    CRegKey m_key;
};

} // namespace

TEST_F(RegKey, QueryStringValueAlwaysTerminatesAndReportsTheSizeNeeded)
{
    ASSERT_EQ(ERROR_SUCCESS, m_key.SetStringValue(L"Name", L"abcdef"));
    wchar_t text[16];
    ULONG cch = 16;
    ASSERT_EQ(ERROR_SUCCESS, m_key.QueryStringValue(L"Name", text, &cch));
    EXPECT_STREQ(L"abcdef", text);
    EXPECT_EQ(7u, cch);

    cch = 4;
    EXPECT_EQ(ERROR_MORE_DATA, m_key.QueryStringValue(L"Name", text, &cch));
    EXPECT_GE(cch, 7u);

    // Stored without its null: the text still comes back terminated, or the
    // buffer is reported too small.
    const wchar_t raw[] = {L'x', L'y', L'z'};
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExW(m_key, L"Raw", 0, REG_SZ, reinterpret_cast<const BYTE*>(raw), sizeof(raw)));
    cch = 16;
    ASSERT_EQ(ERROR_SUCCESS, m_key.QueryStringValue(L"Raw", text, &cch));
    EXPECT_STREQ(L"xyz", text);
    cch = 3;
    EXPECT_EQ(ERROR_MORE_DATA, m_key.QueryStringValue(L"Raw", text, &cch));
    EXPECT_GE(cch, 4u);

    DWORD number = 5;
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExW(m_key, L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number)));
    cch = 16;
    EXPECT_EQ(ERROR_INVALID_DATA, m_key.QueryStringValue(L"Number", text, &cch));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, m_key.QueryStringValue(L"Missing", text, &cch));
}

TEST_F(RegKey, DeletesSubkeysAlone)
{
    CRegKey child;
    ASSERT_EQ(ERROR_SUCCESS, child.Create(m_key, L"A\\B"));
    child.Close();
    EXPECT_NE(ERROR_SUCCESS, m_key.DeleteSubKey(L"A")) << "A still has a subkey";
    EXPECT_EQ(ERROR_SUCCESS, m_key.RecurseDeleteKey(L"A"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, child.Open(m_key, L"A"));
    EXPECT_EQ(NULL, static_cast<HKEY>(child));
}
