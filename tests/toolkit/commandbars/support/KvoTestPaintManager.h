// The paint manager the command-bar tests draw with: flat fills of one
// distinct colour per control state, so that a test can tell from a pixel
// what was drawn. Install it with CKvoPaintManager::SetCustomTheme.
#pragma once
#include "commandbars/KvoPaintManager.h"

class CKvoTestPaintManager : public CKvoPaintManager {
public:
    static constexpr COLORREF kBarColor = RGB(0xE0, 0xE0, 0xF0);
    static constexpr COLORREF kHotColor = RGB(0xFF, 0xD0, 0x40);
    static constexpr COLORREF kPressedColor = RGB(0xFF, 0x80, 0x00);
    static constexpr COLORREF kCheckedColor = RGB(0x40, 0xA0, 0xFF);
    static constexpr COLORREF kTextColor = RGB(0x10, 0x10, 0x10);
    static constexpr COLORREF kDisabledTextColor = RGB(0xA0, 0xA0, 0xA0);
    static constexpr COLORREF kSeparatorColor = RGB(0x80, 0x00, 0x80);

    // uxTheme: stand-in visual-style entry points, NULL for the system's;
    // themeId: what GetThemeId answers (0 draws scroll bars flat, 3 with
    // visual styles, 5 in the Office 2007 style).
    explicit CKvoTestPaintManager(KvoUxThemeFunctions* uxTheme = nullptr, int themeId = 0)
        : CKvoPaintManager(uxTheme), m_nReportedThemeId(themeId)
    {
        LiveCount()++;
    }
    ~CKvoTestPaintManager() override { LiveCount()--; }

    // Test paint managers alive now.
    static int& LiveCount()
    {
        static int live = 0;
        return live;
    }
    // The reference count, read by adding and dropping one.
    DWORD ReferenceCount()
    {
        InternalAddRef();
        return InternalRelease();
    }
    // Sub-paint-managers gone, as a theme leaves them when replacing fails.
    void DropSubPaintManagers();

    int GetThemeId() override { return m_nReportedThemeId; }

    void DrawSplitButtonFrame(CDC* dc, CKvoControl*, CRect rect) override { dc->FillSolidRect(&rect, kSeparatorColor); }
    CSize DrawControlListItem(CDC*, CKvoControl*, CRect rect, BOOL, BOOL, CKvoBarManager*) override
    {
        return rect.Size();
    }
    void FillBarBackground(CDC* dc, CKvoCommandBar*) override
    {
        CRect clip;
        dc->GetClipBox(&clip);
        dc->FillSolidRect(&clip, kBarColor);
    }
    COLORREF GetTextColorForState(BOOL, BOOL, BOOL enabled, BOOL, BOOL, int, int) override
    {
        return enabled ? kTextColor : kDisabledTextColor;
    }
    void DrawControlHighlight(CDC* dc, CRect rect, BOOL selected, BOOL pressed, BOOL enabled, BOOL checked,
                              BOOL popupOpen, int, int) override
    {
        if (!enabled)
            return;
        if (pressed || popupOpen)
            dc->FillSolidRect(&rect, kPressedColor);
        else if (checked)
            dc->FillSolidRect(&rect, kCheckedColor);
        else if (selected)
            dc->FillSolidRect(&rect, kHotColor);
    }
    CSize DrawCommandBarSeparator(CDC*, CKvoCommandBar*, CKvoControl*, BOOL) override { return CSize(6, 6); }
    void AdjustExcludeRect(CRect&, CKvoControl*, BOOL) override {}
    CSize DrawTearOffGripper(CDC*, CRect, BOOL, BOOL) override { return CSize(0, 0); }
    void DrawPopupResizeGripper(CDC*, CRect, int) override {}
    void DrawImage(CDC*, int, int, int, int, CKvoImageManagerIcon*, BOOL, BOOL, BOOL, BOOL, BOOL, BOOL) override {}
    CSize DrawGripper(CDC*, CKvoCommandBar*, BOOL) override { return CSize(0, 0); }

    int m_nReportedThemeId;
};
