#include "markup/shapes/KvoMarkupShape.h"
#include "markup/builder/KvoMarkupConverters.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/drawing/KvoMarkupBrush.h"
#include "markup/values/KvoMarkupEnum.h"
#include "markup/values/KvoMarkupInt.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupShape)
CKvoMarkupDependencyProperty* CKvoMarkupShape::s_fillProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupShape::s_strokeProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupShape::s_strokeThicknessProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupShape::s_stretchProperty = nullptr;

void CKvoMarkupShape::RegisterMarkupProperties()
{
    const DWORD render = KvoMarkupPropertyFlag::AffectsRender;
    s_fillProperty = CKvoMarkupDependencyProperty::Register(L"Fill", CKvoMarkupBrush::s_type, s_type,
                                                           new CKvoMarkupPropertyMetadata(nullptr, render));
    s_strokeProperty = CKvoMarkupDependencyProperty::Register(L"Stroke", CKvoMarkupBrush::s_type, s_type,
                                                             new CKvoMarkupPropertyMetadata(nullptr, render));
    s_strokeThicknessProperty = CKvoMarkupDependencyProperty::Register(
        L"StrokeThickness", CKvoMarkupInt::s_type, s_type, new CKvoMarkupPropertyMetadata(nullptr, render));
    s_stretchProperty = CKvoMarkupDependencyProperty::Register(
        L"Stretch", CKvoMarkupEnum::s_type, s_type,
        new CKvoMarkupPropertyMetadata(CKvoMarkupEnum::GetShared(KvoMarkupStretch::None), MarkupConvertStretch, render));
}

CKvoMarkupBrush* CKvoMarkupShape::GetFill() const
{
    return static_cast<CKvoMarkupBrush*>(MarkupDynamicCast(CKvoMarkupBrush::s_type, GetValue(s_fillProperty)));
}

CKvoMarkupBrush* CKvoMarkupShape::GetStroke() const
{
    return static_cast<CKvoMarkupBrush*>(MarkupDynamicCast(CKvoMarkupBrush::s_type, GetValue(s_strokeProperty)));
}

int CKvoMarkupShape::GetStrokeThickness() const
{
    const CKvoMarkupInt* value =
        static_cast<const CKvoMarkupInt*>(MarkupDynamicCast(CKvoMarkupInt::s_type, GetValue(s_strokeThicknessProperty)));
    return value ? value->GetValue() : 1;
}

int CKvoMarkupShape::GetStrokeWidth() const
{
    return GetStroke() ? GetStrokeThickness() : 0;
}

int CKvoMarkupShape::GetStretch() const
{
    const CKvoMarkupEnum* value =
        static_cast<const CKvoMarkupEnum*>(MarkupDynamicCast(CKvoMarkupEnum::s_type, GetValue(s_stretchProperty)));
    return value ? value->GetValue() : KvoMarkupStretch::None;
}

CKvoMarkupShapePen::CKvoMarkupShapePen(HDC dc, int penWidth, const CKvoMarkupBrush* stroke,
                                       const CKvoMarkupBrush* fill)
    : m_hDC(dc), m_hPen(stroke && penWidth > 0 ? ::CreatePen(PS_SOLID, penWidth, stroke->GetColor()) : NULL),
      m_hBrush(fill ? ::CreateSolidBrush(fill->GetColor()) : NULL)
{
    m_hOldPen = ::SelectObject(dc, m_hPen ? static_cast<HGDIOBJ>(m_hPen) : ::GetStockObject(NULL_PEN));
    m_hOldBrush = ::SelectObject(dc, m_hBrush ? static_cast<HGDIOBJ>(m_hBrush) : ::GetStockObject(NULL_BRUSH));
}

CKvoMarkupShapePen::~CKvoMarkupShapePen()
{
    ::SelectObject(m_hDC, m_hOldPen);
    ::SelectObject(m_hDC, m_hOldBrush);
    if (m_hPen)
        ::DeleteObject(m_hPen);
    if (m_hBrush)
        ::DeleteObject(m_hBrush);
}
