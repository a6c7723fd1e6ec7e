#include <gtest/gtest.h>
#include <afxwin.h>
#include <vsstyle.h>
#include <vssym32.h>
#include "foundation/base/KvoWinThemeWrapper.h"
#include "foundation/base/KvoSystemVersion.h"

namespace {
// A top-level window for the calls that want one.
class ThemeTestWindow {
public:
    ThemeTestWindow()
        : m_window(CreateWindowExW(0, L"BUTTON", L"themed", WS_OVERLAPPEDWINDOW, 30, 30, 120, 60, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr))
    {
    }
    ~ThemeTestWindow()
    {
        if (m_window)
            DestroyWindow(m_window);
    }
    ThemeTestWindow(const ThemeTestWindow&) = delete;
    ThemeTestWindow& operator=(const ThemeTestWindow&) = delete;
    HWND Get() const { return m_window; }

private:
    HWND m_window;
};

FARPROC WrapperTestUxThemeEntry(const char* name)
{
    HMODULE uxtheme = GetModuleHandleW(L"uxtheme.dll");
    return uxtheme ? GetProcAddress(uxtheme, name) : nullptr;
}
}

// The library missing: a table whose module did not load. Every call answers
// its default and no handle is ever opened.
TEST(KvoWinThemeWrapper, DefaultsWithoutTheVisualStyleLibrary)
{
    KvoUxThemeFunctions missing(false);
    CKvoWinThemeWrapper wrapper(&missing, FALSE);
    ThemeTestWindow window;
    HDC dc = GetDC(window.Get());
    RECT rect = {0, 0, 20, 20};

    wrapper.OpenThemeData(window.Get(), L"BUTTON");
    EXPECT_FALSE(wrapper.IsThemeOpen());
    EXPECT_FALSE(wrapper.IsThemeActive());
    EXPECT_FALSE(wrapper.IsAppThemed());
    EXPECT_FALSE(wrapper.IsAppThemeReady());
    EXPECT_EQ(wrapper.DrawThemeBackground(dc, BP_PUSHBUTTON, PBS_NORMAL, &rect, nullptr), E_FAIL);
    EXPECT_EQ(wrapper.DrawThemeTextEx(dc, BP_PUSHBUTTON, PBS_NORMAL, L"x", 1, 0, &rect, nullptr), E_FAIL);
    COLORREF color = 0x123456;
    EXPECT_EQ(wrapper.GetThemeColor(BP_PUSHBUTTON, PBS_NORMAL, TMT_TEXTCOLOR, &color), E_FAIL);
    EXPECT_EQ(color, 0x123456u) << "the output is left alone on failure";
    int value = 7;
    EXPECT_EQ(wrapper.GetThemeInt(BP_PUSHBUTTON, PBS_NORMAL, TMT_BORDERSIZE, &value), E_FAIL);
    SIZE size = {};
    EXPECT_EQ(wrapper.GetThemePartSize(dc, BP_PUSHBUTTON, PBS_NORMAL, &rect, TS_TRUE, &size), E_FAIL);
    EXPECT_FALSE(wrapper.GetThemeSysBool(TMT_FLATMENUS));
    EXPECT_EQ(wrapper.SetWindowTheme(window.Get(), L"Explorer", nullptr), E_FAIL);
    wchar_t file[MAX_PATH], colorName[64], sizeName[64];
    EXPECT_EQ(wrapper.GetCurrentThemeName(file, MAX_PATH, colorName, 64, sizeName, 64), E_FAIL);
    HDC paint = nullptr;
    EXPECT_EQ(wrapper.BeginBufferedPaint(dc, &rect, BPBF_COMPATIBLEBITMAP, nullptr, &paint), nullptr);
    EXPECT_EQ(wrapper.EndBufferedPaint(nullptr, TRUE), 0);
    EXPECT_EQ(missing.drawThemeBackground, nullptr) << "nothing is taken without a module";
    ReleaseDC(window.Get(), dc);
}

