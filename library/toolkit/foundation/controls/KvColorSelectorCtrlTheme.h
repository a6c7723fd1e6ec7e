#pragma once
#include <afxwin.h>

#include "foundation/base/KvThemeManager.h"

struct COLOR_CELL;

// Identifiers under which CKvColorSelectorCtrlThemeFactory makes the themes.
enum KvColorSelectorThemeId
{
    KvColorSelectorThemeDefault = 0,
    KvColorSelectorThemeOfficeXP = 1,
    KvColorSelectorThemeOffice2003 = 2,
};

// The classic look of the colour selector: a face-coloured grid whose hot,
// pressed and checked cells get three-dimensional frames.
class CKvColorSelectorCtrlTheme : public CKvThemeManagerStyle
{
public:
    CKvColorSelectorCtrlTheme();

    void RefreshMetrics() override;
    virtual void FillBackground(CDC* pDC, const RECT& rect);
    virtual void DrawCell(COLOR_CELL* pCell, CDC* pDC, bool bHot, bool bPressed);

    int GetThemeID() const { return m_nThemeId; }
    void SetThemeID(int nId) { m_nThemeId = nId; }
    void SetDpi(int nDpi) { m_nDpi = nDpi; }
    COLORREF GetBackgroundColor() const { return m_clrBackground; }

protected:
    // Looks a palette index up the way the theme takes its colours.
    virtual COLORREF ThemeColor(int nIndex) const;
    int Scale(int nValue) const;
    void SetColors(int nLight, int nDark, int nBack, int nPressed, int nHot, int nChecked, int nText);

    int m_nDpi;
    COLORREF m_clrLightFrame;
    COLORREF m_clrDarkFrame;
    COLORREF m_clrBackground;
    COLORREF m_clrPressedFill;
    COLORREF m_clrHotFill;
    COLORREF m_clrCheckedFill;
    COLORREF m_clrText;

private:
    void DrawFrame(CDC* pDC, const RECT& rect, bool bSunken);
    int m_nThemeId;
};

// Flat cells with the toolkit's highlight colours.
class CKvColorSelectorCtrlThemeOfficeXP : public CKvColorSelectorCtrlTheme
{
public:
    void RefreshMetrics() override;
};

// The Office XP look in the colours of the Windows colour scheme.
class CKvColorSelectorCtrlThemeOffice2003 : public CKvColorSelectorCtrlThemeOfficeXP
{
protected:
    COLORREF ThemeColor(int nIndex) const override;
};

class CKvColorSelectorCtrlThemeFactory : public CKvThemeManagerStyleFactory
{
    DECLARE_DYNCREATE(CKvColorSelectorCtrlThemeFactory)
public:
    CKvThemeManagerStyle* CreateTheme(int nThemeId) override;
};
