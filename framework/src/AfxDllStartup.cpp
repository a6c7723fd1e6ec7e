// Start-up and shutdown of a module: AfxWinInit records it, the DLL entry
// runs the application's InitInstance and ExitInstance.
#include <afxwin.h>

namespace
{

// Set while the application is initialised, so ExitInstance runs once.
bool _afxAppInitialized = false;

wchar_t _afxEmptyCommandLine[] = L"";

bool RunInitInstance(CWinApp* pApp)
{
    try
    {
        return pApp->InitInstance() != FALSE;
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    return false;
}

void RunExitInstance(CWinApp* pApp)
{
    try
    {
        pApp->ExitInstance();
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
}

} // namespace

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow)
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    pState->m_hCurrentInstanceHandle = hInstance;
    CWinApp* pApp = pState->m_pCurrentWinApp;
    if (pApp != NULL)
    {
        pApp->m_hInstance = hInstance;
        pApp->m_lpCmdLine = lpCmdLine;
        pApp->m_nCmdShow = nCmdShow;
        pApp->SetCurrentHandles();
    }
    return TRUE;
}

void AFXAPI AfxWinTerm(bool bProcessExit)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL)
        pApp->FreeLangResourceDLL(bProcessExit);
}

BOOL AFXAPI AfxDllProcessAttach(HINSTANCE hInstance)
{
    AfxWinInit(hInstance, NULL, _afxEmptyCommandLine, SW_SHOWNORMAL);
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return TRUE;
    if (RunInitInstance(pApp))
    {
        _afxAppInitialized = true;
        return TRUE;
    }
    RunExitInstance(pApp);
    AfxWinTerm(false);
    return FALSE;
}

void AFXAPI AfxDllProcessDetach(bool bProcessExit)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && _afxAppInitialized)
    {
        _afxAppInitialized = false;
        RunExitInstance(pApp);
    }
    AfxWinTerm(bProcessExit);
}
