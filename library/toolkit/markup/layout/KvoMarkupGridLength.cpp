#include "markup/layout/KvoMarkupGridLength.h"
#include <math.h>
#include <stdio.h>
#include <new>
#include "markup/core/KvoMarkupType.h"
#include "markup/elements/KvoMarkupFrameworkElement.h"
#include "markup/values/KvoMarkupString.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupGridLength)

CKvoMarkupObject* CKvoMarkupGridLength::ConvertFrom(CKvoMarkupObject* value)
{
    const CKvoMarkupString* text =
        static_cast<const CKvoMarkupString*>(MarkupDynamicCast(CKvoMarkupString::s_type, value));
    if (!text || text->GetLength() < 1)
        return nullptr;
    if (wcscmp(text->GetString(), L"Auto") == 0)
        return new (std::nothrow) CKvoMarkupGridLength(1.0, KvoMarkupGridUnit::Auto);
    if (wcscmp(text->GetString(), L"*") == 0)
        return new (std::nothrow) CKvoMarkupGridLength(1.0, KvoMarkupGridUnit::Star);
    double number = 0.0;
    if (swscanf(text->GetString(), L"%lf", &number) != 1)
        number = 0.0;
    const bool star = text->GetString()[text->GetLength() - 1] == L'*';
    return new (std::nothrow) CKvoMarkupGridLength(number, star ? KvoMarkupGridUnit::Star : KvoMarkupGridUnit::Pixel);
}

double CKvoMarkupGridLength::GetStarWeight() const
{
    return isfinite(m_value) && m_value > 0.0 ? m_value : 0.0;
}

int CKvoMarkupGridLength::GetPixels() const
{
    if (isnan(m_value))
        return 0;
    if (m_value >= KvoMarkupUnbounded)
        return KvoMarkupUnbounded;
    if (m_value <= -static_cast<double>(KvoMarkupUnbounded))
        return -KvoMarkupUnbounded;
    return static_cast<int>(m_value);
}
