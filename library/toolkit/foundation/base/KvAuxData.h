#pragma once
#include <afxwin.h>

// Data the toolkit's own controls share (the colour picker and the colour
// selector read it): colours, cursors, metrics, fonts and the Windows
// version flags. One record per process, made on first use. UI thread only.
class CKvAuxData {
public:
    static CKvAuxData* Instance();

    CKvAuxData();
    virtual ~CKvAuxData();

    CKvAuxData(const CKvAuxData&) = delete;
    CKvAuxData& operator=(const CKvAuxData&) = delete;

    // Re-reads the colours from a refreshed colour manager.
    void UpdateSysColors();
    void UpdateSysMetrics();
    // Makes the fonts afresh from the system's menu, icon-title, status and
    // small-caption fonts.
    void UpdateFonts();

    // The colours, in the order of their palette indices in kAuxColorIndices
    // (the first twenty are the Windows system colours).
    COLORREF clrBtnFace, clrBtnShadow, clr3DDkShadow, clrBtnHilite, clr3DLight, clrBtnText, clrGrayText,
        clrHighlight, clrHighlightText, clrMenu, clrMenuText, clrWindow, clrWindowFrame, clrWindowText,
        clrActiveCaption, clrInactiveCaption, clrGradientActiveCaption, clrGradientInactiveCaption, clrCaptionText,
        clrInactiveCaptionText;
    // Toolkit palette colours 30 to 49.
    COLORREF clrToolkit[20];

    // Toolkit cursors 9308, 9309 and 9311 of the language module, the hand,
    // toolkit cursors 9970 and 9971, and the four-way arrow. Not owned: shared
    // cursors are never destroyed.
    enum Cursor { CursorToolkit9308, CursorToolkit9309, CursorToolkit9311, CursorHand, CursorToolkit9970,
                  CursorToolkit9971, CursorSizeAll, CursorCount };
    HCURSOR hCursors[CursorCount];

    int cxSmallIcon, cySmallIcon;
    int cxSmallBox, cySmallBox;  // a fixed 18 x 18 box
    int cxHorizontalThumb, cyVerticalThumb;
    int cyMenu;

    CFont fontNormal, fontBold, fontUnderline, fontVertical, fontVerticalBold, fontIconTitle, fontIconTitleBold,
        fontMarlett, fontStatus, fontSmallCaption;

    BOOL bIsWin95, bIsWin98, bIsWinNT4, bIsWin2K, bIsWinXP, bIsWinVista, bIsWin7, bIsWin8, bIsWin81, bIsWin10;
    // Prefer "Tahoma" for the menu font (when it exists and the menu font's
    // character set is a Western one); FALSE unless a caller sets it.
    BOOL bUseTahoma;
    DWORD dwComCtlVersion;

private:
    void LoadCursors();
    void DeleteFonts();
    bool CreateFonts();
};

// The palette index behind each colour of CKvAuxData, in member order.
extern const DWORD kAuxColorIndices[40];
