#pragma once
#include <afxwin.h>
#include "render/gdi/DrawBase.h"
#include "render/gdi/PassPenCache.h"

// A GDI object selected into a DC for as long as it lives: its destructor
// selects the previous object back before the object itself is deleted. An
// object that could not be made is not selected.
template <class Base>
class CSelectedGdiObject : public Base {
public:
    ~CSelectedGdiObject() override
    {
        if (m_pOld)
            m_pDC->SelectObject(m_pOld);
    }

    CDC* m_pDC;                    // not owned
    CGdiObject* m_pOld = nullptr;  // null when nothing was selected

protected:
    explicit CSelectedGdiObject(CDC* dc) : m_pDC(dc) {}
    void Select()
    {
        if (this->m_hObject && m_pDC)
            m_pOld = m_pDC->SelectObject(static_cast<CGdiObject*>(this));
    }
};

// The figure's pen, selected into the renderer's DC for as long as this
// lives: its colour and line type, dashed by the drawing's own pattern or the
// built-in table, 3 pixels wide for thick lines. The pen comes from the
// draw's pen cache; only when that has none to give is it made here.
class CDrawBase::CMyPen {
public:
    CMyPen(CDrawBase* renderer, const B_Base* figure);
    ~CMyPen();

    CMyPen(const CMyPen&) = delete;
    CMyPen& operator=(const CMyPen&) = delete;

private:
    static bool Make(CDrawBase* renderer, const PenKey& key, CPen& pen);
    static bool MakeDashed(CDrawBase* renderer, const PenKey& key, const LOGBRUSH& brush, CPen& pen);

    CDC* m_pDC;               // not owned
    HGDIOBJ m_old = nullptr;  // null when nothing was selected
    CPen m_own;
};

// A solid brush, or with a hatch tag (any value: the callers pass the
// figure's flag word) the forward-diagonal hatch brush.
class CDrawBase::CMyBsh : public CSelectedGdiObject<CBrush> {
public:
    CMyBsh(CDrawBase* renderer, COLORREF colour);
    CMyBsh(CDrawBase* renderer, DWORD hatchTag, COLORREF colour);
};
