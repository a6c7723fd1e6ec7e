#include "markup/elements/KvoMarkupVisual.h"
#include <algorithm>
#include "markup/core/KvoMarkupType.h"
#include "markup/drawing/KvoMarkupDrawingContext.h"
#include "markup/values/KvoMarkupBool.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupVisual)

namespace {
// Moves the drawing context to an element and, with a clip, cuts it; puts
// both back when the element is drawn, whichever way the drawing ends.
class RenderPlacement {
public:
    RenderPlacement(CKvoMarkupDrawingContext* dc, POINT offset, const RECT* clip)
        : m_dc(dc), m_savedOrigin(dc->PushOffset(offset)), m_savedClip(nullptr)
    {
        if (clip) {
            m_savedClip = dc->SaveClip();
            dc->IntersectClip(*clip);
        }
    }
    ~RenderPlacement()
    {
        m_dc->RestoreClip(m_savedClip);
        m_dc->PopOffset(m_savedOrigin);
    }
    RenderPlacement(const RenderPlacement&) = delete;
    RenderPlacement& operator=(const RenderPlacement&) = delete;

private:
    CKvoMarkupDrawingContext* m_dc;
    POINT m_savedOrigin;
    HRGN m_savedClip;
};

bool Intersects(const RECT& a, const RECT& b)
{
    RECT common;
    return ::IntersectRect(&common, &a, &b) != FALSE;
}
}

CKvoMarkupVisual::CKvoMarkupVisual() : m_visualOffset{0, 0}, m_renderSize{0, 0}, m_bounds{0, 0, 0, 0}
{
}

int CKvoMarkupVisual::GetVisualChildrenCount() const
{
    return 0;
}

CKvoMarkupVisual* CKvoMarkupVisual::GetVisualChild(int) const
{
    return nullptr;
}

BOOL CKvoMarkupVisual::GetLayoutClip(RECT*)
{
    return FALSE;
}

void CKvoMarkupVisual::OnRender(CKvoMarkupDrawingContext*)
{
}

void CKvoMarkupVisual::OnRenderFocusVisual(CKvoMarkupDrawingContext*)
{
}

CKvoMarkupInputElement* CKvoMarkupVisual::InputHitTestCore(int, int)
{
    return this;
}

int CKvoMarkupVisual::GetLogicalChildrenCount() const
{
    return GetVisualChildrenCount();
}

CKvoMarkupObject* CKvoMarkupVisual::GetLogicalChild(int index) const
{
    return GetVisualChild(index);
}

CKvoMarkupVisual* CKvoMarkupVisual::GetVisualParent() const
{
    for (CKvoMarkupObject* ancestor = GetLogicalParent(); ancestor; ancestor = ancestor->GetLogicalParent()) {
        if (ancestor->IsKindOf(s_type))
            return static_cast<CKvoMarkupVisual*>(ancestor);
    }
    return nullptr;
}

void CKvoMarkupVisual::UpdateBounds()
{
    m_bounds = {0, 0, m_renderSize.cx, m_renderSize.cy};
    for (int index = 0; index < GetVisualChildrenCount(); ++index) {
        CKvoMarkupVisual* child = GetVisualChild(index);
        if (!child)
            continue;
        child->UpdateBounds();
        RECT childBounds = child->m_bounds;
        ::OffsetRect(&childBounds, child->m_visualOffset.x, child->m_visualOffset.y);
        // UnionRect skips empty rectangles; the render rectangle is kept
        // even when empty, so unite by hand.
        if (!::IsRectEmpty(&childBounds)) {
            m_bounds.left = std::min(m_bounds.left, childBounds.left);
            m_bounds.top = std::min(m_bounds.top, childBounds.top);
            m_bounds.right = std::max(m_bounds.right, childBounds.right);
            m_bounds.bottom = std::max(m_bounds.bottom, childBounds.bottom);
        }
    }
}

void CKvoMarkupVisual::Render(CKvoMarkupDrawingContext* dc)
{
    if (!dc)
        return;
    RECT visible = dc->GetClipBox();
    ::OffsetRect(&visible, -m_visualOffset.x, -m_visualOffset.y);
    if (!Intersects(visible, m_bounds))
        return;
    RECT clip;
    const BOOL clipped = GetLayoutClip(&clip);
    if (clipped) {
        if (::IsRectEmpty(&clip))
            return;
        ::IntersectRect(&visible, &visible, &clip);
        if (!Intersects(visible, m_bounds))
            return;
    }
    RenderPlacement placement(dc, m_visualOffset, clipped ? &clip : nullptr);
    OnRender(dc);
    for (int index = 0; index < GetVisualChildrenCount(); ++index) {
        if (CKvoMarkupVisual* child = GetVisualChild(index))
            child->Render(dc);
    }
    const CKvoMarkupBool* focused = static_cast<const CKvoMarkupBool*>(GetValue(s_isKeyboardFocusedProperty));
    if (focused && focused->GetValue())
        OnRenderFocusVisual(dc);
}

CKvoMarkupInputElement* CKvoMarkupVisual::InputHitTest(int x, int y)
{
    const POINT point = {x - m_visualOffset.x, y - m_visualOffset.y};
    if (!::PtInRect(&m_bounds, point))
        return nullptr;
    RECT clip;
    if (GetLayoutClip(&clip) && !::PtInRect(&clip, point))
        return nullptr;
    for (int index = GetVisualChildrenCount() - 1; index >= 0; --index) {
        CKvoMarkupVisual* child = GetVisualChild(index);
        if (CKvoMarkupInputElement* hit = child ? child->InputHitTest(point.x, point.y) : nullptr)
            return hit;
    }
    const RECT own = {0, 0, m_renderSize.cx, m_renderSize.cy};
    return ::PtInRect(&own, point) ? InputHitTestCore(point.x, point.y) : nullptr;
}
