#include "markup/elements/KvoMarkupUIElement.h"
#include "markup/builder/KvoMarkupConverters.h"
#include "markup/core/KvoMarkupContext.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/drawing/KvoMarkupDrawingContext.h"
#include "markup/values/KvoMarkupBool.h"
#include "markup/values/KvoMarkupEnum.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupUIElement)
CKvoMarkupDependencyProperty* CKvoMarkupUIElement::s_clipToBoundsProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupUIElement::s_visibilityProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupUIElement::s_focusableProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupUIElement::s_isEnabledProperty = nullptr;

CKvoMarkupUIElement::CKvoMarkupUIElement()
    : m_desiredSize{0, 0}, m_finalRect{0, 0, 0, 0}, m_bMeasureDirty(FALSE), m_bNeverMeasured(TRUE),
      m_lastAvailableSize{0, 0}, m_bArrangeDirty(FALSE), m_bNeverArranged(TRUE), m_bInArrange(FALSE),
      m_bInMeasure(FALSE)
{
}

void CKvoMarkupUIElement::RegisterMarkupProperties()
{
    s_clipToBoundsProperty = CKvoMarkupDependencyProperty::Register(L"ClipToBounds", CKvoMarkupBool::s_type, s_type);
    s_visibilityProperty = CKvoMarkupDependencyProperty::Register(
        L"Visibility", CKvoMarkupEnum::s_type, s_type,
        new CKvoMarkupPropertyMetadata(nullptr, MarkupConvertVisibility, KvoMarkupPropertyFlag::AffectsMeasure));
    s_focusableProperty = CKvoMarkupDependencyProperty::Register(
        L"Focusable", CKvoMarkupBool::s_type, s_type,
        new CKvoMarkupPropertyMetadata(CKvoMarkupBool::GetShared(FALSE), 0));
    s_isEnabledProperty = CKvoMarkupDependencyProperty::Register(
        L"IsEnabled", CKvoMarkupBool::s_type, s_type,
        new CKvoMarkupPropertyMetadata(CKvoMarkupBool::GetShared(TRUE), 0));
}

int CKvoMarkupUIElement::GetVisibility() const
{
    const CKvoMarkupEnum* visibility = static_cast<const CKvoMarkupEnum*>(GetValue(s_visibilityProperty));
    return visibility ? visibility->GetValue() : KvoMarkupVisibility::Visible;
}

BOOL CKvoMarkupUIElement::GetLayoutClip(RECT* clip)
{
    if (GetVisibility() == KvoMarkupVisibility::Visible)
        return FALSE;
    if (clip)
        ::SetRectEmpty(clip);
    return TRUE;
}

void CKvoMarkupUIElement::Measure(CKvoMarkupDrawingContext* dc, int availableWidth, int availableHeight)
{
    const SIZE available = {availableWidth, availableHeight};
    if (GetVisibility() == KvoMarkupVisibility::Collapsed) {
        // Measured afresh when it shows again.
        m_bMeasureDirty = TRUE;
        m_bNeverMeasured = FALSE;
        m_lastAvailableSize = available;
        m_desiredSize = {0, 0};
        return;
    }
    const BOOL sameSize = available.cx == m_lastAvailableSize.cx && available.cy == m_lastAvailableSize.cy;
    if (!m_bMeasureDirty && !m_bNeverMeasured && sameSize && !(dc && dc->GetDeviceFlag()))
        return;
    m_bNeverMeasured = FALSE;
    m_bArrangeDirty = TRUE;
    m_bInMeasure = TRUE;
    m_desiredSize = MeasureCore(dc, availableWidth, availableHeight);
    m_bInMeasure = FALSE;
    m_lastAvailableSize = available;
    m_bMeasureDirty = dc ? dc->GetDeviceFlag() : FALSE;
}

void CKvoMarkupUIElement::Arrange(const RECT& rect)
{
    if (GetVisibility() == KvoMarkupVisibility::Collapsed) {
        m_bNeverArranged = FALSE;
        m_finalRect = rect;
        m_bArrangeDirty = FALSE;
        return;
    }
    if (m_bNeverMeasured) {
        CKvoMarkupDrawingContext measuring;
        Measure(&measuring, rect.right - rect.left, rect.bottom - rect.top);
    }
    if (m_bArrangeDirty || m_bNeverArranged || !::EqualRect(&rect, &m_finalRect)) {
        m_bNeverArranged = FALSE;
        m_bInArrange = TRUE;
        ArrangeCore(rect);
        m_bInArrange = FALSE;
        UpdateBounds();
    }
    m_finalRect = rect;
    m_bArrangeDirty = FALSE;
}

void CKvoMarkupUIElement::ArrangeCore(const RECT& rect)
{
    SetRenderSize(rect.right - rect.left, rect.bottom - rect.top);
}

SIZE CKvoMarkupUIElement::MeasureCore(CKvoMarkupDrawingContext*, int, int)
{
    return {0, 0};
}

void CKvoMarkupUIElement::InvalidateArrange()
{
    if (m_bInArrange || m_bNeverArranged)
        return;
    m_bArrangeDirty = TRUE;
    Arrange(m_finalRect);
    InvalidateVisual();
}

void CKvoMarkupUIElement::InvalidateVisual()
{
    if (GetMarkupContext())
        GetMarkupContext()->InvalidateElement(this);
}

void CKvoMarkupUIElement::InvalidateMeasure()
{
    CKvoMarkupDrawingContext measuring;
    UpdateMeasure(&measuring);
}

void CKvoMarkupUIElement::UpdateMeasure(CKvoMarkupDrawingContext* dc)
{
    if (m_bInMeasure || m_bNeverMeasured)
        return;
    const SIZE previous = m_desiredSize;
    m_bMeasureDirty = TRUE;
    m_bArrangeDirty = TRUE;
    Measure(dc, m_lastAvailableSize.cx, m_lastAvailableSize.cy);
    if (m_desiredSize.cx == previous.cx && m_desiredSize.cy == previous.cy) {
        // Same size: the parent's layout stands; only this element moves.
        Arrange(m_finalRect);
        InvalidateVisual();
        return;
    }
    m_bMeasureDirty = TRUE;
    m_bArrangeDirty = TRUE;
    CKvoMarkupVisual* parent = GetVisualParent();
    if (parent && parent->IsKindOf(s_type))
        static_cast<CKvoMarkupUIElement*>(parent)->UpdateMeasure(dc);
    else if (GetMarkupContext())
        GetMarkupContext()->InvalidateAll();
}
