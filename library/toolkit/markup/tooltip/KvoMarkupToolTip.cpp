#include "markup/tooltip/KvoMarkupToolTip.h"

#include "markup/MarkupFunctions.h"

CKvoToolTipContext::CMarkupToolTip::CMarkupToolTip(CKvoToolTipContext* context)
    : CKvoToolTipContextToolTip(context), m_markupContext(MarkupCreateWindowContext(NULL))
{
}

CKvoToolTipContext::CMarkupToolTip::~CMarkupToolTip()
{
    MarkupReleaseElement(&m_element);
    MarkupReleaseContext(&m_markupContext);
}

CSize CKvoToolTipContext::CMarkupToolTip::CalcSize(TOOLITEM& tool)
{
    MarkupReleaseElement(&m_element);
    const CStringW text = GetToolText(tool);
    if (text.IsEmpty())
        return CSize(0, 0);
    MarkupSetDefaultFont(m_markupContext, static_cast<HFONT>(GetContext()->GetFont()->GetSafeHandle()),
                         GetContext()->GetTextColor());
    m_element = MarkupParseText(m_markupContext, text);
    if (!m_element)
        return CKvoToolTipContextToolTip::CalcSize(tool);
    const CSize spacing = GetSpacing();
    const SIZE size = MarkupMeasureElement(m_element, GetResolvedMaxWidth() - spacing.cx, 0x7FFFFFFF);
    return CSize(size.cx + spacing.cx, size.cy + spacing.cy);
}

void CKvoToolTipContext::CMarkupToolTip::DrawContent(CDC* dc, TOOLITEM& tool, RECT rect)
{
    if (!m_element) {
        CKvoToolTipContextToolTip::DrawContent(dc, tool, rect);
        return;
    }
    const CRect content = ContentRect(rect);
    MarkupRenderElement(m_element, dc->GetSafeHdc(), &content);
}
