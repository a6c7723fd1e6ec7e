#pragma once
#include <afxwin.h>
#include <afxcmn.h>

#include "foundation/controls/KvColorDialog.h"

// Which colour control has the focus: 0 none, 1 the field, 2 the bar.
extern int g_kvColorFocus;

// Hue, saturation and luminance of a colour, each 0 to 255.
void KvRgbToHsl(COLORREF clr, int& nLum, int& nSat, int& nHue);

// A colour control of the custom page: a static that tracks the mouse and
// tells the page where it was clicked.
class CKvColorBase : public CStatic
{
public:
    CKvColorBase();

    virtual void SetPoint(int x, int y);
    virtual void Init();

    double GetLum() const { return m_dLum; }
    double GetSat() const { return m_dSat; }
    double GetHue() const { return m_dHue; }
    CPoint GetMarker() const { return m_ptMarker; }

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Arrow keys this control moves its marker by.
    virtual bool MovesWithKey(UINT nKey) const = 0;
    virtual int FocusCode() const = 0;
    int Scale(int nValue) const { return MulDiv(nValue, m_nDpi, 96); }
    void EndDialogOK();

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    bool m_bInitOnSubclass;
    int m_nDpi;
    CKvColorDialog* m_pDialog;
    double m_dLum;
    double m_dSat;
    double m_dHue;
    CPoint m_ptMarker;
};

// The field: hue grows to the right, saturation upwards.
class CKvColorWnd : public CKvColorBase
{
public:
    void SetPoint(int x, int y) override;
    virtual void SetHueSat(double dHue, double dSat);
    void SetHue(double dHue);
    void SetSat(double dSat);

protected:
    bool MovesWithKey(UINT nKey) const override;
    int FocusCode() const override { return 1; }
    afx_msg void OnPaint();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

private:
    void RenderField(CDC* pDC, const CRect& rcClient);
    CBitmap m_bmpField;
};

// The bar: the luminance scale of the chosen hue and saturation.
class CKvColorLum : public CKvColorBase
{
public:
    void SetPoint(int x, int y) override;
    virtual void SetHueSat(double dHue, double dSat);
    void SetLuminance(double dLum);
    CRect GetBarRect() const;

protected:
    bool MovesWithKey(UINT nKey) const override;
    int FocusCode() const override { return 2; }
    afx_msg void OnPaint();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

private:
    void DrawMarker(CDC* pDC, int x0, int y);
};

// The custom page: the field, the bar and the six values on a 0 to 255
// scale, kept consistent with each other and the dialog's new colour.
class CKvColorPageCustom : public KvPropPage
{
public:
    explicit CKvColorPageCustom(CKvColorDialog* pDialog);

    CKvColorDialog* GetColorDialog() const { return m_pDialog; }
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    void UpdateRGB(COLORREF clr);

    CKvColorWnd& GetField() { return m_wndField; }
    CKvColorLum& GetBar() { return m_wndBar; }

    int m_nRed;
    int m_nBlue;
    int m_nGreen;
    int m_nHue;
    int m_nLum;
    int m_nSat;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnRgbChange();
    afx_msg void OnHueChange();
    afx_msg void OnSatChange();
    afx_msg void OnLumChange();
    afx_msg LRESULT OnUpdateColor(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    COLORREF ColorFromHsl() const;
    void TakeColor(COLORREF clr);
    void ApplyColor(COLORREF clr);
    // Reads the edits; false when one holds no value in range (then nothing
    // follows the edit).
    bool ReadEdits();

    CKvColorWnd m_wndField;
    CKvColorLum m_wndBar;
    CStatic m_wndLabels[6];
    CEdit m_wndEdits[6];
    CSpinButtonCtrl m_wndSpins[6];
    CKvColorDialog* m_pDialog;
    // Set while the page writes the edits itself, so the EN_CHANGE that each
    // write raises does not start another round.
    bool m_bUpdating;
};
