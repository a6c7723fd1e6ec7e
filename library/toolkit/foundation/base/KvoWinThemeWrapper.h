#pragma once
#include <windows.h>
#include <uxtheme.h>
#include <dwmapi.h>

// The visual-style entry points shared by the wrappers of one kind, taken
// by name from "UXTHEME.DLL" on first use (null until then, and for good
// when the library or the name is missing).
struct KvoUxThemeFunctions {
    decltype(&::DrawThemeBackground) drawThemeBackground;
    decltype(&::CloseThemeData) closeThemeData;
    decltype(&::SetWindowTheme) setWindowTheme;
    decltype(&::OpenThemeData) openThemeData;
    decltype(&::IsThemeActive) isThemeActive;
    decltype(&::IsAppThemed) isAppThemed;
    decltype(&::GetThemeSysBool) getThemeSysBool;
    decltype(&::GetThemePartSize) getThemePartSize;
    decltype(&::GetThemeInt) getThemeInt;
    decltype(&::GetThemeColor) getThemeColor;
    decltype(&::GetCurrentThemeName) getCurrentThemeName;
    decltype(&::BeginBufferedPaint) beginBufferedPaint;
    decltype(&::EndBufferedPaint) endBufferedPaint;
    decltype(&::DrawThemeTextEx) drawThemeTextEx;
    HMODULE module;         // "UXTHEME.DLL", NULL when it did not load
    DWORD comCtlVersion;    // (major << 16) | minor of the common controls

    // No entry point taken yet; loadModule: load "UXTHEME.DLL" now (never
    // freed), else leave the module NULL as if it were missing.
    explicit KvoUxThemeFunctions(bool loadModule = true);
    void ClearEntryPoints();
};

// Guarded access to the visual styles: holds at most one open theme handle.
// A missing library or entry point, or an exception inside a call, never
// reaches the caller: the call then answers its fixed default (E_FAIL,
// FALSE, NULL or 0). Used on the UI thread only.
class CKvoWinThemeWrapper {
public:
    // followModule: follow "UXTHEME.DLL" if it is unloaded and loaded again
    // at another address (the entry points are then taken afresh).
    explicit CKvoWinThemeWrapper(BOOL followModule = FALSE);
    // A wrapper over a table of its own (tests give one whose library did
    // not load, or whose module is stale); the table outlives the wrapper.
    CKvoWinThemeWrapper(KvoUxThemeFunctions* functions, BOOL followModule);
    virtual ~CKvoWinThemeWrapper();

    CKvoWinThemeWrapper(const CKvoWinThemeWrapper&) = delete;
    CKvoWinThemeWrapper& operator=(const CKvoWinThemeWrapper&) = delete;

    // Closes the open handle and opens the class list ("BUTTON", "TREEVIEW"
    // ...); no handle when visual styles are off or missing.
    void OpenThemeData(HWND window, LPCWSTR classList);
    void CloseThemeData();
    BOOL IsThemeOpen() const { return m_theme != nullptr; }
    HTHEME GetThemeHandle() const { return m_theme; }

    // Calls on the open handle (NULL when none is open).
    HRESULT DrawThemeBackground(HDC dc, int part, int state, const RECT* rect, const RECT* clip);
    HRESULT DrawThemeTextEx(HDC dc, int part, int state, LPCWSTR text, int length, DWORD flags, RECT* rect,
                            const DTTOPTS* options);
    HRESULT GetThemeColor(int part, int state, int propertyId, COLORREF* color);
    HRESULT GetThemeInt(int part, int state, int propertyId, int* value);
    HRESULT GetThemePartSize(HDC dc, int part, int state, RECT* rect, THEMESIZE kind, SIZE* size);
    BOOL GetThemeSysBool(int boolId);

    HRESULT SetWindowTheme(HWND window, LPCWSTR subAppName, LPCWSTR subIdList);
    HRESULT GetCurrentThemeName(LPWSTR themeFile, int themeFileLength, LPWSTR colorName, int colorNameLength,
                                LPWSTR sizeName, int sizeNameLength);
    HPAINTBUFFER BeginBufferedPaint(HDC target, const RECT* targetRect, BP_BUFFERFORMAT format,
                                    BP_PAINTPARAMS* params, HDC* paintDC);
    HRESULT EndBufferedPaint(HPAINTBUFFER buffer, BOOL updateTarget);

    BOOL IsThemeActive();
    // FALSE without asking while no theme handle is open: the test before
    // every themed drawing.
    BOOL IsAppThemed();
    // Visual styles are on and the common controls are version 6 or later.
    BOOL IsAppThemeReady();

    // followModule wrappers: takes the module "UXTHEME.DLL" has now and,
    // when it moved, clears the entry points of the table.
    void ReloadModule();

    // The frame functions of the desktop window manager, imported at load time.
    static BOOL DwmDefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    static HRESULT DwmExtendFrameIntoClientArea(HWND window, int left, int top, int right, int bottom);
    // The margins DwmExtendFrameIntoClientArea passes on.
    static MARGINS MakeFrameMargins(int left, int top, int right, int bottom);

    // The process-wide table of the given kind, made on first use.
    static KvoUxThemeFunctions& SharedFunctions(BOOL followModule);

private:
    template <class Function, class Result, class... Args>
    Result CallGuarded(Function KvoUxThemeFunctions::*entry, LPCSTR name, Result fallback, Args... args);

    KvoUxThemeFunctions* m_functions;  // shared table: not owned
    HTHEME m_theme;
    BOOL m_followModule;
};
