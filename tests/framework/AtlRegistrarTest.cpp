// The registrar: scripts written into a scratch key of HKEY_CURRENT_USER and
// taken out again.
#include <atlbase.h>
#include <atlregkey.h>
#include <statreg.h>

#include <gtest/gtest.h>

#include <string>

namespace
{

const wchar_t kTestsKey[] = L"Software\\JwFrameworkTests";
const wchar_t kRegistrarScratch[] = L"Software\\JwFrameworkTests\\Registrar";

class Registrar : public testing::Test
{
protected:
    void SetUp() override
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestsKey);
        m_registrar.AddReplacement(L"Module", L"C:\\Jw''s\\Server.dll");
        m_registrar.AddReplacement(L"CLSID", L"{11111111-2222-3333-4444-555555555555}");
    }
    void TearDown() override
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestsKey);
    }

    // The script's keys live below the scratch key.
    static std::wstring Script(const std::wstring& keys)
    {
        return L"HKCU { NoRemove Software { NoRemove JwFrameworkTests { NoRemove Registrar { " + keys + L" } } } }";
    }
    static std::wstring Path(const std::wstring& relative)
    {
        return std::wstring(kRegistrarScratch) + (relative.empty() ? L"" : L"\\" + relative);
    }
    static bool HasKey(const std::wstring& relative)
    {
        CRegKey key;
        return key.Open(HKEY_CURRENT_USER, Path(relative).c_str(), KEY_READ) == ERROR_SUCCESS;
    }
    static std::wstring Value(const std::wstring& relative, const wchar_t* name = NULL)
    {
        CRegKey key;
        wchar_t text[256] = L"(none)";
        ULONG cch = 256;
        if (key.Open(HKEY_CURRENT_USER, Path(relative).c_str(), KEY_READ) != ERROR_SUCCESS ||
            key.QueryStringValue(name, text, &cch) != ERROR_SUCCESS)
            return L"(none)";
        return text;
    }
    static void Write(const std::wstring& relative, const wchar_t* name, const wchar_t* text)
    {
        CRegKey key;
        ASSERT_EQ(ERROR_SUCCESS, key.Create(HKEY_CURRENT_USER, Path(relative).c_str()));
        ASSERT_EQ(ERROR_SUCCESS, key.SetStringValue(name, text));
    }

    CRegObject m_registrar;
};

const wchar_t kServerKeys[] =
    L"ForceRemove '%clsid%' = s 'Sample Class' "
    L"{ "
    L"  ForceRemove Programmable "
    L"  InprocServer32 = s '%MODULE%' { val ThreadingModel = s 'Apartment' } "
    L"  'Odd ''Name''' = s '100%%' "
    L"} "
    L"'.jww' { ShellEx { '{HANDLER}' = s '%CLSID%' } }";

TEST_F(Registrar, WritesKeysValuesAndReplacements)
{
    ASSERT_EQ(S_OK, m_registrar.StringRegister(Script(kServerKeys).c_str()));
    const std::wstring clsid = L"{11111111-2222-3333-4444-555555555555}";
    EXPECT_EQ(L"Sample Class", Value(clsid));
    EXPECT_TRUE(HasKey(clsid + L"\\Programmable"));
    // The doubled quotes of the "Module" replacement stand for one.
    EXPECT_EQ(L"C:\\Jw's\\Server.dll", Value(clsid + L"\\InprocServer32"));
    EXPECT_EQ(L"Apartment", Value(clsid + L"\\InprocServer32", L"ThreadingModel"));
    EXPECT_EQ(L"100%", Value(clsid + L"\\Odd 'Name'"));
    EXPECT_EQ(clsid, Value(L".jww\\ShellEx\\{HANDLER}"));
}

TEST_F(Registrar, ForceRemoveKeysAreWrittenAfreshOnEveryRegistration)
{
    ASSERT_EQ(S_OK, m_registrar.StringRegister(Script(kServerKeys).c_str()));
    const std::wstring clsid = L"{11111111-2222-3333-4444-555555555555}";
    Write(clsid + L"\\Stale", NULL, L"left over");
    Write(L".jww\\ShellEx\\Other", NULL, L"kept");
    ASSERT_EQ(S_OK, m_registrar.StringRegister(Script(kServerKeys).c_str()));
    EXPECT_FALSE(HasKey(clsid + L"\\Stale"));
    EXPECT_EQ(L"kept", Value(L".jww\\ShellEx\\Other"));
    EXPECT_EQ(L"Sample Class", Value(clsid));
}

