#pragma once
#include "commandbars/KvoPaintManager.h"
#include "foundation/images/KvoImageManagerIcon.h"

// The plainest drawing a theme can give the paint manager's pure
// operations: flat fills of the system colours, button text or grey text,
// icons as they are, no separators and no grippers. The Default and Office
// themes draw so until they get their own looks.
template <class Base>
class CKvoPlainThemeDrawing : public Base {
public:
    void DrawSplitButtonFrame(CDC*, CKvoControl*, CRect) override {}
    CSize DrawControlListItem(CDC*, CKvoControl*, CRect, BOOL, BOOL, CKvoBarManager*) override
    {
        return CSize(0, 0);
    }
    void FillBarBackground(CDC* dc, CKvoCommandBar*) override
    {
        CRect clip;
        dc->GetClipBox(&clip);
        dc->FillSolidRect(&clip, this->GetPaletteColor(COLOR_BTNFACE));
    }
    COLORREF GetTextColorForState(BOOL, BOOL, BOOL enabled, BOOL, BOOL, int, int) override
    {
        return this->GetPaletteColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    }
    void DrawControlHighlight(CDC* dc, CRect rect, BOOL selected, BOOL pressed, BOOL enabled, BOOL checked,
                              BOOL popupOpen, int, int) override
    {
        if (!enabled)
            return;
        if (pressed || checked || popupOpen)
            dc->FillSolidRect(&rect, this->GetPaletteColor(COLOR_BTNSHADOW));
        else if (selected)
            dc->FillSolidRect(&rect, this->GetPaletteColor(COLOR_BTNHIGHLIGHT));
    }
    CSize DrawCommandBarSeparator(CDC*, CKvoCommandBar*, CKvoControl*, BOOL) override { return CSize(0, 0); }
    void AdjustExcludeRect(CRect&, CKvoControl*, BOOL) override {}
    CSize DrawTearOffGripper(CDC*, CRect, BOOL, BOOL) override { return CSize(0, 0); }
    void DrawPopupResizeGripper(CDC*, CRect, int) override {}
    void DrawImage(CDC* dc, int x, int y, int cx, int cy, CKvoImageManagerIcon* image, BOOL, BOOL, BOOL, BOOL, BOOL,
                   BOOL) override
    {
        if (image)
            image->DrawScaled(dc, CPoint(x, y), cx, cy);
    }
    CSize DrawGripper(CDC*, CKvoCommandBar*, BOOL) override { return CSize(0, 0); }
};
