#include "foundation/controls/KvSizeIcon.h"

BEGIN_MESSAGE_MAP(CKvSizeIcon, CScrollBar)
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CKvSizeIcon::CKvSizeIcon() : m_hCursor(LoadCursorW(nullptr, IDC_SIZENWSE))
{
}

CKvSizeIcon::~CKvSizeIcon() = default;

BOOL CKvSizeIcon::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    if (hitTest == HTCLIENT && m_hCursor) {
        SetCursor(m_hCursor);
        return TRUE;
    }
    return CScrollBar::OnSetCursor(wnd, hitTest, message);
}
