// A DLL built like the library: static objects, one application object and
// the framework's DllMain. Every step appends its name to the environment
// variable FW_STARTUP_LOG (process-wide, so it outlives the DLL), and the
// environment steers InitInstance:
//   FW_STARTUP_FAIL  - InitInstance returns FALSE
//   FW_STARTUP_THROW - InitInstance throws a CException
//   FW_STARTUP_LANG  - InitInstance loads the DLL it names as its language
//                      module and makes it the resource module
#include <afxwin.h>

#include <string>

namespace
{

const wchar_t szLogVariable[] = L"FW_STARTUP_LOG";

std::wstring Environment(const wchar_t* lpszName)
{
    wchar_t szValue[MAX_PATH] = {};
    DWORD nLength = ::GetEnvironmentVariableW(lpszName, szValue, MAX_PATH);
    return nLength > 0 && nLength < MAX_PATH ? std::wstring(szValue, nLength) : std::wstring();
}

void Log(const std::wstring& strEvent)
{
    std::wstring strLog = Environment(szLogVariable) + strEvent + L";";
    ::SetEnvironmentVariableW(szLogVariable, strLog.c_str());
}

class CStaticProbe
{
public:
    explicit CStaticProbe(const wchar_t* lpszName) : m_strName(lpszName)
    {
        Log(m_strName);
    }
    ~CStaticProbe()
    {
        Log(L"~" + m_strName);
    }

private:
    std::wstring m_strName;
};

CStaticProbe g_probeBefore(L"static1");

} // namespace

class CStartupApp : public CWinApp
{
public:
    CStartupApp()
    {
        Log(L"app");
    }

    BOOL InitInstance() override
    {
        CWinApp::InitInstance();
        AfxEnableControlContainer();
        Log(AfxGetApp() == this && AfxGetThread() == this ? L"init" : L"init-unregistered");
        if (!Environment(L"FW_STARTUP_THROW").empty())
            AfxThrowMemoryException();
        std::wstring strLang = Environment(L"FW_STARTUP_LANG");
        if (!strLang.empty())
        {
            m_hLangResourceDLL = ::LoadLibraryW(strLang.c_str());
            AfxSetResourceHandle(m_hLangResourceDLL);
            ATL::_AtlBaseModule.SetResourceInstance(m_hLangResourceDLL);
        }
        return Environment(L"FW_STARTUP_FAIL").empty();
    }

    int ExitInstance() override
    {
        Log(L"exit");
        return CWinApp::ExitInstance();
    }
};

CStartupApp theApp;

namespace
{

CStaticProbe g_probeAfter(L"static2");

} // namespace

extern "C" __declspec(dllexport) LPCWSTR StartupAppName()
{
    return theApp.m_pszAppName;
}

extern "C" __declspec(dllexport) LPCWSTR StartupExeName()
{
    return theApp.m_pszExeName;
}

extern "C" __declspec(dllexport) HINSTANCE StartupInstanceHandle()
{
    return AfxGetInstanceHandle();
}

extern "C" __declspec(dllexport) HINSTANCE StartupResourceHandle()
{
    return AfxGetResourceHandle();
}

extern "C" __declspec(dllexport) HINSTANCE StartupAppInstance()
{
    return theApp.m_hInstance;
}

// A string loaded the way the library loads its UI texts.
extern "C" __declspec(dllexport) BSTR StartupLoadString(UINT nID)
{
    CString str;
    str.LoadString(nID);
    return str.AllocSysString();
}
