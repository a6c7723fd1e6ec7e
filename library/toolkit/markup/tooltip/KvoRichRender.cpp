#include "markup/tooltip/KvoRichRender.h"

#include <cstring>
#include <cwchar>
#include <vector>

#include "foundation/base/KvThemeManager.h"
#include "foundation/base/KvoResourceManager.h"

namespace {

// Bytes of one memory buffer handed to the services as they ask for them.
struct StreamSource {
    const BYTE* bytes;
    size_t length;
    size_t offset;
};

DWORD CALLBACK ReadStreamSource(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* read)
{
    auto* source = reinterpret_cast<StreamSource*>(cookie);
    const size_t left = source->length - source->offset;
    const size_t count = left < static_cast<size_t>(size) ? left : static_cast<size_t>(size);
    memcpy(buffer, source->bytes + source->offset, count);
    source->offset += count;
    *read = static_cast<LONG>(count);
    return 0;
}

bool StartsAsRtf(const wchar_t* text)
{
    return wcsncmp(text, L"{\\rtf", 5) == 0 || wcsncmp(text, L"{\\urtf", 6) == 0;
}

UINT ResourceCodePage()
{
    const KvoLanguageInfo* language = CKvoResourceManager::Instance()->GetLanguage();
    return language && language->codePage ? language->codePage : CP_ACP;
}

} // namespace

CKvoRichRender::CKvoRichRender(LPCWSTR library)
{
    NONCLIENTMETRICSW metrics = {};
    InitNonClientMetrics(&metrics);
    HDC screen = ::GetDC(NULL);
    const int pixelsPerInch = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(NULL, screen);
    m_charFormat.cbSize = sizeof(m_charFormat);
    m_charFormat.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_CHARSET | CFM_FACE |
                          CFM_COLOR | CFM_SIZE;
    m_charFormat.yHeight = -::MulDiv(metrics.lfMessageFont.lfHeight, 1440, pixelsPerInch);
    m_charFormat.crTextColor = ::GetSysColor(COLOR_BTNTEXT);
    wcsncpy(m_charFormat.szFaceName, metrics.lfMessageFont.lfFaceName, LF_FACESIZE - 1);
    m_paraFormat.cbSize = sizeof(m_paraFormat);
    m_paraFormat.dwMask = PFM_STARTINDENT | PFM_RIGHTINDENT | PFM_OFFSET | PFM_ALIGNMENT | PFM_TABSTOPS |
                          PFM_NUMBERING | PFM_RTLPARA | PFM_OFFSETINDENT;
    m_paraFormat.wAlignment = PFA_LEFT;

    // From the system folder only: the current folder may hold a planted copy.
    m_library = ::LoadLibraryExW(library, NULL, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!m_library)
        return;
    auto create = reinterpret_cast<PCreateTextServices>(
        reinterpret_cast<void*>(::GetProcAddress(m_library, "CreateTextServices")));
    IUnknown* unknown = nullptr;
    if (!create || FAILED(create(NULL, &m_xTextHost, &unknown)) || !unknown)
        return;
    unknown->QueryInterface(IID_ITextServices, reinterpret_cast<void**>(&m_services));
    unknown->Release();
}

CKvoRichRender::~CKvoRichRender()
{
    if (m_services)
        m_services->Release();
    if (m_library)
        ::FreeLibrary(m_library);
}

LPUNKNOWN CKvoRichRender::GetInterfaceHook(const void* iid)
{
    const IID& asked = *static_cast<const IID*>(iid);
    if (IsEqualIID(asked, IID_ITextHost) || IsEqualIID(asked, IID_IUnknown))
        return &m_xTextHost;
    return CCmdTarget::GetInterfaceHook(iid);
}

void CKvoRichRender::SetDefaultCharFormat(const CHARFORMATW* format)
{
    if (!format)
        return;
    m_charFormat = *format;
    if (m_services)
        m_services->TxSendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&m_charFormat), nullptr);
}

long CKvoRichRender::StreamIn(const void* bytes, size_t length, WPARAM format)
{
    StreamSource source = {static_cast<const BYTE*>(bytes), length, 0};
    EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(&source), 0, &ReadStreamSource};
    LRESULT read = 0;
    m_services->TxSendMessage(EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream), &read);
    return static_cast<long>(read);
}

