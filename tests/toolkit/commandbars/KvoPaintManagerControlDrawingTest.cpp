// The paint manager's default drawing of controls in toolbars: measuring
// by type and style, the caption painters (embossed text, underlines, text
// on glass) and the marks, measured and read back from pixels; a picture of
// a bar with buttons of every style and state.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commandbars/KvoControl.h"
#include "commandbars/KvoControls.h"
#include "commandbars/KvoPaintManager.h"
#include "framework/WindowTestSupport.h"
#include "toolkit/commandbars/support/KvoRecordingUxTheme.h"
#include "toolkit/foundation/DibCanvas.h"
#include "toolkit/commandbars/support/KvoTestCommandBar.h"
#include "toolkit/commandbars/support/KvoTestFrame.h"
#include "toolkit/commandbars/support/KvoTestPaintManager.h"

namespace {
// Pixels of color in area.
int Count(DibCanvas& canvas, CRect area, COLORREF color)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += canvas.Pixel(x, y) == color;
    return count;
}

class KvoControlDrawingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_paintManager = new CKvoTestPaintManager(m_uxTheme.Functions());
        CKvoPaintManager::SetCustomTheme(m_paintManager);
        m_paintManager->m_nTextHeight = 22;
    }
    void TearDown() override
    {
        m_bar.GetControls()->RemoveAllControls();
        CKvoPaintManager::DestroyInstance();
        m_paintManager->InternalRelease();
    }
    CKvoControl* Add(int type, LPCWSTR caption, int style)
    {
        CKvoControl* control = m_bar.GetControls()->AddControlOfType(KvoControlTypeButton, 4000 + m_bar.GetControlCount());
        control->SetType(type);
        control->SetCaption(caption);
        control->SetStyle(style);
        return control;
    }
    CSize Measure(CKvoControl* control)
    {
        CWindowDC screen(nullptr);
        return control->GetSize(&screen);
    }

    KvoRecordingUxTheme m_uxTheme;
    CKvoTestPaintManager* m_paintManager = nullptr;
    CKvoTestCommandBar m_bar;
};

TEST_F(KvoControlDrawingTest, MeasuresByStyleOwnSizeAndBarDirection)
{
    CKvoControl* large = Add(KvoControlTypeButton, L"A", KvoButtonIconAndCaptionBelow);
    EXPECT_EQ(42, Measure(large).cx) << "2 x 22 - 3 raised to 42";

    CKvoControl* wide = Add(KvoControlTypeButton, L"Some caption", KvoButtonCaption);
    wide->SetWidth(120);
    EXPECT_EQ(120, Measure(wide).cx);
    m_bar.m_barPosition = KvoBarLeft;
    EXPECT_EQ(120, Measure(wide).cy) << "own width runs along a vertical bar";
    m_bar.m_barPosition = KvoBarTop;

    CKvoControl* captionOnly = Add(KvoControlTypeButton, L"Caption", KvoButtonCaption);
    CKvoControl* popup = Add(KvoControlTypePopup, L"Caption", KvoButtonCaption);
    const CSize button = Measure(captionOnly);
    const CSize withGlyph = Measure(popup);
    m_paintManager->m_bCompactDropDownGlyph = TRUE;
    const CSize compactGlyph = Measure(popup);
    // Button: text + 8 with no image area; popup: text + glyph (10, compact 8) + 6.
    EXPECT_EQ(withGlyph.cx - 2, compactGlyph.cx);
    EXPECT_EQ(button.cx - 8 + 10 + 6, withGlyph.cx);

    CKvoControl* check = Add(KvoControlTypeCheckBox, L"Caption", KvoButtonCaption);
    EXPECT_EQ(13 + 5 + (button.cx - 8), Measure(check).cx) << "mark, gap, caption";
}