// The real road through Wine's uxtheme: every call answers what the library
// itself answers.
TEST(KvoWinThemeWrapper, RealCallsAnswerAsTheLibrary)
{
    CKvoWinThemeWrapper wrapper;
    ASSERT_NE(CKvoWinThemeWrapper::SharedFunctions(FALSE).module, nullptr) << "Wine has uxtheme";
    ThemeTestWindow window;
    ASSERT_NE(window.Get(), nullptr);

    EXPECT_FALSE(wrapper.IsAppThemed()) << "no handle open: FALSE without asking";
    EXPECT_EQ(wrapper.IsThemeActive(), IsThemeActive());
    EXPECT_EQ(wrapper.IsAppThemeReady(),
              IsThemeActive() && HIWORD(CKvoSystemVersion::GetComCtlVersion()) > 5);

    wrapper.OpenThemeData(window.Get(), L"BUTTON");
    HTHEME direct = OpenThemeData(window.Get(), L"BUTTON");
    EXPECT_EQ(wrapper.IsThemeOpen(), direct != nullptr) << "a handle exactly when the library gives one";
    if (direct) {
        COLORREF mine = 0, theirs = 0;
        EXPECT_EQ(wrapper.GetThemeColor(BP_PUSHBUTTON, PBS_NORMAL, TMT_TEXTCOLOR, &mine),
                  GetThemeColor(direct, BP_PUSHBUTTON, PBS_NORMAL, TMT_TEXTCOLOR, &theirs));
        EXPECT_EQ(mine, theirs);
        EXPECT_EQ(wrapper.IsAppThemed(), IsAppThemed());
        CloseThemeData(direct);
    }

    EXPECT_EQ(wrapper.SetWindowTheme(window.Get(), L"Explorer", nullptr),
              SetWindowTheme(window.Get(), L"Explorer", nullptr));
    wchar_t file[MAX_PATH], colorName[64], sizeName[64];
    wchar_t file2[MAX_PATH], colorName2[64], sizeName2[64];
    EXPECT_EQ(wrapper.GetCurrentThemeName(file, MAX_PATH, colorName, 64, sizeName, 64),
              GetCurrentThemeName(file2, MAX_PATH, colorName2, 64, sizeName2, 64));

    // Buffered painting on a memory DC works without a theme.
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT rect = {0, 0, 16, 16};
    HDC paint = nullptr;
    HPAINTBUFFER buffer = wrapper.BeginBufferedPaint(memory, &rect, BPBF_COMPATIBLEBITMAP, nullptr, &paint);
    if (buffer) {
        EXPECT_NE(paint, nullptr);
        EXPECT_EQ(wrapper.EndBufferedPaint(buffer, TRUE), S_OK);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    wrapper.CloseThemeData();
    EXPECT_FALSE(wrapper.IsThemeOpen());
    EXPECT_FALSE(wrapper.IsAppThemed());
}

TEST(KvoWinThemeWrapper, EntryPointsAreTakenOnFirstUseFromTheSharedTable)
{
    KvoUxThemeFunctions fresh;
    ASSERT_NE(fresh.module, nullptr);
    CKvoWinThemeWrapper wrapper(&fresh, FALSE);
    EXPECT_EQ(fresh.isThemeActive, nullptr);
    wrapper.IsThemeActive();
    EXPECT_EQ(reinterpret_cast<FARPROC>(fresh.isThemeActive), WrapperTestUxThemeEntry("IsThemeActive"));
    EXPECT_EQ(fresh.drawThemeBackground, nullptr) << "only what was called";
    EXPECT_EQ(fresh.comCtlVersion, CKvoSystemVersion::GetComCtlVersion());

    EXPECT_EQ(&CKvoWinThemeWrapper::SharedFunctions(FALSE), &CKvoWinThemeWrapper::SharedFunctions(FALSE));
    EXPECT_NE(&CKvoWinThemeWrapper::SharedFunctions(FALSE), &CKvoWinThemeWrapper::SharedFunctions(TRUE));
}

// A following wrapper whose table points at a module that is no longer
// uxtheme's (as after an unload and a load at another address) takes the
// entry points afresh from where uxtheme is now; a fixed wrapper does not.
TEST(KvoWinThemeWrapper, FollowingWrapperTakesFreshEntryPointsAfterTheModuleMoved)
{
    ThemeTestWindow window;
    HMODULE uxtheme = GetModuleHandleW(L"uxtheme.dll");
    ASSERT_NE(uxtheme, nullptr);
    HMODULE stale = GetModuleHandleW(L"kernel32.dll");

    KvoUxThemeFunctions moved(false);
    moved.module = stale;
    moved.isThemeActive = reinterpret_cast<decltype(moved.isThemeActive)>(
        reinterpret_cast<void*>(GetProcAddress(stale, "GetTickCount")));
    CKvoWinThemeWrapper following(&moved, TRUE);
    following.OpenThemeData(window.Get(), L"BUTTON");
    EXPECT_EQ(moved.module, uxtheme);
    EXPECT_EQ(reinterpret_cast<FARPROC>(moved.openThemeData), WrapperTestUxThemeEntry("OpenThemeData"));
    EXPECT_EQ(moved.isThemeActive, nullptr) << "entry points of the old module are forgotten";

    KvoUxThemeFunctions fixedTable(false);
    fixedTable.module = stale;
    CKvoWinThemeWrapper fixed(&fixedTable, FALSE);
    fixed.OpenThemeData(window.Get(), L"BUTTON");
    EXPECT_EQ(fixedTable.module, stale);
    EXPECT_FALSE(fixed.IsThemeOpen()) << "kernel32 has no OpenThemeData";
}

TEST(KvoWinThemeWrapper, FrameMarginsInTheirOwnOrder)
{
    MARGINS margins = CKvoWinThemeWrapper::MakeFrameMargins(1, 2, 3, 4);
    EXPECT_EQ(margins.cxLeftWidth, 1);
    EXPECT_EQ(margins.cxRightWidth, 3);
    EXPECT_EQ(margins.cyTopHeight, 2);
    EXPECT_EQ(margins.cyBottomHeight, 4);

    // The real window manager: Wine answers for a real window whatever it
    // supports; the wrapper passes that answer on unchanged.
    ThemeTestWindow window;
    MARGINS same = margins;
    EXPECT_EQ(CKvoWinThemeWrapper::DwmExtendFrameIntoClientArea(window.Get(), 1, 2, 3, 4),
              ::DwmExtendFrameIntoClientArea(window.Get(), &same));
    LRESULT mine = 0, theirs = 0;
    EXPECT_EQ(CKvoWinThemeWrapper::DwmDefWindowProc(window.Get(), WM_NCHITTEST, 0, 0, &mine),
              ::DwmDefWindowProc(window.Get(), WM_NCHITTEST, 0, 0, &theirs));
}
