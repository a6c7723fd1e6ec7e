#pragma once
#include <afxwin.h>
#include <afxcmn.h>

// What a followed link asks of the system: the shell's open and the message
// box of a failure. Tests put fakes in with KvSetHyperLinkShell.
struct KvHyperLinkShell {
    HINSTANCE(WINAPI* shellExecute)(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR params, LPCWSTR dir, INT showCmd);
    int (*showMessage)(LPCWSTR text, UINT type);
};

// Installs the shell the links use (null: the real one); returns the one
// installed before.
const KvHyperLinkShell* KvSetHyperLinkShell(const KvHyperLinkShell* shell);

// Whether a link target is one the shell may open: an http, https or mailto
// address. Anything else (a program, a document path, another protocol) is
// never handed to ShellExecute, so a link's text cannot start programs.
bool KvIsOpenableLink(LPCWSTR url);

// A static control that acts as a link: its text in a link colour (another
// while the mouse is over it, a third once it was followed), underlined, a
// hand cursor and a tooltip with the target; a click opens the target
// through the shell. An image static is a link as a whole.
class CKvHyperLink : public CStatic {
    DECLARE_DYNAMIC(CKvHyperLink)
public:
    CKvHyperLink();
    ~CKvHyperLink() override;

    virtual void SetURL(LPCWSTR url);
    virtual CStringW GetURL() const;
    virtual void SetColors(COLORREF link, COLORREF visited, COLORREF hover);
    virtual COLORREF GetLinkColor() const;
    virtual COLORREF GetVisitedColor() const;
    virtual COLORREF GetHoverColor() const;
    virtual void SetVisited(bool visited);
    virtual bool GetVisited() const;
    virtual void SetLinkCursor(HCURSOR cursor);
    virtual HCURSOR GetLinkCursor() const;
    virtual void SetUnderline(bool underline);
    virtual bool GetUnderline() const;
    // 0xFFFFFFFF: the parent's background.
    virtual void SetBackColor(COLORREF color);
    virtual COLORREF GetBackColor() const;
    // Opens url (m_strURL when null) with the verb "open"; a failure is
    // reported in a message box. Runs on a click; a derived link may
    // override it.
    virtual bool GotoURL(LPCWSTR url, int showCmd, LPCWSTR params = nullptr, LPCWSTR dir = nullptr);
    // SS_LEFT, SS_CENTER or SS_RIGHT: only the text is the link.
    virtual bool IsTextStatic() const;
    virtual bool IsMouseOverLink() const;
    virtual void ReportError(int code);
    virtual bool InitLink();
    virtual bool UpdateFont();
    virtual BOOL CreateLinkFont(CFont& font, bool underline);

    void PreSubclassWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* msg) override;

    bool m_bNavigate;  // false: a click only marks the link as followed
    bool m_bShowTip;   // the tooltip is active and sees the control's mouse messages

protected:
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    afx_msg int OnCreate(LPCREATESTRUCT create);
    afx_msg HBRUSH CtlColor(CDC* dc, UINT ctlColor);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnPaint();
    afx_msg void OnWindowPosChanged(WINDOWPOS* pos);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg BOOL OnClicked();
    DECLARE_MESSAGE_MAP()

    void Redraw();

    bool m_bInitOnSubclass;
    bool m_bUnderline;
    bool m_bHover;
    bool m_bVisited;
    CFont m_font;
    CStringW m_strURL;
    CStringW m_strTipText;
    HCURSOR m_hcurLink;  // a shared cursor: never destroyed
    COLORREF m_crLink;
    COLORREF m_crHover;
    COLORREF m_crVisited;
    COLORREF m_crBack;
    CToolTipCtrl m_toolTip;
};
