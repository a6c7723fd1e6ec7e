#include "markup/text/KvoMarkupSpan.h"
#include <new>
#include "markup/text/KvoMarkupInlineCollection.h"
#include "markup/values/KvoMarkupEnum.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupSpan)
IMPLEMENT_MARKUP_TYPE(CKvoMarkupBold)
IMPLEMENT_MARKUP_TYPE(CKvoMarkupItalic)
IMPLEMENT_MARKUP_TYPE(CKvoMarkupUnderline)

CKvoMarkupSpan::CKvoMarkupSpan() : m_pInlines(new (std::nothrow) CKvoMarkupInlineCollection)
{
    if (m_pInlines)
        m_pInlines->SetLogicalParent(this);
}

CKvoMarkupSpan::~CKvoMarkupSpan()
{
    if (!m_pInlines)
        return;
    m_pInlines->SetLogicalParent(nullptr);
    m_pInlines->Release();
}

int CKvoMarkupSpan::GetLogicalChildrenCount() const
{
    return m_pInlines ? 1 : 0;
}

CKvoMarkupObject* CKvoMarkupSpan::GetLogicalChild(int index) const
{
    return index == 0 ? m_pInlines : nullptr;
}

void CKvoMarkupSpan::SetContentObject(CKvoMarkupBuilder* builder, CKvoMarkupObject* content)
{
    if (m_pInlines)
        m_pInlines->SetContentObject(builder, content);
    else if (content)
        content->Release();
}

BOOL CKvoMarkupSpan::HasContentObject() const
{
    return m_pInlines && m_pInlines->HasContentObject();
}

BOOL CKvoMarkupSpan::AllowWhiteSpaceContent() const
{
    return TRUE;
}

CKvoMarkupInline* CKvoMarkupSpan::GetFirstInline()
{
    return m_pInlines && m_pInlines->GetCount() ? m_pInlines->GetInline(0)->GetFirstInline() : this;
}

CKvoMarkupBold::CKvoMarkupBold()
{
    SetValue(s_fontWeightProperty, CKvoMarkupEnum::GetShared(FW_BOLD));
}

CKvoMarkupItalic::CKvoMarkupItalic()
{
    SetValue(s_fontStyleProperty, CKvoMarkupEnum::GetShared(1));
}

CKvoMarkupUnderline::CKvoMarkupUnderline()
{
    SetValue(s_textDecorationsProperty, CKvoMarkupEnum::GetShared(KvoMarkupTextDecoration::Underline));
}