TEST(KvoSplitCaptionTest, SplitsAtTheBlankNearestTheMiddle)
{
    struct Case {
        LPCWSTR caption;
        LPCWSTR line1;
        LPCWSTR line2;
    };
    const Case cases[] = {
        {L"abcd efgh", L"abcd", L"efgh"},
        {L"abcdefgh", L"abcdefgh", L""},
        {L" abc def", L" abc def", L""},
        {L"abc", L"abc", L""},
        {L"a bcdef gh", L"a bcdef", L"gh"},
        {L"", L"", L""},
    };
    for (const Case& c : cases) {
        CString line1, line2;
        CKvoPaintManager::SplitCaption(c.caption, line1, line2);
        EXPECT_STREQ(c.line1, line1) << c.caption;
        EXPECT_STREQ(c.line2, line2) << c.caption;
    }
}

TEST_F(KvoControlDrawingTest, DisabledCaptionIsEmbossedOnlyWithTheOption)
{
    CKvoControl* control = Add(KvoControlTypeButton, L"Disabled", KvoButtonCaption);
    control->SetEnabled(FALSE);
    control->SetRect(CRect(0, 0, 100, 24));
    const COLORREF emboss = m_paintManager->GetPaletteColor(static_cast<KvoPaletteIndex>(COLOR_BTNHIGHLIGHT));
    const COLORREF back = RGB(0x20, 0x60, 0x20);

    DibCanvas embossed(100, 24, back);
    embossed.DC()->SetBkMode(TRANSPARENT); // as the bar draws its controls
    control->Draw(embossed.DC());
    EXPECT_GT(Count(embossed, CRect(0, 0, 100, 24), emboss), 10);
    EXPECT_GT(Count(embossed, CRect(0, 0, 100, 24), CKvoTestPaintManager::kDisabledTextColor), 10);

    m_paintManager->m_bEmbossedDisabledText = FALSE;
    DibCanvas plain(100, 24, back);
    plain.DC()->SetBkMode(TRANSPARENT);
    control->Draw(plain.DC());
    EXPECT_EQ(0, Count(plain, CRect(0, 0, 100, 24), emboss));
}

TEST_F(KvoControlDrawingTest, UnderlinesFollowTheOverrideElseTheBar)
{
    CKvoControl* control = Add(KvoControlTypeButton, L"&WWW", KvoButtonCaption);
    control->SetRect(CRect(0, 0, 100, 24));
    auto textPixels = [&](int override) {
        m_paintManager->m_nShowKeyboardCues = override;
        DibCanvas canvas(100, 24, RGB(255, 255, 255));
        control->Draw(canvas.DC());
        return Count(canvas, CRect(0, 0, 100, 24), CKvoTestPaintManager::kTextColor);
    };
    const int hidden = textPixels(0);
    const int shown = textPixels(1);
    EXPECT_GT(shown, hidden) << "the underline adds pixels";
    EXPECT_EQ(shown, textPixels(-1)) << "a bar without a manager shows keyboard cues";
}

// The composited text of glass, through a stand-in for the visual styles
// whose DrawThemeTextEx accepts only the full DTTOPTS, as the system does.
struct GlassTextRecorder {
    static std::vector<DWORD>& Sizes()
    {
        static std::vector<DWORD> sizes;
        return sizes;
    }
    static HPAINTBUFFER WINAPI BeginBufferedPaint(HDC target, const RECT*, BP_BUFFERFORMAT, BP_PAINTPARAMS*, HDC* paint)
    {
        *paint = target;
        return reinterpret_cast<HPAINTBUFFER>(1);
    }
    static HRESULT WINAPI EndBufferedPaint(HPAINTBUFFER, BOOL) { return S_OK; }
    static HRESULT WINAPI DrawThemeTextEx(HTHEME, HDC dc, int, int, LPCWSTR text, int length, DWORD flags, LPRECT rect,
                                          const DTTOPTS* options)
    {
        Sizes().push_back(options->dwSize);
        if (options->dwSize != sizeof(DTTOPTS))
            return E_INVALIDARG;
        ::SetTextColor(dc, options->crText);
        ::SetBkMode(dc, TRANSPARENT);
        ::DrawTextW(dc, text, length, rect, flags);
        return S_OK;
    }
};

