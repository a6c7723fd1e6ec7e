#include "foundation/base/KvoWinThemeWrapper.h"
#include "foundation/base/KvoSystemVersion.h"

KvoUxThemeFunctions::KvoUxThemeFunctions(bool loadModule)
    : module(loadModule ? ::LoadLibraryW(L"UXTHEME.DLL") : nullptr),
      comCtlVersion(CKvoSystemVersion::GetComCtlVersion())
{
    ClearEntryPoints();
}

void KvoUxThemeFunctions::ClearEntryPoints()
{
    drawThemeBackground = nullptr;
    closeThemeData = nullptr;
    setWindowTheme = nullptr;
    openThemeData = nullptr;
    isThemeActive = nullptr;
    isAppThemed = nullptr;
    getThemeSysBool = nullptr;
    getThemePartSize = nullptr;
    getThemeInt = nullptr;
    getThemeColor = nullptr;
    getCurrentThemeName = nullptr;
    beginBufferedPaint = nullptr;
    endBufferedPaint = nullptr;
    drawThemeTextEx = nullptr;
}

KvoUxThemeFunctions& CKvoWinThemeWrapper::SharedFunctions(BOOL followModule)
{
    // Never freed: the visual-style library stays loaded for the process.
    static KvoUxThemeFunctions* const fixed = new KvoUxThemeFunctions();
    static KvoUxThemeFunctions* const following = new KvoUxThemeFunctions();
    return followModule ? *following : *fixed;
}

CKvoWinThemeWrapper::CKvoWinThemeWrapper(BOOL followModule)
    : CKvoWinThemeWrapper(&SharedFunctions(followModule), followModule)
{
}

CKvoWinThemeWrapper::CKvoWinThemeWrapper(KvoUxThemeFunctions* functions, BOOL followModule)
    : m_functions(functions), m_theme(nullptr), m_followModule(followModule)
{
}

CKvoWinThemeWrapper::~CKvoWinThemeWrapper()
{
    CloseThemeData();
}

template <class Function, class Result, class... Args>
Result CKvoWinThemeWrapper::CallGuarded(Function KvoUxThemeFunctions::*entry, LPCSTR name, Result fallback,
                                        Args... args)
{
    Function& function = m_functions->*entry;
    if (!function && m_functions->module)
        function = reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(m_functions->module, name)));
    if (!function)
        return fallback;
    try {
        return function(args...);
    } catch (...) {
        // A failing visual-style call must not take the caller's drawing down.
        return fallback;
    }
}

void CKvoWinThemeWrapper::OpenThemeData(HWND window, LPCWSTR classList)
{
    ReloadModule();
    CloseThemeData();
    m_theme = CallGuarded(&KvoUxThemeFunctions::openThemeData, "OpenThemeData", HTHEME(nullptr), window, classList);
}

void CKvoWinThemeWrapper::CloseThemeData()
{
    if (m_theme)
        CallGuarded(&KvoUxThemeFunctions::closeThemeData, "CloseThemeData", E_FAIL, m_theme);
    m_theme = nullptr;
}

HRESULT CKvoWinThemeWrapper::DrawThemeBackground(HDC dc, int part, int state, const RECT* rect, const RECT* clip)
{
    return CallGuarded(&KvoUxThemeFunctions::drawThemeBackground, "DrawThemeBackground", E_FAIL, m_theme, dc, part,
                       state, rect, clip);
}

HRESULT CKvoWinThemeWrapper::DrawThemeTextEx(HDC dc, int part, int state, LPCWSTR text, int length, DWORD flags,
                                             RECT* rect, const DTTOPTS* options)
{
    return CallGuarded(&KvoUxThemeFunctions::drawThemeTextEx, "DrawThemeTextEx", E_FAIL, m_theme, dc, part, state,
                       text, length, flags, rect, options);
}

HRESULT CKvoWinThemeWrapper::GetThemeColor(int part, int state, int propertyId, COLORREF* color)
{
    return CallGuarded(&KvoUxThemeFunctions::getThemeColor, "GetThemeColor", E_FAIL, m_theme, part, state,
                       propertyId, color);
}