int CKvoRichRender::SetText(const wchar_t* text)
{
    if (!m_services)
        return 0;
    if (!text || !*text) {
        m_services->TxSetText(L"");
        return 0;
    }
    long read = 0;
    if (StartsAsRtf(text)) {
        // RTF is bytes: its own escapes carry what the code page cannot.
        const UINT codePage = ResourceCodePage();
        const int size = ::WideCharToMultiByte(codePage, 0, text, -1, nullptr, 0, nullptr, nullptr);
        std::vector<char> bytes(size > 0 ? size : 1);
        ::WideCharToMultiByte(codePage, 0, text, -1, bytes.data(), size, nullptr, nullptr);
        read = StreamIn(bytes.data(), size > 0 ? size - 1 : 0, SF_RTF);
    }
    // Plain text goes as UTF-16, so no character is lost to a code page.
    if (read < 1)
        read = StreamIn(text, wcslen(text) * sizeof(wchar_t), SF_TEXT | SF_UNICODE);
    return static_cast<int>(read);
}

CStringW CKvoRichRender::GetText() const
{
    BSTR text = nullptr;
    if (!m_services || FAILED(m_services->TxGetText(&text)) || !text)
        return CStringW();
    CStringW result(text, static_cast<int>(::SysStringLen(text)));
    ::SysFreeString(text);
    return result;
}

LONG CKvoRichRender::LayOut(HDC dc, int width)
{
    RECTL bounds = {0, 0, width, 1};
    RECT update = {};
    m_services->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, dc, nullptr, &bounds, nullptr, &update, nullptr, 0,
                       TXTVIEW_ACTIVE);
    return m_naturalHeight;
}

SIZE CKvoRichRender::GetTextExtent(CDC* dc, int maxWidth)
{
    if (!m_services || !dc)
        return SIZE{0, 0};
    m_services->TxSendMessage(EM_SETEVENTMASK, 0, ENM_REQUESTRESIZE, nullptr);
    m_naturalWidth = m_naturalHeight = 0;
    HDC hdc = dc->GetSafeHdc();
    // The narrowest width at which the text is no taller than at maxWidth.
    int low = 0, high = 2 * maxWidth;
    LONG reference = 0, last = 0;
    bool first = true;
    do {
        const int mid = (low + high) / 2;
        last = LayOut(hdc, mid);
        if (first) {
            reference = last;
            high = mid - 1;
            first = false;
        } else if (last > reference) {
            low = mid + 1;
        } else {
            high = mid - 1;
        }
    } while (low < high);
    if (last > reference)
        LayOut(hdc, high + 1);
    return SIZE{m_naturalWidth, m_naturalHeight};
}

void CKvoRichRender::Draw(CDC* dc, const RECT& rect)
{
    if (!m_services || !dc)
        return;
    RECTL bounds = {rect.left, rect.top, rect.right, rect.bottom};
    m_services->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, dc->GetSafeHdc(), nullptr, &bounds, nullptr, nullptr,
                       nullptr, 0, TXTVIEW_ACTIVE);
}

// --- the text host -----------------------------------------------------------

STDMETHODIMP CKvoRichRender::XTextHost::QueryInterface(REFIID riid, void** object)
{
    return static_cast<HRESULT>(m_outer->InternalQueryInterface(&riid, object));
}

STDMETHODIMP_(ULONG) CKvoRichRender::XTextHost::AddRef()
{
    return 1;
}

STDMETHODIMP_(ULONG) CKvoRichRender::XTextHost::Release()
{
    return 1;
}

HDC CKvoRichRender::XTextHost::TxGetDC()
{
    return nullptr;
}

INT CKvoRichRender::XTextHost::TxReleaseDC(HDC)
{
    return 0;
}

WINBOOL CKvoRichRender::XTextHost::TxShowScrollBar(INT, WINBOOL)
{
    return FALSE;
}

WINBOOL CKvoRichRender::XTextHost::TxEnableScrollBar(INT, INT)
{
    return FALSE;
}

WINBOOL CKvoRichRender::XTextHost::TxSetScrollRange(INT, LONG, INT, WINBOOL)
{
    return FALSE;
}

WINBOOL CKvoRichRender::XTextHost::TxSetScrollPos(INT, INT, WINBOOL)
{
    return FALSE;
}

void CKvoRichRender::XTextHost::TxInvalidateRect(LPCRECT, WINBOOL) {}

void CKvoRichRender::XTextHost::TxViewChange(WINBOOL) {}

WINBOOL CKvoRichRender::XTextHost::TxCreateCaret(HBITMAP, INT, INT)
{
    return FALSE;
}

