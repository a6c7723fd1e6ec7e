#pragma once
#include <afxwin.h>
#include "render/gdi/DrawBase.h"
#include "render/gdi/PassBrushCache.h"
#include "render/gdi/PassPenCache.h"

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
// figure's flag word) the forward-diagonal hatch brush, selected into the
// renderer's DC for as long as this lives. The brush comes from the draw's
// brush cache; only when that has none to give is it made here.
class CDrawBase::CMyBsh {
public:
    CMyBsh(CDrawBase* renderer, COLORREF colour);
    CMyBsh(CDrawBase* renderer, DWORD hatchTag, COLORREF colour);
    ~CMyBsh();

    CMyBsh(const CMyBsh&) = delete;
    CMyBsh& operator=(const CMyBsh&) = delete;

private:
    void Select(CDrawBase* renderer, const BrushKey& key);

    CDC* m_pDC;               // not owned
    HGDIOBJ m_old = nullptr;  // null when nothing was selected
    CBrush m_own;
};
