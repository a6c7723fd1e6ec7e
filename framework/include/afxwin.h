// The application and thread objects of the class library, the module state
// (instance and resource handles) and the start-up of a DLL built on it.
//
// DLL start-up: the framework library supplies DllMain. A DLL that links the
// framework, defines one CWinApp object and no DllMain of its own gets it
// from the library; the C run time has constructed every static object by
// the time it runs. At process attach it records the module (AfxWinInit),
// then calls the application's InitInstance; a FALSE result or an exception
// runs ExitInstance at once and fails the load. At process detach it calls
// ExitInstance, restores the module's own resources and frees the language
// resource module the application loaded (m_hLangResourceDLL); the static
// objects are destroyed after that. A DLL with a DllMain of its own may call
// AfxDllProcessAttach and AfxDllProcessDetach from it.
#pragma once

#include <afx.h>
#include <afxmt.h>
#include <atltypes.h>
#include <commctrl.h>

#include "afx/MessageMap.h"

class CWnd;
class CCmdUI;
struct AFX_CMDHANDLERINFO;
class CWinApp;
class CWinThread;

// Base of the classes that receive commands.
class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();
    virtual ~CCmdTarget();

    // The object's reference count, 1 from construction. The release that
    // brings it to 0 calls OnFinalRelease, which deletes the object.
    DWORD InternalAddRef();
    DWORD InternalRelease();
    virtual void OnFinalRelease();

    // The object's COM identity (no aggregation: the external forms are the
    // internal ones). A query answers the interface that GetInterfaceHook
    // gives for the IID, add-referenced, or E_NOINTERFACE.
    DWORD InternalQueryInterface(const void* iid, LPVOID* ppvObj);
    DWORD ExternalQueryInterface(const void* iid, LPVOID* ppvObj);
    DWORD ExternalAddRef();
    DWORD ExternalRelease();

    // Routes a command or notification through the message map: nCode holds
    // the notification code in its low word and the message in its high
    // word (0 for WM_COMMAND); pExtra is the CCmdUI of CN_UPDATE_COMMAND_UI
    // or the AFX_NOTIFY of WM_NOTIFY. TRUE when a handler took it.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    long m_dwRef = 1;

protected:
    // The interface of the IID that the object implements, not
    // add-referenced; NULL (the default) for none.
    virtual LPUNKNOWN GetInterfaceHook(const void* iid);

    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
    // Calls the first entry of the map chain that matches and accepts call;
    // window messages match with code and id 0.
    BOOL DispatchFromMaps(UINT nMessage, UINT nCode, UINT nID, AFX_CALL& call);
};

typedef UINT(__cdecl* AFX_THREADPROC)(LPVOID);

// A thread of the process. A worker thread runs its AFX_THREADPROC; a user
// interface thread (made from a runtime class) runs InitInstance, then its
// message loop until WM_QUIT, then ExitInstance. When the thread ends, an
// auto-deleting object (the default) deletes itself; otherwise the owner
// deletes it, typically after waiting for m_hThread.
class CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    virtual ~CWinThread();

    // Starts the thread; with CREATE_SUSPENDED it waits for ResumeThread.
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);

    operator HANDLE() const
    {
        return m_hThread;
    }
    int GetThreadPriority();
    BOOL SetThreadPriority(int nPriority);
    DWORD SuspendThread();
    DWORD ResumeThread();
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam);

    virtual BOOL InitInstance();
    virtual int Run();
    // Takes one message from the queue (waiting for it) and handles it as
    // Run does; FALSE when it was WM_QUIT, which is then taken.
    virtual BOOL PumpMessage();
    // Offers a window's message to PreTranslateMessage of the windows from
    // its target up to the main window.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual int ExitInstance();
    virtual CWnd* GetMainWnd();
    // Ends the object's life when the thread ends: deletes it when
    // m_bAutoDelete is set.
    virtual void Delete();

    CWnd* m_pMainWnd;
    CWnd* m_pActiveWnd;
    BOOL m_bAutoDelete;
    HANDLE m_hThread;
    DWORD m_nThreadID;
    MSG m_msgCur;
    LPVOID m_pThreadParams;
    AFX_THREADPROC m_pfnThreadProc;

private:
    static unsigned __stdcall ThreadEntry(void* pThread);
    UINT RunThread();
};