WINBOOL CKvoRichRender::XTextHost::TxShowCaret(WINBOOL)
{
    return FALSE;
}

WINBOOL CKvoRichRender::XTextHost::TxSetCaretPos(INT, INT)
{
    return FALSE;
}

WINBOOL CKvoRichRender::XTextHost::TxSetTimer(UINT, UINT)
{
    return FALSE;
}

void CKvoRichRender::XTextHost::TxKillTimer(UINT) {}

void CKvoRichRender::XTextHost::TxScrollWindowEx(INT, INT, LPCRECT, LPCRECT, HRGN, LPRECT, UINT) {}

void CKvoRichRender::XTextHost::TxSetCapture(WINBOOL) {}

void CKvoRichRender::XTextHost::TxSetFocus() {}

void CKvoRichRender::XTextHost::TxSetCursor(HCURSOR, WINBOOL) {}

WINBOOL CKvoRichRender::XTextHost::TxScreenToClient(LPPOINT)
{
    return FALSE;
}

WINBOOL CKvoRichRender::XTextHost::TxClientToScreen(LPPOINT)
{
    return FALSE;
}

HRESULT CKvoRichRender::XTextHost::TxActivate(LONG*)
{
    return E_FAIL;
}

HRESULT CKvoRichRender::XTextHost::TxDeactivate(LONG)
{
    return E_FAIL;
}

HRESULT CKvoRichRender::XTextHost::TxGetClientRect(LPRECT)
{
    return E_FAIL;
}

HRESULT CKvoRichRender::XTextHost::TxGetViewInset(LPRECT rect)
{
    if (rect)
        ::SetRectEmpty(rect);
    return S_OK;
}

HRESULT CKvoRichRender::XTextHost::TxGetCharFormat(const CHARFORMATW** format)
{
    *format = &m_outer->m_charFormat;
    return S_OK;
}

HRESULT CKvoRichRender::XTextHost::TxGetParaFormat(const PARAFORMAT** format)
{
    *format = &m_outer->m_paraFormat;
    return S_OK;
}

COLORREF CKvoRichRender::XTextHost::TxGetSysColor(int index)
{
    return ::GetSysColor(index);
}

HRESULT CKvoRichRender::XTextHost::TxGetBackStyle(TXTBACKSTYLE* style)
{
    *style = TXTBACK_TRANSPARENT;
    return S_OK;
}

HRESULT CKvoRichRender::XTextHost::TxGetMaxLength(DWORD* length)
{
    *length = 0x1000000;
    return S_OK;
}

HRESULT CKvoRichRender::XTextHost::TxGetScrollBars(DWORD* scrollBars)
{
    *scrollBars = 0;
    return S_OK;
}

HRESULT CKvoRichRender::XTextHost::TxGetPasswordChar(TCHAR*)
{
    return S_FALSE;
}

HRESULT CKvoRichRender::XTextHost::TxGetAcceleratorPos(LONG* position)
{
    *position = -1;
    return S_OK;
}

HRESULT CKvoRichRender::XTextHost::TxGetExtent(LPSIZEL)
{
    return E_NOTIMPL;
}

HRESULT CKvoRichRender::XTextHost::OnTxCharFormatChange(const CHARFORMATW*)
{
    return E_FAIL;
}

HRESULT CKvoRichRender::XTextHost::OnTxParaFormatChange(const PARAFORMAT*)
{
    return E_FAIL;
}

HRESULT CKvoRichRender::XTextHost::TxGetPropertyBits(DWORD mask, DWORD* bits)
{
    *bits = mask & (TXTBIT_RICHTEXT | TXTBIT_MULTILINE | TXTBIT_WORDWRAP);
    return S_OK;
}

HRESULT CKvoRichRender::XTextHost::TxNotify(DWORD notification, void* data)
{
    if (notification == EN_REQUESTRESIZE && data) {
        const RECT& wanted = static_cast<const REQRESIZE*>(data)->rc;
        m_outer->m_naturalWidth = wanted.right - wanted.left;
        m_outer->m_naturalHeight = wanted.bottom - wanted.top;
    }
    return S_OK;
}

HIMC CKvoRichRender::XTextHost::TxImmGetContext()
{
    return nullptr;
}

void CKvoRichRender::XTextHost::TxImmReleaseContext(HIMC) {}

HRESULT CKvoRichRender::XTextHost::TxGetSelectionBarWidth(LONG* width)
{
    *width = 0;
    return S_OK;
}
