// The preview window's exports.
#include "exports/TavrenaExports.h"
#include "LanguageIds.h"
#include "PreViewDlg.h"
#include "app/TavrenaApp.h"
#include "exports/ExclusiveLock.h"
#include "foundation/base/KvoDarkMode.h"

// The dialog lives on the caller's thread, inside parent; the window owns
// the dialog object, which goes when the caller destroys the window.
HWND PreViewDlg(const wchar_t* path, const RECT& rect, HWND parent)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    try {
        InitDarkMode();
        CWnd* parentWindow = CWnd::FromHandle(parent);
        auto* dialog = new CPreViewDlg(path, rect, parentWindow);
        if (!CKvoSelfDeletingWindow::CreateOwned(dialog, [&] { return dialog->Create(IDD_PREVIEW, parentWindow); }))
            return nullptr;
        dialog->ShowWindow(SW_SHOW);
        return dialog->m_hWnd;
    } catch (CException* error) {
        error->Delete();
    } catch (...) {
    }
    return nullptr;
}

// Keeps the views of the previewed drawings in the info cache file.
void SavePreView()
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    CExclusiveLock lock;
    if (lock.IsHeld())
        theApp.m_infoCache.Save(nullptr);
}
