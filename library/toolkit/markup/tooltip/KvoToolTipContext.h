#pragma once
#include <afxwin.h>
#include <commctrl.h>

class CKvoControl;
class CKvoImageManager;

// The looks a tooltip context can give its owner's tips.
struct KvoToolTipStyle {
    enum : int {
        Standard = 0,   // common tooltip control
        Balloon = 1,    // common tooltip control with TTS_BALLOON
        Office = 2,     // the library's tooltip window, light frame, no shadow
        RichEdit = 3,   // the tool text is RTF
        Luna = 4,       // gradient after the Windows theme
        Office2007 = 5, // the library's tooltip window, Office 2007 drawing
        Html = 6,       // the tool text is HTML
        Markup = 7,     // the tool text is markup
    };
};

// Window-style bits of the library's own tooltip windows, kept in the
// context's tip style beside the TTS_ bits.
constexpr DWORD kKvoTipStyleLightFrame = 0x1000;
constexpr DWORD kKvoTipStyleNoShadow = 0x2000;
constexpr DWORD kKvoTipStyleOffice2007 = 0x4000;

// TOOLINFO.uFlags bit of a hit test: show the tip even when the owner's
// top-level window is not active. Bits 30 and 31 never reach the tip.
constexpr UINT kKvoToolActivateAtOnce = 0x40000000;

// Sent to a child window under the cursor: 1 makes tips look at its parent.
constexpr UINT WM_TOOLTIPHITTRANSPARENT = 0x2A48;
// Gives the library's tooltip window the icon of its tip (lParam, a
// CKvoImageManagerIcon*, not owned; NULL for none).
constexpr UINT TTM_SETTOOLIMAGE = 0x2A49;

// What an owner's hit test may add to a tool. TOOLINFO.lParam points to it
// when TOOLINFO.cbSize is TTTOOLINFOW_V2_SIZE. The context frees the texts.
struct KvoToolInfoExtension {
    wchar_t* description;          // heap copy (FillInToolInfoEx), body under a title
    wchar_t* title;                // heap copy (FillInToolInfoEx)
    CKvoImageManager* imageManager; // source of the tool's icon; not owned
    RECT placement;                // client coordinates: the tip goes to its bottom edge; empty = below the cursor
    CKvoControl* control;          // the command-bar control of the tool; only its bars read it
};

// Gives a window tooltips of one look without the window managing a tooltip
// control. The owner hands every mouse and key message to
// FilterToolTipMessage; the context asks the owner for the tool under the
// cursor (OnToolHitTest), makes the tooltip window of its look on first
// need, registers the tool with it and relays the message. UI thread of the
// owner only.
class CKvoToolTipContext : public CCmdTarget {
public:
    class CStandardToolTip;
    class CLunaToolTip;
    class CRichEditToolTip;
    class CHTMLToolTip;
    class CMarkupToolTip;

    CKvoToolTipContext();
    ~CKvoToolTipContext() override;
    CKvoToolTipContext(const CKvoToolTipContext&) = delete;
    CKvoToolTipContext& operator=(const CKvoToolTipContext&) = delete;

    // A change of look destroys the tooltip window; Balloon is ignored on
    // common controls older than 5.80.
    void SetStyle(int style);
    int GetStyle() const { return m_style; }
    // A change of the bits destroys the tooltip window; it is made again
    // with the new bits on next need.
    void ModifyTipStyle(DWORD remove, DWORD add);
    DWORD GetTipStyle() const { return m_tipStyle; }

    // The tooltip window object of the look, without its window yet; owned
    // by the context.
    virtual CWnd* CreateToolTip(CWnd* parent);
    // The tool of window at clientPoint, as the window's own hit test says;
    // -1 for none.
    virtual INT_PTR OnToolHitTest(CWnd* window, POINT clientPoint, TOOLINFO* info);

    // Called by the owner with each of its mouse and key messages.
    void FilterToolTipMessage(CWnd* window, UINT message, WPARAM wParam, LPARAM lParam);
    void DeactivateToolTip();

    // For hit tests: window, id, rectangle and a heap copy of text (the
    // filter frees it); nothing unless info holds at least a V1 tool info.
    static void FillInToolInfo(TOOLINFO* info, HWND window, RECT rect, UINT_PTR id, const CStringW& text);
    // As FillInToolInfo; for a V2 tool info with an extension record also
    // heap copies of title and description (when both are given) and the
    // image manager.
    static void FillInToolInfoEx(TOOLINFO* info, HWND window, RECT rect, UINT_PTR id, const CStringW& text,
                                 const CStringW& title, const CStringW& description, CKvoImageManager* images);
    // Cuts the four corner pixels off the window by its region.
    static void SetRoundedWindowRegion(CWnd* window);

    // -1 stands for the screen width.
    int GetMaxTipWidth() const { return m_maxTipWidth; }
    void SetMaxTipWidth(int width) { m_maxTipWidth = width; }
    // The colours the library's own tooltip windows draw with.
    COLORREF GetBackColor() const;
    COLORREF GetTextColor() const;
    // CLR_NONE: the look's own colour.
    void SetTipBkColor(COLORREF color) { m_backColor = color; }
    void SetTipTextColor(COLORREF color) { m_textColor = color; }
    const RECT& GetMargin() const { return m_margin; }
    void SetMargin(const RECT& margin) { m_margin = margin; }
    // TTDT_INITIAL, TTDT_RESHOW or TTDT_AUTOPOP; -1 leaves the window's own.
    void SetDelayTime(DWORD kind, int milliseconds);

    void ShowTitleAndDescription(bool show, int titleIcon = TTI_INFO);
    void ShowImage(bool show, int iconWidth = 1, int iconIdOffset = 0);
    BOOL IsComCtlTitleSupported() const { return m_comCtlVersion >= 0x50050; }
    DWORD GetComCtlVersion() const { return m_comCtlVersion; }
    // The version read from COMCTL32 at construction, replaceable for a
    // look that depends on it.
    void SetComCtlVersion(DWORD version) { m_comCtlVersion = version; }

    CFont* GetFont() { return &m_font; }
    CFont* GetBoldFont() { return &m_boldFont; }
    // The tooltip window object; NULL until first need.
    CWnd* GetToolTip() const { return m_toolTip; }

protected:
    void RelayToolTipMessage(MSG* msg);

private:
    bool IsMovingMessage(UINT message) const;
    static bool IsHidingMessage(UINT message);
    bool EnsureToolTipWindow(CWnd* parent);
    void ConfigureToolTipWindow();
    void RegisterTool(TOOLINFO& info, KvoToolInfoExtension& extension, INT_PTR hit, bool active);
    void RemoveLastTool();
    void DestroyToolTip();
    static void FreeHeapCopies(TOOLINFO& info, KvoToolInfoExtension& extension);

    bool m_showTitle = false;
    bool m_showImage = false;
    int m_iconWidth = 1;
    int m_iconIdOffset = 0;
    int m_style = KvoToolTipStyle::Standard;
    DWORD m_comCtlVersion;
    int m_titleIcon = TTI_INFO;
    int m_maxTipWidth;
    DWORD m_tipStyle = TTS_NOPREFIX;
    RECT m_margin = {};
    int m_initialDelay = -1;
    int m_reshowDelay = -1;
    int m_autoPopDelay = -1;
    CWnd* m_toolTip = nullptr;
    TOOLINFO m_lastTool = {};
    COLORREF m_backColor = CLR_NONE;
    COLORREF m_textColor = CLR_NONE;
    CFont m_font;
    CFont m_boldFont;
};
