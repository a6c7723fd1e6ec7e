#pragma once
#include <afxwin.h>
#include <afxtempl.h>

// Process-wide values the toolkit sets up when the library loads. Start-up
// order: the registered messages and clipboard formats come first among the
// library's statics (they use nothing but user32, so they need none of the
// class library's statics either); the user-colour list follows, then the
// command-bar classes' registrations; the release of the shared command-bar
// paint manager runs at exit.
//
// Nothing in the library sends or posts these messages or puts data of these
// formats on the clipboard: they are registered so that their numbers are
// fixed for the process before any window could use them.

// "KvoNotificationSinkMTOnEvent", kept for the single- and the multi-threaded
// notification sinks (the same number).
extern UINT g_kvoNotificationSinkMessage;
extern UINT g_kvoNotificationSinkThreadMessage;
// "KvoCalendarSwitchView" and "KvoCalendarUserAction".
extern UINT g_kvoCalendarSwitchViewMessage;
extern UINT g_kvoCalendarUserActionMessage;
// Clipboard formats "Alpha Bitmap Image" and "Vantrel ToolBar Image".
extern UINT g_kvoAlphaBitmapClipboardFormat;
extern UINT g_kvoToolBarImageClipboardFormat;

// The user's own colours of the colour selector; empty at load, freed at
// exit. UI thread only.
extern CArray<COLORREF, COLORREF> g_kvoUserColors;

// init_priority values of the library's early statics: lower runs first;
// statics without one run after all of these.
#define KVO_STARTUP_TOOLKIT_REGISTRATIONS 1000
#define KVO_STARTUP_MARKUP_RECORDS 2000
// The command-bar classes' runtime-class records, entered in their fixed
// order after the markup records.
#define KVO_STARTUP_COMMANDBAR_CLASSES 2100