// The application object of a module: exactly one, a static object. Its
// constructor registers it as the module's application.
class CWinApp : public CWinThread
{
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR lpszAppName = NULL);
    virtual ~CWinApp();

    // TRUE; an application overrides it with its start-up.
    BOOL InitInstance() override;

    HICON LoadIcon(LPCTSTR lpszResourceName) const;
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const;
    HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const;

    // Application settings. Once SetRegistryKey was called they live under
    // HKEY_CURRENT_USER\Software\<registry key>\<profile name>\<section>;
    // before that in the INI file m_pszProfileName (<exe name>.INI, in the
    // Windows folder unless the name is a path). The getters answer the
    // default when the entry is missing or of another type.
    virtual UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    virtual BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    virtual CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = NULL);
    // A NULL entry removes the whole section, a NULL value the entry.
    virtual BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // *ppData is allocated with new[]; the caller deletes it with delete[].
    virtual BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    virtual BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);
    // The application's key and one section's key, created when missing;
    // NULL without a registry key. The caller closes the key.
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCTSTR lpszSection);

    // Owned copies; the names are set by AfxWinInit from the module's file
    // name when the constructor was given none.
    LPCTSTR m_pszAppName;
    LPCTSTR m_pszExeName;
    HINSTANCE m_hInstance;
    LPTSTR m_lpCmdLine;
    int m_nCmdShow;
    // A language resource module the application loaded; freed at detach.
    HINSTANCE m_hLangResourceDLL;
    // Owned copies (free and _wcsdup to change them): the company or
    // product key under Software (NULL until SetRegistryKey), and the
    // profile: the INI file name, or the application's key name.
    LPCTSTR m_pszRegistryKey;
    LPCTSTR m_pszProfileName;

protected:
    // Moves the settings to the registry; the profile name becomes the
    // application name.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);

private:
    friend BOOL AFXAPI AfxWinInit(HINSTANCE, HINSTANCE, LPTSTR, int);
    friend void AFXAPI AfxWinTerm(bool);
    void SetCurrentHandles();
    void FreeLangResourceDLL(bool bProcessExit);
};

// The state of the module that links the framework. There is one module, so
// AFX_MANAGE_STATE has nothing to switch.
struct AFX_MODULE_STATE
{
    CWinApp* m_pCurrentWinApp;
    HINSTANCE m_hCurrentInstanceHandle;
    HINSTANCE m_hCurrentResourceHandle;
    LPCTSTR m_lpszCurrentAppName;
};

AFX_MODULE_STATE* AFXAPI AfxGetModuleState();
AFX_MODULE_STATE* AFXAPI AfxGetStaticModuleState();
AFX_MODULE_STATE* AFXAPI AfxGetAppModuleState();

class AFX_MAINTAIN_STATE2
{
public:
    explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE*)
    {
    }
};
#define AFX_MANAGE_STATE(p) AFX_MAINTAIN_STATE2 _ctlState(p);

CWinApp* AFXAPI AfxGetApp();
LPCTSTR AFXAPI AfxGetAppName();
// The module itself until AfxWinInit records it (the same module).
HINSTANCE AFXAPI AfxGetInstanceHandle();
// Where resources are loaded from: the module unless AfxSetResourceHandle
// named another (NULL goes back to the module).
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
// Controls are contained by the plain dialog code; nothing to set up.
void AFXAPI AfxEnableControlContainer();

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
void AFXAPI AfxWinTerm(bool bProcessExit);
BOOL AFXAPI AfxDllProcessAttach(HINSTANCE hInstance);
void AFXAPI AfxDllProcessDetach(bool bProcessExit);

// The calling thread's CWinThread: the thread's object for threads the
// framework started, the application on the thread that constructed it,
// NULL on any other thread.
CWinThread* AFXAPI AfxGetThread();
// One message of the calling thread through its CWinThread's PumpMessage,
// or plainly (translated and dispatched) on a thread without one; FALSE for
// WM_QUIT.
BOOL AFXAPI AfxPumpMessage();
CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                                  int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                                  DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority = THREAD_PRIORITY_NORMAL,
                                  UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
// Ends the calling framework thread at once (no unwinding of its stack).
[[noreturn]] void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);

// The string resource nIDS with every "%1" ... "%9" replaced by the
// argument of that number (an empty string when the string is missing);
// a "%" before anything else, or before a number without argument, stays.
void AFXAPI AfxFormatStrings(CString& rString, UINT nIDS, LPCTSTR const* rglpsz, int nString);
void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1);
void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2);

// Temporary objects (FromHandle of a handle no object is attached to) are
// kept while the calling thread holds a lock; the unlock that releases the
// last lock deletes those made under it when bDeleteTemps is set (objects
// made before the first lock stay). TRUE while still locked. Every window
// message takes a lock, so what a message handler makes goes when the
// outermost message returns.
void AFXAPI AfxLockTempMaps();
BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps = TRUE);

#include "afx/GdiObject.h"
#include "afx/Dc.h"
#include "afx/Menu.h"
#include "afx/Wnd.h"
#include "afx/OleControlSite.h"
#include "afx/CmdUI.h"
#include "afx/WindowDc.h"
#include "afx/Controls.h"
#include "afx/Dialog.h"
#include "afx/FrameWnd.h"
#include "afx/MessageEntries.h"