HRESULT CKvoWinThemeWrapper::GetThemeInt(int part, int state, int propertyId, int* value)
{
    return CallGuarded(&KvoUxThemeFunctions::getThemeInt, "GetThemeInt", E_FAIL, m_theme, part, state, propertyId,
                       value);
}

HRESULT CKvoWinThemeWrapper::GetThemePartSize(HDC dc, int part, int state, RECT* rect, THEMESIZE kind, SIZE* size)
{
    return CallGuarded(&KvoUxThemeFunctions::getThemePartSize, "GetThemePartSize", E_FAIL, m_theme, dc, part, state,
                       rect, kind, size);
}

BOOL CKvoWinThemeWrapper::GetThemeSysBool(int boolId)
{
    return CallGuarded(&KvoUxThemeFunctions::getThemeSysBool, "GetThemeSysBool", FALSE, m_theme, boolId);
}

HRESULT CKvoWinThemeWrapper::SetWindowTheme(HWND window, LPCWSTR subAppName, LPCWSTR subIdList)
{
    return CallGuarded(&KvoUxThemeFunctions::setWindowTheme, "SetWindowTheme", E_FAIL, window, subAppName,
                       subIdList);
}

HRESULT CKvoWinThemeWrapper::GetCurrentThemeName(LPWSTR themeFile, int themeFileLength, LPWSTR colorName,
                                                 int colorNameLength, LPWSTR sizeName, int sizeNameLength)
{
    ReloadModule();
    return CallGuarded(&KvoUxThemeFunctions::getCurrentThemeName, "GetCurrentThemeName", E_FAIL, themeFile,
                       themeFileLength, colorName, colorNameLength, sizeName, sizeNameLength);
}

HPAINTBUFFER CKvoWinThemeWrapper::BeginBufferedPaint(HDC target, const RECT* targetRect, BP_BUFFERFORMAT format,
                                                     BP_PAINTPARAMS* params, HDC* paintDC)
{
    return CallGuarded(&KvoUxThemeFunctions::beginBufferedPaint, "BeginBufferedPaint", HPAINTBUFFER(nullptr), target,
                       targetRect, format, params, paintDC);
}

HRESULT CKvoWinThemeWrapper::EndBufferedPaint(HPAINTBUFFER buffer, BOOL updateTarget)
{
    return CallGuarded(&KvoUxThemeFunctions::endBufferedPaint, "EndBufferedPaint", HRESULT(0), buffer, updateTarget);
}

BOOL CKvoWinThemeWrapper::IsThemeActive()
{
    if (!m_theme)
        ReloadModule();
    return CallGuarded(&KvoUxThemeFunctions::isThemeActive, "IsThemeActive", FALSE);
}

BOOL CKvoWinThemeWrapper::IsAppThemed()
{
    if (!m_theme)
        return FALSE;
    return CallGuarded(&KvoUxThemeFunctions::isAppThemed, "IsAppThemed", FALSE);
}

BOOL CKvoWinThemeWrapper::IsAppThemeReady()
{
    return IsThemeActive() && HIWORD(m_functions->comCtlVersion) > 5;
}

void CKvoWinThemeWrapper::ReloadModule()
{
    if (!m_followModule)
        return;
    HMODULE now = ::GetModuleHandleA("UXTHEME.DLL");
    if (now == m_functions->module)
        return;
    m_functions->module = now;
    m_functions->ClearEntryPoints();
}

BOOL CKvoWinThemeWrapper::DwmDefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return ::DwmDefWindowProc(window, message, wParam, lParam, result);
}

MARGINS CKvoWinThemeWrapper::MakeFrameMargins(int left, int top, int right, int bottom)
{
    MARGINS margins = {};
    margins.cxLeftWidth = left;
    margins.cxRightWidth = right;
    margins.cyTopHeight = top;
    margins.cyBottomHeight = bottom;
    return margins;
}

HRESULT CKvoWinThemeWrapper::DwmExtendFrameIntoClientArea(HWND window, int left, int top, int right, int bottom)
{
    MARGINS margins = MakeFrameMargins(left, top, right, bottom);
    return ::DwmExtendFrameIntoClientArea(window, &margins);
}
