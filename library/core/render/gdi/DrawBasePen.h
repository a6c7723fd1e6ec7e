#pragma once
#include <afxwin.h>
#include "render/gdi/DrawBase.h"

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

// The figure's pen: its colour and line type, dashed by the drawing's own
// pattern or the built-in table, 3 pixels wide for thick lines.
class CDrawBase::CMyPen : public CSelectedGdiObject<CPen> {
public:
    CMyPen(CDrawBase* renderer, const B_Base* figure);

private:
    bool CreateDashed(CDrawBase* renderer, uint16_t lineType, int width, const LOGBRUSH& brush);
};

// A solid brush, or with a hatch tag (any value: the callers pass the
// figure's flag word) the forward-diagonal hatch brush.
class CDrawBase::CMyBsh : public CSelectedGdiObject<CBrush> {
public:
    CMyBsh(CDrawBase* renderer, COLORREF colour);
    CMyBsh(CDrawBase* renderer, DWORD hatchTag, COLORREF colour);
};