TEST_F(KvoControlDrawingTest, TextOnGlassIsCompositedWithTheFullOptionsRecord)
{
    KvoUxThemeFunctions* functions = m_uxTheme.Functions();
    functions->beginBufferedPaint = GlassTextRecorder::BeginBufferedPaint;
    functions->endBufferedPaint = GlassTextRecorder::EndBufferedPaint;
    functions->drawThemeTextEx = GlassTextRecorder::DrawThemeTextEx;
    GlassTextRecorder::Sizes().clear();
    m_bar.m_bRibbon = TRUE;
    m_bar.m_rcGlassCaption = CRect(0, 0, 100, 24);
    CKvoControl* control = Add(KvoControlTypeButton, L"Glass", KvoButtonCaption);
    control->SetRect(CRect(0, 0, 100, 24));

    DibCanvas canvas(100, 24, RGB(255, 255, 255));
    control->Draw(canvas.DC());

    ASSERT_EQ(1u, GlassTextRecorder::Sizes().size());
    EXPECT_EQ(sizeof(DTTOPTS), GlassTextRecorder::Sizes()[0]);
    EXPECT_GT(Count(canvas, CRect(0, 0, 100, 24), CKvoTestPaintManager::kTextColor), 10) << "the text shows";
    EXPECT_EQ(L"GLOBALS", KvoRecordingUxTheme::Opened().back());
}

TEST_F(KvoControlDrawingTest, ClassicMarksAndTheDropDownGlyphDraw)
{
    const CRect markRect(2, 2, 15, 15);
    auto markPixels = [&](int checked, BOOL radio) {
        DibCanvas canvas(20, 20, RGB(0x20, 0x60, 0x20));
        if (radio)
            m_paintManager->DrawRadioButtonMark(canvas.DC(), markRect, TRUE, FALSE, FALSE, checked, TRUE);
        else
            m_paintManager->DrawCheckBoxMark(canvas.DC(), markRect, TRUE, FALSE, FALSE, checked, TRUE);
        return Count(canvas, markRect, RGB(0, 0, 0));
    };
    EXPECT_GT(markPixels(1, FALSE), markPixels(0, FALSE)) << "the check adds dark pixels";
    EXPECT_GT(markPixels(1, TRUE), markPixels(0, TRUE)) << "the dot adds dark pixels";

    DibCanvas glyph(20, 20, RGB(255, 255, 255));
    m_paintManager->DrawDropDownGlyph(glyph.DC(), nullptr, 10, 10, FALSE, FALSE, TRUE, FALSE);
    EXPECT_EQ(CKvoTestPaintManager::kTextColor, glyph.Pixel(10, 10)) << "apex";
    EXPECT_EQ(CKvoTestPaintManager::kTextColor, glyph.Pixel(8, 9)) << "base";
    EXPECT_EQ(RGB(255, 255, 255), glyph.Pixel(10, 12));
}

