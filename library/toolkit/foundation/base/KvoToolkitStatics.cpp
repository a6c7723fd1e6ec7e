#include "foundation/base/KvoToolkitStatics.h"
#include "commandbars/KvoPaintManager.h"

// Zero until the registrations below run (constant-initialised, so other
// statics that read them early see 0, never garbage).
UINT g_kvoNotificationSinkMessage = 0;
UINT g_kvoNotificationSinkThreadMessage = 0;
UINT g_kvoCalendarSwitchViewMessage = 0;
UINT g_kvoCalendarUserActionMessage = 0;
UINT g_kvoAlphaBitmapClipboardFormat = 0;
UINT g_kvoToolBarImageClipboardFormat = 0;

// The user-colour list is one of the markup subsystem's type records.
CArray<COLORREF, COLORREF> g_kvoUserColors __attribute__((init_priority(KVO_STARTUP_MARKUP_RECORDS)));

namespace {
struct KvoToolkitRegistrations {
    KvoToolkitRegistrations()
    {
        const wchar_t sinkMessage[] = L"KvoNotificationSinkMTOnEvent";
        g_kvoNotificationSinkMessage = ::RegisterWindowMessageW(sinkMessage);
        g_kvoNotificationSinkThreadMessage = ::RegisterWindowMessageW(sinkMessage);
        g_kvoCalendarSwitchViewMessage = ::RegisterWindowMessageW(L"KvoCalendarSwitchView");
        g_kvoCalendarUserActionMessage = ::RegisterWindowMessageW(L"KvoCalendarUserAction");
        g_kvoAlphaBitmapClipboardFormat = ::RegisterClipboardFormatW(L"Alpha Bitmap Image");
        g_kvoToolBarImageClipboardFormat = ::RegisterClipboardFormatW(L"Vantrel ToolBar Image");
    }
};

// The last of the toolkit's statics to be made, the first destroyed: the
// shared paint manager goes before the statics it might still use.
struct KvoPaintManagerExitRelease {
    ~KvoPaintManagerExitRelease() { CKvoPaintManager::DestroyInstance(); }
};

KvoToolkitRegistrations kvoToolkitRegistrations __attribute__((init_priority(KVO_STARTUP_TOOLKIT_REGISTRATIONS)));
KvoPaintManagerExitRelease kvoPaintManagerExitRelease;
}
