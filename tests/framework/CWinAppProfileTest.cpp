// The application's settings, stored in the registry (after
// SetRegistryKey) or in an INI file, read back through the same calls.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <stdlib.h>

#include <memory>
#include <string>
#include <vector>

#include "../support/ScratchFolder.h"

namespace
{

const wchar_t kProfileCompany[] = L"JwFrameworkProfileTests";
const wchar_t kProfileAppKey[] = L"Software\\JwFrameworkProfileTests\\ProfileApp";

} // namespace

class CProfileTestApp : public CWinApp
{
public:
    CProfileTestApp() : CWinApp(L"ProfileApp")
    {
    }
    using CWinApp::SetRegistryKey;

    void UseIniFile(const std::wstring& path)
    {
        ::free(const_cast<LPTSTR>(m_pszProfileName));
        m_pszProfileName = ::_wcsdup(path.c_str());
    }
};

enum class ProfileStore
{
    Registry,
    IniFile
};

class WinAppProfile : public testing::TestWithParam<ProfileStore>
{
protected:
    void SetUp() override
    {
        DeleteScratchKey();
        if (GetParam() == ProfileStore::Registry)
            m_app.SetRegistryKey(kProfileCompany);
        else
            m_app.UseIniFile(m_folder.At(L"Profile.ini"));
    }
    void TearDown() override
    {
        DeleteScratchKey();
    }
    static void DeleteScratchKey()
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\JwFrameworkProfileTests");
    }

    std::vector<BYTE> ReadBinary(LPCWSTR lpszSection, LPCWSTR lpszEntry, BOOL* pbFound)
    {
        LPBYTE pData = NULL;
        UINT nBytes = 0;
        *pbFound = m_app.GetProfileBinary(lpszSection, lpszEntry, &pData, &nBytes);
        std::unique_ptr<BYTE[]> owner(pData);
        return std::vector<BYTE>(pData, pData + nBytes);
    }

    ScratchFolder m_folder;
    CProfileTestApp m_app;
};

INSTANTIATE_TEST_SUITE_P(Stores, WinAppProfile, testing::Values(ProfileStore::Registry, ProfileStore::IniFile));

TEST_P(WinAppProfile, ValuesRoundTrip)
{
    const int values[] = {0, 1, -1, 0x7FFFFFFF, INT_MIN};
    for (int nValue : values)
    {
        ASSERT_TRUE(m_app.WriteProfileInt(L"Numbers", L"Value", nValue));
        EXPECT_EQ(nValue, static_cast<int>(m_app.GetProfileInt(L"Numbers", L"Value", 42)));
    }

    const LPCWSTR texts[] = {L"", L"plain", L"\x30D7\x30EC\x30D3\x30E5\x30FC", L"a=b;c"};
    for (LPCWSTR lpszText : texts)
    {
        ASSERT_TRUE(m_app.WriteProfileString(L"Texts", L"Value", lpszText));
        EXPECT_STREQ(lpszText, m_app.GetProfileString(L"Texts", L"Value", L"default"));
    }
    std::wstring longText(1000, L'x');
    ASSERT_TRUE(m_app.WriteProfileString(L"Texts", L"Long", longText.c_str()));
    EXPECT_EQ(longText, std::wstring(m_app.GetProfileString(L"Texts", L"Long").GetString()));

    // A window placement is stored whole, zero bytes and all.
    std::vector<BYTE> placement(sizeof(WINDOWPLACEMENT));
    for (size_t i = 0; i < placement.size(); ++i)
        placement[i] = static_cast<BYTE>(i * 37);
    placement[3] = 0;
    ASSERT_TRUE(m_app.WriteProfileBinary(L"Window", L"WindowPlacement", placement.data(),
                                         static_cast<UINT>(placement.size())));
    BOOL bFound = FALSE;
    EXPECT_EQ(placement, ReadBinary(L"Window", L"WindowPlacement", &bFound));
    EXPECT_TRUE(bFound);
}

