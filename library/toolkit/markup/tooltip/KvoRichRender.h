#pragma once
#include <afxwin.h>
#include <richedit.h>
#include <textserv.h>

// Lays out and draws rich text (RTF or plain) without a window through the
// windowless text services of the system's rich-edit library, as their
// host. Every operation answers 0 or (0, 0) and draws nothing when the
// library or its services are missing.
class CKvoRichRender : public CCmdTarget {
public:
    // mingw's import libraries give thunks, not GUIDs, for these.
    static constexpr IID IID_ITextServices = {
        0x8D33F740, 0xCF58, 0x11CE, {0xA8, 0x9D, 0x00, 0xAA, 0x00, 0x6C, 0xAD, 0xC5}};
    static constexpr IID IID_ITextHost = {
        0x13E670F4, 0x1A5A, 0x11CF, {0xAB, 0xEB, 0x00, 0xAA, 0x00, 0xB6, 0x5E, 0xA1}};

    // library: the rich-edit module, from the system folder only.
    explicit CKvoRichRender(LPCWSTR library = L"RICHED20.dll");
    ~CKvoRichRender() override;
    CKvoRichRender(const CKvoRichRender&) = delete;
    CKvoRichRender& operator=(const CKvoRichRender&) = delete;

    bool HasServices() const { return m_services != nullptr; }
    void SetDefaultCharFormat(const CHARFORMATW* format);
    // RTF, or plain text; the number of characters read.
    int SetText(const wchar_t* text);
    // The plain text the services hold; empty without services.
    CStringW GetText() const;
    // The narrowest size that keeps the text as low as at maxWidth.
    SIZE GetTextExtent(CDC* dc, int maxWidth);
    void Draw(CDC* dc, const RECT& rect);

protected:
    LPUNKNOWN GetInterfaceHook(const void* iid) override;

private:
    // The host the services ask for formats, colours and properties. Its
    // reference counting is a no-op: it lives as long as the renderer.
    class XTextHost : public ITextHost {
    public:
        explicit XTextHost(CKvoRichRender* outer) : m_outer(outer) {}
        STDMETHOD(QueryInterface)(REFIID riid, void** object) override;
        STDMETHOD_(ULONG, AddRef)() override;
        STDMETHOD_(ULONG, Release)() override;
        HDC TxGetDC() override;
        INT TxReleaseDC(HDC dc) override;
        WINBOOL TxShowScrollBar(INT bar, WINBOOL show) override;
        WINBOOL TxEnableScrollBar(INT flags, INT arrows) override;
        WINBOOL TxSetScrollRange(INT bar, LONG minimum, INT maximum, WINBOOL redraw) override;
        WINBOOL TxSetScrollPos(INT bar, INT position, WINBOOL redraw) override;
        void TxInvalidateRect(LPCRECT rect, WINBOOL mode) override;
        void TxViewChange(WINBOOL update) override;
        WINBOOL TxCreateCaret(HBITMAP bitmap, INT width, INT height) override;
        WINBOOL TxShowCaret(WINBOOL show) override;
        WINBOOL TxSetCaretPos(INT x, INT y) override;
        WINBOOL TxSetTimer(UINT id, UINT timeout) override;
        void TxKillTimer(UINT id) override;
        void TxScrollWindowEx(INT dx, INT dy, LPCRECT scroll, LPCRECT clip, HRGN update, LPRECT updateRect,
                              UINT flags) override;
        void TxSetCapture(WINBOOL capture) override;
        void TxSetFocus() override;
        void TxSetCursor(HCURSOR cursor, WINBOOL text) override;
        WINBOOL TxScreenToClient(LPPOINT point) override;
        WINBOOL TxClientToScreen(LPPOINT point) override;
        HRESULT TxActivate(LONG* oldState) override;
        HRESULT TxDeactivate(LONG newState) override;
        HRESULT TxGetClientRect(LPRECT rect) override;
        HRESULT TxGetViewInset(LPRECT rect) override;
        HRESULT TxGetCharFormat(const CHARFORMATW** format) override;
        HRESULT TxGetParaFormat(const PARAFORMAT** format) override;
        COLORREF TxGetSysColor(int index) override;
        HRESULT TxGetBackStyle(TXTBACKSTYLE* style) override;
        HRESULT TxGetMaxLength(DWORD* length) override;
        HRESULT TxGetScrollBars(DWORD* scrollBars) override;
        HRESULT TxGetPasswordChar(TCHAR* character) override;
        HRESULT TxGetAcceleratorPos(LONG* position) override;
        HRESULT TxGetExtent(LPSIZEL extent) override;
        HRESULT OnTxCharFormatChange(const CHARFORMATW* format) override;
        HRESULT OnTxParaFormatChange(const PARAFORMAT* format) override;
        HRESULT TxGetPropertyBits(DWORD mask, DWORD* bits) override;
        HRESULT TxNotify(DWORD notification, void* data) override;
        HIMC TxImmGetContext() override;
        void TxImmReleaseContext(HIMC context) override;
        HRESULT TxGetSelectionBarWidth(LONG* width) override;

    private:
        CKvoRichRender* m_outer;
    };

    long StreamIn(const void* bytes, size_t length, WPARAM format);
    // Lays the text out at width; the services report the height it needs.
    LONG LayOut(HDC dc, int width);

    XTextHost m_xTextHost{this};
    ITextServices* m_services = nullptr;
    CHARFORMATW m_charFormat = {};
    PARAFORMAT m_paraFormat = {};
    HMODULE m_library = nullptr;
    int m_naturalWidth = 0;
    int m_naturalHeight = 0;
};
