#include "markup/text/KvoMarkupRun.h"
#include <wchar.h>
#include "foundation/base/KvoSystemVersion.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/drawing/KvoMarkupDrawingContext.h"
#include "markup/drawing/KvoMarkupFont.h"
#include "markup/text/KvoMarkupTextContext.h"
#include "markup/values/KvoMarkupEnum.h"
#include "markup/values/KvoMarkupInt.h"
#include "markup/values/KvoMarkupString.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupRun)
IMPLEMENT_MARKUP_TYPE(CKvoMarkupLineBreak)
CKvoMarkupDependencyProperty* CKvoMarkupRun::s_textProperty = nullptr;

CKvoMarkupRun::CKvoMarkupRun() : m_descent(0), m_pFont(nullptr)
{
}

CKvoMarkupRun::~CKvoMarkupRun()
{
    if (m_pFont)
        m_pFont->Release();
}

void CKvoMarkupRun::RegisterMarkupProperties()
{
    s_textProperty = CKvoMarkupDependencyProperty::Register(
        L"Text", CKvoMarkupString::s_type, s_type,
        new CKvoMarkupPropertyMetadata(nullptr, KvoMarkupPropertyFlag::AffectsMeasure));
}

void CKvoMarkupRun::SetContentObject(CKvoMarkupBuilder* builder, CKvoMarkupObject* content)
{
    if (content && content->IsKindOf(CKvoMarkupString::s_type)) {
        SetValue(s_textProperty, content);
        return;
    }
    CKvoMarkupInline::SetContentObject(builder, content);
}

BOOL CKvoMarkupRun::HasContentObject() const
{
    return GetText() != nullptr;
}

void CKvoMarkupRun::SetText(CKvoMarkupString* text)
{
    if (text)
        text->AddRef();
    SetValue(s_textProperty, text);
}

void CKvoMarkupRun::SetText(LPCWSTR text)
{
    SetValue(s_textProperty, text ? CKvoMarkupString::CreateString(text) : nullptr);
}

const CKvoMarkupString* CKvoMarkupRun::GetText() const
{
    return static_cast<const CKvoMarkupString*>(GetValue(s_textProperty));
}

WCHAR CKvoMarkupRun::GetCharAt(int position) const
{
    const CKvoMarkupString* text = GetText();
    return text && position >= 0 && position < text->GetLength() ? text->GetString()[position] : 0;
}

int CKvoMarkupRun::GetFirstPosition() const
{
    const CKvoMarkupString* text = GetText();
    return text && text->GetLength() > 0 ? 0 : KvoMarkupNoPosition;
}

void CKvoMarkupRun::GetNextPosition(int& position) const
{
    const CKvoMarkupString* text = GetText();
    if (position == KvoMarkupNoPosition || !text || position >= text->GetLength())
        position = KvoMarkupNoPosition;
    else
        ++position;
}

BOOL CKvoMarkupRun::IsWordBreakPosition(int position) const
{
    const WCHAR character = GetCharAt(position);
    return character == L' ' || character == L'\t' || character == L'\n';
}

BOOL CKvoMarkupRun::IsLineBreakPosition(int position) const
{
    return GetCharAt(position) == L'\n';
}

BOOL CKvoMarkupRun::IsWhiteSpacePosition(int position) const
{
    const WCHAR character = GetCharAt(position);
    return character == L' ' || character == L'\t';
}

BOOL CKvoMarkupRun::IsDrawable(int start, int end) const
{
    const CKvoMarkupString* text = GetText();
    return text && start != end && end != KvoMarkupNoPosition && start >= 0 && start < end &&
           end <= text->GetLength();
}

SIZE CKvoMarkupRun::Measure(CKvoMarkupDrawingContext* dc, int start, int end)
{
    if (!dc || !IsDrawable(start, end))
        return {0, 0};
    dc->SetFont(m_pFont);
    LPCWSTR characters = GetText()->GetString() + start;
    SIZE size = dc->GetTextExtent(characters, end - start);
    // A line feed gives an empty line the font's height; its glyph, if the
    // font has one, is never drawn, so it takes no width.
    int shown = end - start;
    while (shown > 0 && characters[shown - 1] == L'\n')
        --shown;
    if (shown < end - start)
        size.cx = shown ? dc->GetTextExtent(characters, shown).cx : 0;
    return size;
}

void CKvoMarkupRun::Render(CKvoMarkupDrawingContext* dc, const RECT& rect, int start, int end)
{
    if (!dc || !IsDrawable(start, end))
        return;
    dc->SetFont(m_pFont);
    LPCWSTR characters = GetText()->GetString() + start;
    int shown = end - start;
    while (shown > 0 && characters[shown - 1] == L'\n')
        --shown;
    const POINT origin = {rect.left, rect.top};
    if (shown > 0)
        dc->DrawTextLine(characters, shown, &origin);
}

void CKvoMarkupRun::GetLogFont(LOGFONTW* logFont) const
{
    if (!logFont)
        return;
    *logFont = KvoMarkupTextContext::GetDefaultFont(GetMarkupContext());
    if (const CKvoMarkupInt* size = static_cast<const CKvoMarkupInt*>(GetValue(s_fontSizeProperty)))
        logFont->lfHeight = -size->GetValue();
    if (const CKvoMarkupEnum* weight = static_cast<const CKvoMarkupEnum*>(GetValue(s_fontWeightProperty)))
        logFont->lfWeight = weight->GetValue();
    if (const CKvoMarkupEnum* style = static_cast<const CKvoMarkupEnum*>(GetValue(s_fontStyleProperty)))
        logFont->lfItalic = style->GetValue() != 0 ? 1 : 0;
    const CKvoMarkupEnum* quality = static_cast<const CKvoMarkupEnum*>(GetValue(s_fontQualityProperty));
    if (quality && CKvoSystemVersion::Instance()->IsClearTypeTextQualitySupported())
        logFont->lfQuality = static_cast<BYTE>(quality->GetValue());
    if (const CKvoMarkupString* family = static_cast<const CKvoMarkupString*>(GetValue(s_fontFamilyProperty))) {
        // The face name holds 31 characters and its terminating zero: a
        // longer family is cut.
        wcsncpy(logFont->lfFaceName, family->GetString(), LF_FACESIZE - 1);
        logFont->lfFaceName[LF_FACESIZE - 1] = L'\0';
    }
}

void CKvoMarkupRun::PrepareMeasure(CKvoMarkupDrawingContext* dc)
{
    if (!dc)
        return;
    LOGFONTW logFont;
    GetLogFont(&logFont);
    if (!m_pFont || !CKvoMarkupFontCache::IsSameFont(m_pFont->GetDescription(), logFont)) {
        CKvoMarkupFont* font = KvoMarkupTextContext::GetFont(GetMarkupContext(), logFont);
        if (m_pFont)
            m_pFont->Release();
        m_pFont = font;
    }
    dc->SetFont(m_pFont);
    TEXTMETRICW metrics = {};
    if (dc->GetSafeHdc() && ::GetTextMetricsW(dc->GetSafeHdc(), &metrics))
        m_descent = metrics.tmDescent;
}

CKvoMarkupLineBreak::CKvoMarkupLineBreak()
{
    SetText(L"\n");
}