TEST_F(Registrar, UnregistrationKeepsWhatOthersPutThere)
{
    ASSERT_EQ(S_OK, m_registrar.StringRegister(Script(kServerKeys).c_str()));
    const std::wstring clsid = L"{11111111-2222-3333-4444-555555555555}";
    Write(clsid + L"\\Foreign", NULL, L"gone with its ForceRemove parent");
    Write(L".jww", NULL, L"JwwFile");
    ASSERT_EQ(S_OK, m_registrar.StringUnregister(Script(kServerKeys).c_str()));

    EXPECT_FALSE(HasKey(clsid));
    EXPECT_FALSE(HasKey(L".jww\\ShellEx"));
    // A plain key with a value the script did not write stays.
    EXPECT_EQ(L"JwwFile", Value(L".jww"));
    // NoRemove keys stay even when empty.
    EXPECT_TRUE(HasKey(L""));
    // Taking out what is already gone is no failure.
    EXPECT_EQ(S_OK, m_registrar.StringUnregister(Script(kServerKeys).c_str()));
}

TEST_F(Registrar, UnregistrationRemovesTheScriptsValuesAndEmptyKeys)
{
    const std::wstring script = Script(L"Settings = s 'own' { val Mode = s 'fast' val Size = s '3' }");
    ASSERT_EQ(S_OK, m_registrar.StringRegister(script.c_str()));
    EXPECT_EQ(L"fast", Value(L"Settings", L"Mode"));
    Write(L"Settings", L"Foreign", L"stays");
    ASSERT_EQ(S_OK, m_registrar.StringUnregister(script.c_str()));
    EXPECT_EQ(L"(none)", Value(L"Settings", L"Mode"));
    EXPECT_EQ(L"(none)", Value(L"Settings"));
    EXPECT_EQ(L"stays", Value(L"Settings", L"Foreign"));

    ATL::CRegKey key;
    ASSERT_EQ(ERROR_SUCCESS, key.Open(HKEY_CURRENT_USER, Path(L"Settings").c_str()));
    key.DeleteValue(L"Foreign");
    key.Close();
    ASSERT_EQ(S_OK, m_registrar.StringUnregister(script.c_str()));
    EXPECT_FALSE(HasKey(L"Settings"));
}

TEST_F(Registrar, MalformedScriptsChangeNothing)
{
    const wchar_t* const scripts[] = {
        L"HKXX { Key }",                                      // unknown root
        L"HKCU { NoRemove Software { 'JwFrameworkTests' }",   // unclosed brace
        L"HKCU { NoRemove Software { 'JwFrameworkTests }}",   // unclosed quote
        L"HKCU { Software { JwFrameworkTests = d '1' } }",    // a value type other than s
        L"HKCU { Software { JwFrameworkTests = s unquoted } }",
        L"HKCU { val Name = s 'x' }",                         // a value with no key
        L"HKCU { Software { JwFrameworkTests = s '%NOWHERE%' } }", // unknown replacement
        L"HKCU { Software { JwFrameworkTests = s '50% off' } }",
        L"HKCU { ForceRemove }",
    };
    for (const wchar_t* script : scripts)
    {
        EXPECT_EQ(DISP_E_EXCEPTION, m_registrar.StringRegister(script)) << testing::PrintToString(std::wstring(script));
        CRegKey key;
        EXPECT_NE(ERROR_SUCCESS, key.Open(HKEY_CURRENT_USER, kTestsKey, KEY_READ));
    }
}

TEST_F(Registrar, ReplacementNamesIgnoreCaseAndTheLastOneWins)
{
    m_registrar.AddReplacement(L"module", L"D:\\Other.dll");
    ASSERT_EQ(S_OK, m_registrar.StringRegister(Script(L"Server = s '%Module%'").c_str()));
    EXPECT_EQ(L"D:\\Other.dll", Value(L"Server"));
    m_registrar.ClearReplacements();
    EXPECT_EQ(DISP_E_EXCEPTION, m_registrar.StringRegister(Script(L"Server = s '%Module%'").c_str()));
}

TEST_F(Registrar, ResourceScriptsComeFromAModuleFile)
{
    wchar_t path[MAX_PATH];
    ASSERT_NE(0u, ::GetModuleFileNameW(NULL, path, MAX_PATH));
    // The test program carries no registry scripts.
    EXPECT_TRUE(FAILED(m_registrar.ResourceRegister(path, 101, L"REGISTRY")));
    EXPECT_TRUE(FAILED(m_registrar.ResourceRegister(L"Z:\\no\\such\\module.dll", 101, L"REGISTRY")));
    EXPECT_EQ(E_INVALIDARG, m_registrar.ResourceRegister(NULL, 101, L"REGISTRY"));
}

} // namespace
