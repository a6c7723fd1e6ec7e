#include "markup/tooltip/KvoRichEditToolTip.h"

#include <cwchar>

#include "foundation/base/KvoDeviceContext.h"

CSize CKvoToolTipContext::CRichEditToolTip::CalcSize(TOOLITEM& tool)
{
    if (!m_renderer.HasServices())
        return CSize(0, 0);
    const CStringW text = GetToolText(tool);
    if (text.IsEmpty())
        return CSize(0, 0);
    CClientDC dc(this);
    CFont* font = GetContext()->GetFont();
    CKvoFontDC selected(&dc, font);
    CHARFORMATW format = {};
    format.cbSize = sizeof(format);
    format.dwMask = CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED;
    format.crTextColor = GetContext()->GetTextColor();
    LOGFONTW logFont = {};
    if (font->GetLogFont(&logFont)) {
        format.dwMask |= CFM_FACE | CFM_SIZE;
        format.yHeight = -::MulDiv(logFont.lfHeight, 1440, dc.GetDeviceCaps(LOGPIXELSY));
        wcsncpy(format.szFaceName, logFont.lfFaceName, LF_FACESIZE - 1);
    }
    m_renderer.SetText(L"");
    m_renderer.SetDefaultCharFormat(&format);
    m_renderer.SetText(text);
    const CSize spacing = GetSpacing();
    const SIZE extent = m_renderer.GetTextExtent(&dc, GetResolvedMaxWidth() - spacing.cx);
    return CSize(extent.cx + spacing.cx, extent.cy + spacing.cy);
}

void CKvoToolTipContext::CRichEditToolTip::DrawContent(CDC* dc, TOOLITEM&, RECT rect)
{
    m_renderer.Draw(dc, ContentRect(rect));
}
