// The preview's settings dialog, opened with the settings button of a
// preview made in this process (so the test sees the settings word and the
// background colour the dialog writes) and driven by real messages: clicks
// on its check boxes, a cell of the colour picker's own popup, OK, Shift+OK
// and Cancel. The preview's renders are counted as they arrive and their
// background read from the bitmap the picture shows.
#include <gtest/gtest.h>
#include <mutex>
#include <afxwin.h>
#include <iterator>
#include <string>
#include <vector>
#include "InProcessPreview.h"
#include "LanguageIds.h"
#include "PreviewMessages.h"
#include "SettingDlg.h"
#include "app/TavrenaApp.h"
#include "cache/InfoCache.h"
#include "cache/InfoCacheEntry.h"
#include "cache/InfoCachePin.h"
#include "foundation/base/KvoDarkMode.h"
#include "foundation/base/KvoResourceManager.h"
#include "foundation/controls/KvColorPicker.h"
#include "foundation/controls/KvDarkDialog.h"
#include "framework/WindowTestSupport.h"
#include "records/SettingFlag.h"
#include "toolkit/foundation/DarkModeSeam.h"
#include "writer/Drawing.h"
#include "writer/SampleDrawing.h"

namespace {
const COLORREF kWhite = RGB(255, 255, 255);

bool AnswerDirect2DUsable()
{
    return true;
}
bool AnswerDirect2DUnusable()
{
    return false;
}

// The answer the settings dialog gets from the Direct2D probe while it lives.
class Direct2DProbeScope {
public:
    explicit Direct2DProbeScope(SettingDlgDirect2DProbe probe) : m_previous(SetSettingDlgDirect2DProbe(probe)) {}
    ~Direct2DProbeScope() { SetSettingDlgDirect2DProbe(m_previous); }
    Direct2DProbeScope(const Direct2DProbeScope&) = delete;
    Direct2DProbeScope& operator=(const Direct2DProbeScope&) = delete;

private:
    SettingDlgDirect2DProbe m_previous;
};

// Holds Shift down for this thread's key state (what GetKeyState reads).
class ShiftHeld {
public:
    ShiftHeld()
    {
        GetKeyboardState(m_saved);
        BYTE state[256];
        memcpy(state, m_saved, sizeof state);
        state[VK_SHIFT] = 0x80;
        SetKeyboardState(state);
    }
    ~ShiftHeld() { SetKeyboardState(m_saved); }
    ShiftHeld(const ShiftHeld&) = delete;
    ShiftHeld& operator=(const ShiftHeld&) = delete;

private:
    BYTE m_saved[256] = {};
};

// Counts the rendered bitmaps that reach one preview window.
HWND g_countedPreview = nullptr;
int g_previewBitmaps = 0;
LRESULT CALLBACK CountPreviewBitmaps(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_PREVIEWBITMAP && message->hwnd == g_countedPreview)
        ++g_previewBitmaps;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The colour of the bottom-left pixel of a 24-bit or 32-bit DIB section:
// the drawing's background there. CLR_INVALID without such a bitmap.
COLORREF BitmapCornerColour(HBITMAP bitmap)
{
    DIBSECTION section = {};
    if (!bitmap || GetObjectW(bitmap, sizeof section, &section) != sizeof section || !section.dsBm.bmBits ||
        section.dsBm.bmBitsPixel < 24)
        return CLR_INVALID;
    const BYTE* pixel = static_cast<const BYTE*>(section.dsBm.bmBits);
    return RGB(pixel[2], pixel[1], pixel[0]);
}

// The visible settings dialog among the windows of this thread.
BOOL CALLBACK FindVisibleSettingsDialog(HWND window, LPARAM found)
{
    if (IsWindowVisible(window) && GetDlgItem(window, IDC_SETTING_BACK_COLOR)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

struct SettingsCase {
    const char* name;
    uint32_t before;
    std::vector<int> clicks;
    uint32_t after;
};

class SettingsDlgTest : public InProcessPreviewTest {
protected:
    SettingsDlgTest() : m_savedSettings(theApp.m_settings), m_savedBackColor(theApp.m_backColor) {}
    ~SettingsDlgTest() override
    {
        theApp.m_settings = m_savedSettings;
        theApp.m_backColor = m_savedBackColor;
    }

    void SetUp() override
    {
        InProcessPreviewTest::SetUp();
        // The picker's popup takes its texts from the toolkit's resources.
        m_oldToolkitResource = CKvoResourceManager::Instance()->GetResourceHandle();
        CKvoResourceManager::Instance()->SetResourceHandle(m_language.Handle());
        theApp.m_settings = 0;
        theApp.m_backColor = kWhite;
        const std::wstring path = m_scratch.Path() + L"\\drawing.jww";
        ASSERT_TRUE(jwwrite::SaveFile(path, jwwrite::WriteDrawing(jwwrite::SampleDrawing())));
        m_dialog = Open(path);
        ASSERT_NE(m_dialog, nullptr);
        ASSERT_TRUE(PumpUntil([&] { return Rendered(m_dialog) && Shown(); }, kPatience));
        g_countedPreview = m_dialog;
        g_previewBitmaps = 0;
        m_hook = SetWindowsHookExW(WH_CALLWNDPROC, CountPreviewBitmaps, nullptr, GetCurrentThreadId());
    }
    void TearDown() override
    {
        if (m_hook)
            UnhookWindowsHookEx(m_hook);
        InProcessPreviewTest::TearDown();
        // The preview's drawing leaves the library's cache with its folder.
        theApp.m_infoCache.Clear();
        CKvoResourceManager::Instance()->SetResourceHandle(m_oldToolkitResource);
    }

    HWND PreviewItem(int id) const { return GetDlgItem(m_dialog, id); }
    HBITMAP Shown() const { return ShownBitmap(m_dialog); }

    // Presses the preview's settings button; the dialog it shows, or null.
    HWND PressSettingsButton()
    {
        SendMessageW(PreviewItem(IDC_PREVIEW_SETTINGS), BM_CLICK, 0, 0);
        HWND found = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindVisibleSettingsDialog, reinterpret_cast<LPARAM>(&found));
        return found;
    }
    static void Click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
    static bool Checked(HWND dialog, int id)
    {
        return SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    static bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

    // Opens the picker's popup with a click and clicks one of its cells; the
    // colour of that cell, or CLR_INVALID when the popup did not open.
    static COLORREF ChoosePickerCell(HWND dialog, int cell)
    {
        auto* picker = dynamic_cast<CKvColorPicker*>(CWnd::FromHandlePermanent(GetDlgItem(dialog, IDC_SETTING_BACK_COLOR)));
        if (!picker)
            return CLR_INVALID;
        SendMessageW(picker->m_hWnd, BM_CLICK, 0, 0);
        CKvColorPopup* popup = nullptr;
        PumpUntil([&] {
            popup = dynamic_cast<CKvColorPopup*>(CWnd::FromHandlePermanent(::GetFocus()));
            return popup && popup->IsWindowVisible();
        });
        const COLOR_CELL* target = popup ? popup->GetCell(cell) : nullptr;
        if (!target)
            return CLR_INVALID;
        const COLORREF colour = target->clr;
        const CPoint centre = CRect(target->rect).CenterPoint();
        const LPARAM point = MAKELPARAM(centre.x, centre.y);
        popup->SendMessage(WM_MOUSEMOVE, 0, point);
        popup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, point);
        popup->SendMessage(WM_LBUTTONUP, 0, point);
        PumpUntil([&] { return !picker->IsPopupOpen(); });
        return colour;
    }

    bool WaitForRenders(int count)
    {
        return PumpUntil([&] { return g_previewBitmaps >= count; }, kPatience);
    }
    bool WaitForBackground(COLORREF colour)
    {
        return PumpUntil([&] { return BitmapCornerColour(Shown()) == colour; }, kPatience);
    }

    HMODULE m_oldToolkitResource = nullptr;
    HHOOK m_hook = nullptr;

private:
    uint32_t m_savedSettings;
    COLORREF m_savedBackColor;
};

// Cells of the 40-colour table (index 0 is the default cell).
const int kRedCell = 17;
const int kBlueCell = 22;
}  // namespace

TEST_F(SettingsDlgTest, CheckBoxesShowAndWriteTheSettingsBits)
{
    Direct2DProbeScope probe(AnswerDirect2DUsable);
    const int boxes[] = {IDC_SETTING_DIRECT2D,   IDC_SETTING_GDIPLUS_IMAGES,  IDC_SETTING_REVERSE_PAN,
                         IDC_SETTING_USER_BACKGROUND, IDC_SETTING_PEN_WIDTHS, IDC_SETTING_PART_REFERENCE,
                         IDC_SETTING_TEXT_VARIABLES};
    const uint32_t bits[] = {SettingFlag::Direct2D,       SettingFlag::GdiPlusImages, SettingFlag::ReversePan,
                             SettingFlag::UserBackground, SettingFlag::PenWidths,     SettingFlag::PartReferenceMark,
                             SettingFlag::ExpandTextVariables};
    const SettingsCase cases[] = {
        {"nothing set, nothing clicked", 0, {}, 0},
        {"every bit and some below them stay", 0xFF00005A, {}, 0xFF00005A},
        {"each box but GDI+ sets its bit", 0,
         {IDC_SETTING_DIRECT2D, IDC_SETTING_REVERSE_PAN, IDC_SETTING_USER_BACKGROUND, IDC_SETTING_PEN_WIDTHS,
          IDC_SETTING_PART_REFERENCE, IDC_SETTING_TEXT_VARIABLES},
         0xBD000000},
        {"each box but Direct2D clears its bit", 0xFD000000,
         {IDC_SETTING_GDIPLUS_IMAGES, IDC_SETTING_REVERSE_PAN, IDC_SETTING_USER_BACKGROUND, IDC_SETTING_PEN_WIDTHS,
          IDC_SETTING_PART_REFERENCE, IDC_SETTING_TEXT_VARIABLES},
         SettingFlag::Direct2D},
        {"GDI+ images bring Direct2D", 0, {IDC_SETTING_GDIPLUS_IMAGES},
         SettingFlag::Direct2D | SettingFlag::GdiPlusImages},
        {"no Direct2D takes GDI+ images along", SettingFlag::Direct2D | SettingFlag::GdiPlusImages,
         {IDC_SETTING_DIRECT2D}, 0},
        {"the wheel direction has no box and stays", SettingFlag::ReverseWheel, {IDC_SETTING_REVERSE_PAN},
         SettingFlag::ReverseWheel | SettingFlag::ReversePan},
        {"GDI+ images without Direct2D write both", SettingFlag::GdiPlusImages, {},
         SettingFlag::Direct2D | SettingFlag::GdiPlusImages},
    };
    for (const SettingsCase& c : cases) {
        SCOPED_TRACE(c.name);
        theApp.m_settings = c.before;
        HWND dialog = PressSettingsButton();
        ASSERT_NE(dialog, nullptr);
        for (size_t i = 0; i < std::size(boxes); ++i)
            EXPECT_EQ(Checked(dialog, boxes[i]), (c.before & bits[i]) != 0) << "box " << boxes[i];
        for (int id : c.clicks)
            Click(dialog, id);
        // What the boxes show is what OK writes (a word that is not
        // consistent in itself is shown as it stands, and put right by OK).
        if (!c.clicks.empty()) {
            for (size_t i = 0; i < std::size(boxes); ++i)
                EXPECT_EQ(Checked(dialog, boxes[i]), (c.after & bits[i]) != 0) << "box " << boxes[i] << " after";
        }
        Click(dialog, IDOK);
        EXPECT_EQ(theApp.m_settings, c.after) << std::hex << theApp.m_settings;
        EXPECT_TRUE(IsWindow(dialog)) << "OK hides the dialog; the preview destroys it";
        EXPECT_FALSE(IsWindowVisible(dialog));
    }
}

// The seam gives the dialog both answers of the probe; then the real probe
// runs, which Wine 8's Direct2D passes (the boxes are enabled there).
TEST_F(SettingsDlgTest, Direct2DBoxesCanBeUsedOnlyWhenTheProbeSucceeded)
{
    {
        Direct2DProbeScope probe(AnswerDirect2DUnusable);
        theApp.m_settings = SettingFlag::Direct2D | SettingFlag::GdiPlusImages;
        HWND dialog = PressSettingsButton();
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(Enabled(dialog, IDC_SETTING_DIRECT2D));
        EXPECT_FALSE(Enabled(dialog, IDC_SETTING_GDIPLUS_IMAGES));
        EXPECT_TRUE(Enabled(dialog, IDC_SETTING_PEN_WIDTHS));
        // Disabled, their states still come from the word and go back to it.
        EXPECT_TRUE(Checked(dialog, IDC_SETTING_DIRECT2D));
        EXPECT_TRUE(Checked(dialog, IDC_SETTING_GDIPLUS_IMAGES));
        Click(dialog, IDC_SETTING_PEN_WIDTHS);
        Click(dialog, IDOK);
        EXPECT_EQ(theApp.m_settings, SettingFlag::Direct2D | SettingFlag::GdiPlusImages | SettingFlag::PenWidths);
    }
    {
        Direct2DProbeScope probe(AnswerDirect2DUsable);
        HWND dialog = PressSettingsButton();
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(Enabled(dialog, IDC_SETTING_DIRECT2D));
        EXPECT_TRUE(Enabled(dialog, IDC_SETTING_GDIPLUS_IMAGES));
        Click(dialog, IDCANCEL);
    }
    HWND dialog = PressSettingsButton();
    ASSERT_NE(dialog, nullptr);
    const bool usable = theApp.IsDirect2DUsable();
    EXPECT_EQ(Enabled(dialog, IDC_SETTING_DIRECT2D), usable);
    EXPECT_EQ(Enabled(dialog, IDC_SETTING_GDIPLUS_IMAGES), usable);
    RecordProperty("Direct2DUsableHere", usable ? "yes" : "no");
}

TEST_F(SettingsDlgTest, PickedColourBecomesTheBackgroundOfTheNextRender)
{
    Direct2DProbeScope probe(AnswerDirect2DUsable);
    HWND dialog = PressSettingsButton();
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(Enabled(dialog, IDC_SETTING_BACK_COLOR)) << "the picker follows the background box";
    Click(dialog, IDC_SETTING_USER_BACKGROUND);
    EXPECT_TRUE(Enabled(dialog, IDC_SETTING_BACK_COLOR));
    const COLORREF red = ChoosePickerCell(dialog, kRedCell);
    ASSERT_NE(red, CLR_INVALID);
    ASSERT_NE(red, kWhite);
    UpdateWindow(dialog);
    EXPECT_TRUE(CWindowPicture(dialog).SavePng(TestOutputFolder() + L"\\SettingDlg.png"));
    EXPECT_EQ(theApp.m_backColor, kWhite) << "nothing is taken before OK";
    Click(dialog, IDOK);
    EXPECT_EQ(theApp.m_backColor, red);
    EXPECT_EQ(theApp.m_settings, static_cast<uint32_t>(SettingFlag::UserBackground));
    EXPECT_TRUE(WaitForBackground(red));
    EXPECT_EQ(g_previewBitmaps, 1);

    // The word and the colour reach the info cache file, which start-up reads.
    const std::wstring cacheFile = m_scratch.Path() + L"\\cache.dat";
    ASSERT_TRUE(CInfoCache().Save(cacheFile.c_str()));
    theApp.m_settings = 0;
    theApp.m_backColor = kWhite;
    ASSERT_TRUE(CInfoCache().Load(cacheFile.c_str()));
    EXPECT_EQ(theApp.m_settings, static_cast<uint32_t>(SettingFlag::UserBackground));
    EXPECT_EQ(theApp.m_backColor, red);
}

TEST_F(SettingsDlgTest, CancelAndAColourOfAnUncheckedBoxChangeNothing)
{
    Direct2DProbeScope probe(AnswerDirect2DUsable);
    HWND dialog = PressSettingsButton();
    ASSERT_NE(dialog, nullptr);
    Click(dialog, IDC_SETTING_USER_BACKGROUND);
    ASSERT_NE(ChoosePickerCell(dialog, kRedCell), CLR_INVALID);
    Click(dialog, IDC_SETTING_PEN_WIDTHS);
    Click(dialog, IDC_SETTING_DIRECT2D);
    Click(dialog, IDCANCEL);
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_EQ(theApp.m_settings, 0u);
    EXPECT_EQ(theApp.m_backColor, kWhite);

    // A colour chosen and then left behind by unchecking its box.
    dialog = PressSettingsButton();
    ASSERT_NE(dialog, nullptr);
    Click(dialog, IDC_SETTING_USER_BACKGROUND);
    ASSERT_NE(ChoosePickerCell(dialog, kRedCell), CLR_INVALID);
    Click(dialog, IDC_SETTING_USER_BACKGROUND);
    EXPECT_FALSE(Enabled(dialog, IDC_SETTING_BACK_COLOR));
    Click(dialog, IDOK);
    EXPECT_EQ(theApp.m_settings, 0u);
    EXPECT_EQ(theApp.m_backColor, kWhite);
}

// Whether OK renders again. After a case that must not render, a blue
// background is chosen: the first bitmap to arrive must be the blue one,
// since a render started by the case would arrive first and make the
// preview drop the blue request while it is pending.
TEST_F(SettingsDlgTest, OnlyChangesThatShowInThePictureRenderAgain)
{
    Direct2DProbeScope probe(AnswerDirect2DUsable);
    const struct {
        const char* name;
        uint32_t before;
        std::vector<int> clicks;
        bool shift;
        uint32_t after;
        bool renders;
    } cases[] = {
        {"the panning direction alone", 0, {IDC_SETTING_REVERSE_PAN}, false, SettingFlag::ReversePan, false},
        {"Shift turns the wheel round", 0, {}, true, SettingFlag::ReverseWheel, false},
        {"and back", SettingFlag::ReverseWheel, {}, true, 0, false},
        {"no background with the colour unchanged", SettingFlag::UserBackground, {IDC_SETTING_USER_BACKGROUND},
         false, 0, true},
        {"pen widths", 0, {IDC_SETTING_PEN_WIDTHS}, false, SettingFlag::PenWidths, true},
        {"text variables", 0, {IDC_SETTING_TEXT_VARIABLES}, false, SettingFlag::ExpandTextVariables, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        theApp.m_settings = c.before;
        theApp.m_backColor = kWhite;
        g_previewBitmaps = 0;
        HWND dialog = PressSettingsButton();
        ASSERT_NE(dialog, nullptr);
        for (int id : c.clicks)
            Click(dialog, id);
        if (c.shift) {
            ShiftHeld shift;
            Click(dialog, IDOK);
        } else {
            Click(dialog, IDOK);
        }
        EXPECT_EQ(theApp.m_settings, c.after) << std::hex << theApp.m_settings;
        if (c.renders) {
            EXPECT_TRUE(WaitForRenders(1));
            continue;
        }
        theApp.m_settings = 0;
        dialog = PressSettingsButton();
        ASSERT_NE(dialog, nullptr);
        Click(dialog, IDC_SETTING_USER_BACKGROUND);
        const COLORREF blue = ChoosePickerCell(dialog, kBlueCell);
        Click(dialog, IDOK);
        ASSERT_TRUE(WaitForRenders(1));
        EXPECT_EQ(BitmapCornerColour(Shown()), blue);
        EXPECT_EQ(g_previewBitmaps, 1);
    }
}

// A change made while a render runs is rendered when that one ends. The
// render is held at the drawing's render lock until the change is made.
TEST_F(SettingsDlgTest, ChangeMadeWhileARenderRunsIsRenderedAfterIt)
{
    Direct2DProbeScope probe(AnswerDirect2DUsable);
    const std::wstring path = m_scratch.Path() + L"\\drawing.jww";
    CInfoCacheEntry* entry = nullptr;
    ASSERT_TRUE(theApp.m_infoCache.GetEntry(path.c_str(), &entry, nullptr));
    CInfoCachePin pin(theApp.m_infoCache, entry);
    {
        std::unique_lock<std::mutex> held(entry->RenderLock());
        HWND dialog = PressSettingsButton();
        ASSERT_NE(dialog, nullptr);
        Click(dialog, IDC_SETTING_PEN_WIDTHS);
        Click(dialog, IDOK);  // starts a render, which waits for the lock
        dialog = PressSettingsButton();
        ASSERT_NE(dialog, nullptr);
        Click(dialog, IDC_SETTING_USER_BACKGROUND);
        const COLORREF blue = ChoosePickerCell(dialog, kBlueCell);
        ASSERT_NE(blue, CLR_INVALID);
        Click(dialog, IDOK);
        EXPECT_EQ(g_previewBitmaps, 0) << "the first render was not held";
        held.unlock();
        ASSERT_TRUE(WaitForRenders(2));
        EXPECT_EQ(BitmapCornerColour(Shown()), blue);
    }
}

TEST_F(SettingsDlgTest, SettingsButtonOpensAndClosesTheDialog)
{
    HWND dialog = PressSettingsButton();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetAncestor(dialog, GA_ROOTOWNER), m_host.m_hWnd);
    wchar_t caption[64] = {};
    GetWindowTextW(dialog, caption, 64);
    EXPECT_STREQ(caption, L"Preview settings");
    // A second press closes the open dialog.
    EXPECT_EQ(PressSettingsButton(), nullptr);
    EXPECT_FALSE(IsWindow(dialog));
    // One ended with OK is hidden; the next press makes a new one.
    dialog = PressSettingsButton();
    ASSERT_NE(dialog, nullptr);
    Click(dialog, IDOK);
    EXPECT_FALSE(IsWindowVisible(dialog));
    HWND next = PressSettingsButton();
    ASSERT_NE(next, nullptr);
    EXPECT_FALSE(IsWindow(dialog));
    // The preview takes its settings dialog along when it goes.
    DestroyWindow(m_dialog);
    EXPECT_FALSE(IsWindow(next));
}

// Wine has no dark mode: the seam gives the dialog a Windows that has one,
// and the setting forces dark, then light again.
TEST_F(SettingsDlgTest, DarkLookFollowsTheColourSetting)
{
    DarkModeSeam seam;
    ASSERT_TRUE(InitDarkMode());
    ASSERT_TRUE(g_darkModeSupported);
    g_darkModeSetting = 1;
    HWND dialog = PressSettingsButton();
    ASSERT_NE(dialog, nullptr);
    const CSettingDlg* settings = dynamic_cast<CSettingDlg*>(CWnd::FromHandlePermanent(dialog));
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(settings->IsDark());
    EXPECT_TRUE(g_darkModeActive);
    const auto& allowed = seam.Calls().allowDark;
    ASSERT_FALSE(allowed.empty());
    EXPECT_EQ(allowed.back().window, dialog);
    EXPECT_TRUE(allowed.back().dark);

    // A blank spot of the client area, below the last check box.
    RECT window = {}, box = {};
    GetWindowRect(dialog, &window);
    GetWindowRect(GetDlgItem(dialog, IDC_SETTING_TEXT_VARIABLES), &box);
    const POINT blank = {box.left - window.left, box.bottom - window.top + 4};
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    CWindowPicture dark(dialog);
    EXPECT_TRUE(dark.SavePng(TestOutputFolder() + L"\\SettingDlg-dark.png"));
    EXPECT_EQ(dark.Pixel(blank.x, blank.y), kKvDarkBackground);

    g_darkModeSetting = 2;
    SendMessageW(dialog, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
    EXPECT_FALSE(settings->IsDark());
    EXPECT_FALSE(g_darkModeActive);
    EXPECT_EQ(allowed.back().window, dialog);
    EXPECT_FALSE(allowed.back().dark);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_NE(CWindowPicture(dialog).Pixel(blank.x, blank.y), kKvDarkBackground);
    Click(dialog, IDCANCEL);
}