// A bar a person looks at: buttons of every style and state drawn by the
// default control drawing in a frame.
TEST(KvoCommandBarPictureTest, BarWithButtonsOfEveryStyleAndState)
{
    CKvoTestPaintManager* paintManager = new CKvoTestPaintManager;
    CKvoPaintManager::SetCustomTheme(paintManager);
    CKvoTestFrame* frame = new CKvoTestFrame;
    ASSERT_TRUE(frame->CreateFrame(60, 60, 640, 90));
    CKvoCommandBar* bar = frame->GetBar();
    bar->MoveWindow(0, 0, 640, 60);
    struct Item {
        int type;
        LPCWSTR caption;
        int width;
    };
    const Item items[] = {
        {KvoControlTypeButton, L"&Normal", 60},  {KvoControlTypeButton, L"&Hot", 44},
        {KvoControlTypeButton, L"&Underlined", 64}, {KvoControlTypeButton, L"&Checked", 64},
        {KvoControlTypeButton, L"&Disabled", 64}, {KvoControlTypePopup, L"Pop&up", 64},
        {KvoControlTypeSplitButtonPopup, L"&Split", 64}, {KvoControlTypeCheckBox, L"Chec&k", 70},
        {KvoControlTypeRadioButton, L"&Radio", 70}, {KvoControlTypeButton, L"Large button", 60},
    };
    int x = 2;
    for (const Item& item : items) {
        CKvoControl* control = bar->GetControls()->AddControlOfType(KvoControlTypeButton, 5000 + x);
        control->SetType(item.type);
        control->SetCaption(item.caption);
        control->SetStyle(KvoButtonCaption);
        control->SetRect(CRect(x, 4, x + item.width - 2, item.width == 60 && x > 500 ? 56 : 28));
        x += item.width;
    }
    bar->GetControl(1)->SetSelected(1);
    bar->GetControl(3)->SetChecked(TRUE);
    bar->GetControl(4)->SetEnabled(FALSE);
    bar->GetControl(7)->SetChecked(TRUE);
    bar->GetControl(8)->SetChecked(TRUE);
    bar->GetControl(9)->SetStyle(KvoButtonIconAndCaptionBelow);
    paintManager->m_bTwoLineCaptions = TRUE;
    frame->Show();
    frame->GetBar()->Invalidate(FALSE);
    frame->GetBar()->UpdateWindow();
    CWindowPicture picture(bar->GetSafeHwnd());
    EXPECT_TRUE(picture.SavePng(TestOutputFolder() + L"\\KvoCommandBar-styles.png"));
    EXPECT_EQ(CKvoTestPaintManager::kHotColor, picture.Pixel(62 + 2, 6));
    EXPECT_EQ(CKvoTestPaintManager::kCheckedColor, picture.Pixel(168 + 2, 6));
    frame->DestroyWindow();
    CKvoPaintManager::DestroyInstance();
    paintManager->InternalRelease();
}
} // namespace

namespace {
TEST_F(KvoControlDrawingTest, PopupItemsMeasureCaptionAndShortcut)
{
    m_bar.m_barType = KvoBarTypePopup;
    CKvoControl* plain = Add(KvoControlTypeButton, L"Open", KvoButtonAutomatic);
    CKvoControl* withShortcut = Add(KvoControlTypeButton, L"Open", KvoButtonAutomatic);
    withShortcut->SetShortcutText(L"Ctrl+O");
    const CSize plainSize = Measure(plain);
    CWindowDC screen(nullptr);
    CFont* oldFont = screen.SelectObject(m_paintManager->GetControlFont(&m_bar, FALSE));
    const int captionWidth = screen.GetTextExtent(L"Open").cx;
    const int shortcutWidth = screen.GetTextExtent(L"Ctrl+O").cx;
    screen.SelectObject(oldFont);
    // caption + 4 + gripper column (none, less one) + 32
    EXPECT_EQ(captionWidth + 4 - 1 + 32, plainSize.cx);
    EXPECT_EQ(plainSize.cx + shortcutWidth, Measure(withShortcut).cx);
    EXPECT_EQ(m_paintManager->GetPopupImageCellSize(&m_bar).cy, plainSize.cy);
}

TEST_F(KvoControlDrawingTest, MenuMarksDrawInTheirColour)
{
    const COLORREF mark = RGB(0x10, 0x20, 0xC0);
    DibCanvas canvas(40, 20, RGB(255, 255, 255));
    m_paintManager->DrawMenuCheckMark(canvas.DC(), CRect(0, 0, 20, 20), TRUE, mark);
    m_paintManager->DrawMenuRadioMark(canvas.DC(), CRect(20, 0, 40, 20), TRUE, mark);
    EXPECT_GE(Count(canvas, CRect(0, 0, 20, 20), mark), 10) << "two-pixel check";
    EXPECT_GE(Count(canvas, CRect(20, 0, 40, 20), mark), 8) << "filled circle";
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(1, 1));
}
} // namespace