TEST_P(WinAppProfile, MissingEntriesGiveTheDefault)
{
    EXPECT_EQ(42u, m_app.GetProfileInt(L"Nowhere", L"Value", 42));
    EXPECT_STREQ(L"default", m_app.GetProfileString(L"Nowhere", L"Value", L"default"));
    EXPECT_STREQ(L"", m_app.GetProfileString(L"Nowhere", L"Value"));
    BOOL bFound = TRUE;
    EXPECT_TRUE(ReadBinary(L"Nowhere", L"Value", &bFound).empty());
    EXPECT_FALSE(bFound);
}

TEST_P(WinAppProfile, NullValueRemovesTheEntryAndNullEntryTheSection)
{
    ASSERT_TRUE(m_app.WriteProfileString(L"Gone", L"First", L"1"));
    ASSERT_TRUE(m_app.WriteProfileString(L"Gone", L"Second", L"2"));
    ASSERT_TRUE(m_app.WriteProfileString(L"Kept", L"Third", L"3"));

    EXPECT_TRUE(m_app.WriteProfileString(L"Gone", L"First", NULL));
    EXPECT_STREQ(L"none", m_app.GetProfileString(L"Gone", L"First", L"none"));
    EXPECT_STREQ(L"2", m_app.GetProfileString(L"Gone", L"Second", L"none"));

    EXPECT_TRUE(m_app.WriteProfileString(L"Gone", NULL, NULL));
    EXPECT_STREQ(L"none", m_app.GetProfileString(L"Gone", L"Second", L"none"));
    EXPECT_STREQ(L"3", m_app.GetProfileString(L"Kept", L"Third", L"none"));
}

TEST(WinAppProfileStore, RegistryValuesLiveUnderTheApplicationKeyWithTheirTypes)
{
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\JwFrameworkProfileTests");
    {
        CProfileTestApp app;
        app.SetRegistryKey(kProfileCompany);
        EXPECT_STREQ(L"ProfileApp", app.m_pszProfileName);
        ASSERT_TRUE(app.WriteProfileInt(L"Section", L"Number", 7));
        ASSERT_TRUE(app.WriteProfileString(L"Section", L"Text", L"seven"));
        BYTE bytes[] = {1, 2, 3};
        ASSERT_TRUE(app.WriteProfileBinary(L"Section", L"Bytes", bytes, sizeof(bytes)));

        // Another type under the entry's name is not the value asked for.
        EXPECT_EQ(5u, app.GetProfileInt(L"Section", L"Text", 5));
        EXPECT_STREQ(L"fallback", app.GetProfileString(L"Section", L"Number", L"fallback"));
    }
    std::wstring section = std::wstring(kProfileAppKey) + L"\\Section";
    DWORD dwType = 0;
    DWORD dwNumber = 0;
    DWORD cbData = sizeof(dwNumber);
    EXPECT_EQ(ERROR_SUCCESS, ::RegGetValueW(HKEY_CURRENT_USER, section.c_str(), L"Number", RRF_RT_ANY, &dwType,
                                            &dwNumber, &cbData));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), dwType);
    EXPECT_EQ(7u, dwNumber);
    BYTE bytes[8] = {};
    cbData = sizeof(bytes);
    EXPECT_EQ(ERROR_SUCCESS,
              ::RegGetValueW(HKEY_CURRENT_USER, section.c_str(), L"Bytes", RRF_RT_ANY, &dwType, bytes, &cbData));
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), dwType);
    EXPECT_EQ(3u, cbData);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\JwFrameworkProfileTests");
}

TEST(WinAppProfileStore, IniBinaryThatIsNotWholeBytesIsNotRead)
{
    ScratchFolder folder;
    std::wstring path = folder.At(L"Damaged.ini");
    CProfileTestApp app;
    app.UseIniFile(path);
    const LPCWSTR damaged[] = {L"ABC", L"AZ", L"ab"};
    for (LPCWSTR lpszText : damaged)
    {
        ASSERT_TRUE(::WritePrivateProfileStringW(L"Window", L"Bytes", lpszText, path.c_str()));
        LPBYTE pData = NULL;
        UINT nBytes = 7;
        EXPECT_FALSE(app.GetProfileBinary(L"Window", L"Bytes", &pData, &nBytes)) << lpszText;
        EXPECT_EQ(nullptr, pData);
        EXPECT_EQ(0u, nBytes);
    }
}
