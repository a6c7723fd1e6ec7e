#pragma once
#include <afx.h>
#include <afxmt.h>
#include "foundation/base/KvoLanguageInfo.h"

class CMenu;
class CBitmap;
class CToolBar;

// The toolkit's resource module, not owned: the application's language
// module after start-up, null before.
extern HMODULE g_kvoResourceModule;

// Where the toolkit takes its resources from: the toolkit resource module
// first, then the application's current resource handle. Knows the language
// of its module for ANSI conversions, right-to-left message boxes and fonts.
// Failures show only in the results (FALSE, NULL, an empty string).
class CKvoResourceManager : public CNoTrackObject {
public:
    CKvoResourceManager();
    ~CKvoResourceManager() override;

    // The process's manager, made on first use (a failed allocation throws
    // the class library's memory exception).
    static CKvoResourceManager* Instance();

    // The string id, empty when missing; *missing (when given) says which.
    virtual CString LoadString(UINT id, BOOL* missing = nullptr);
    virtual BOOL LoadString(CString* out, UINT id);
    virtual BOOL LoadMenu(CMenu* menu, UINT id);
    // The toolbar resource and its bitmap, loaded by the bar with the
    // toolkit module as the class library's resource handle; no second try
    // in the application's resources.
    virtual BOOL LoadToolBar(CToolBar* bar, UINT id);
    virtual BOOL LoadBitmap(CBitmap* target, UINT id);
    virtual HCURSOR LoadCursor(UINT id);
    virtual LPCDLGTEMPLATE LoadDialogTemplate(UINT id);
    virtual HGLOBAL FindDialogTemplate(LPCWSTR name);
    // The HTML page id widened from the ANSI code page.
    virtual BOOL LoadHTML(CString* out, UINT id);
    virtual HICON LoadIcon(UINT id, int cx, int cy);
    virtual HICON LoadIcon(LPCWSTR name, int cx, int cy);
    // The icon of the group name in module that fits cx x cy best.
    virtual HICON CreateIconFromResource(HMODULE module, LPCWSTR name, int cx, int cy);
    virtual void Close();
    virtual WORD GetLanguageInfo();
    // Takes the language of the toolkit module's first resource that is not
    // in English (United States); English (United States) when the module
    // has no other or one outside the table.
    virtual void UpdateResourcesLangID();

    void SetResourceHandle(HMODULE module);
    HMODULE GetResourceHandle() const;
    const KvoLanguageInfo* GetLanguage() const { return m_language; }

    // String id of module's string table; its length, 0 when it is missing,
    // damaged or empty.
    static int LoadStringFromModule(HMODULE module, UINT id, CString* out);

    int GetMenuString(CMenu* menu, UINT item, CString* out, UINT flags);
    int ShowMessageBox(LPCWSTR text, UINT type);

    // text in the language's code page, kept until FreeAnsi or the next call.
    LPCSTR WideToAnsi(LPCWSTR text);
    void FreeAnsi();

private:
    static HRSRC FindToolkitResource(LPCWSTR name, LPCWSTR type);

    HMODULE m_ownedModule;
    const KvoLanguageInfo* m_language;
    char* m_ansiText;
};
