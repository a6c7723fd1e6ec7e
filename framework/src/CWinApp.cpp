#include <afxwin.h>

#include <stdlib.h>
#include <wchar.h>

#include "AfxThreadState.h"
#include "FileSupport.h"
#include "ModulePath.h"

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace
{

LPTSTR Duplicate(LPCTSTR lpsz)
{
    return lpsz != NULL ? ::_wcsdup(lpsz) : NULL;
}

// The file name of a module without folder and extension.
CString ModuleBaseName(HINSTANCE hInstance)
{
    return afxfile::FileTitleOf(ATL::AtlModulePath(hInstance).c_str());
}

} // namespace

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : m_pszAppName(Duplicate(lpszAppName)), m_pszExeName(NULL), m_hInstance(NULL), m_lpCmdLine(NULL),
      m_nCmdShow(SW_SHOWNORMAL), m_hLangResourceDLL(NULL), m_pszRegistryKey(NULL), m_pszProfileName(NULL)
{
    m_bAutoDelete = FALSE;
    m_nThreadID = ::GetCurrentThreadId();
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    ATLASSERT(pState->m_pCurrentWinApp == NULL);
    pState->m_pCurrentWinApp = this;
    pState->m_lpszCurrentAppName = m_pszAppName;
    AfxSetCurrentThread(this);
}

CWinApp::~CWinApp()
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    if (pState->m_pCurrentWinApp == this)
    {
        pState->m_pCurrentWinApp = NULL;
        pState->m_lpszCurrentAppName = NULL;
    }
    AfxForgetCurrentThread(this);
    ::free(const_cast<LPTSTR>(m_pszAppName));
    ::free(const_cast<LPTSTR>(m_pszExeName));
    ::free(const_cast<LPTSTR>(m_pszRegistryKey));
    ::free(const_cast<LPTSTR>(m_pszProfileName));
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

void CWinApp::SetCurrentHandles()
{
    CString strBaseName = ModuleBaseName(m_hInstance);
    ::free(const_cast<LPTSTR>(m_pszExeName));
    m_pszExeName = Duplicate(strBaseName);
    if (m_pszAppName == NULL)
        m_pszAppName = Duplicate(strBaseName);
    if (m_pszProfileName == NULL)
        m_pszProfileName = Duplicate(strBaseName + L".INI");
    AfxGetModuleState()->m_lpszCurrentAppName = m_pszAppName;
}

void CWinApp::FreeLangResourceDLL(bool bProcessExit)
{
    HINSTANCE hLang = m_hLangResourceDLL;
    if (hLang == NULL)
        return;
    m_hLangResourceDLL = NULL;
    // Nothing may go on loading from the module once it is gone.
    if (AfxGetResourceHandle() == hLang)
        AfxSetResourceHandle(NULL);
    if (ATL::_AtlBaseModule.GetResourceInstance() == hLang)
        ATL::_AtlBaseModule.SetResourceInstance(NULL);
    ATL::_AtlBaseModule.RemoveResourceInstance(hLang);
    // At process exit the loader unmaps everything itself.
    if (!bProcessExit)
        ::FreeLibrary(hLang);
}

HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const
{
    return ::LoadIconW(AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON), lpszResourceName);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return LoadIcon(MAKEINTRESOURCEW(nIDResource));
}

HICON CWinApp::LoadStandardIcon(LPCTSTR lpszIconName) const
{
    return ::LoadIconW(NULL, lpszIconName);
}

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const
{
    return ::LoadCursorW(AfxFindResourceHandle(lpszResourceName, RT_GROUP_CURSOR), lpszResourceName);
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    return LoadCursor(MAKEINTRESOURCEW(nIDResource));
}

HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const
{
    return ::LoadCursorW(NULL, lpszCursorName);
}
