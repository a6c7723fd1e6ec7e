#pragma once
#include <afxwin.h>

// The size grip in the lower right corner of a resizable window: a scroll
// bar of style SBS_SIZEGRIP that shows the diagonal sizing cursor. The owner
// creates it with CScrollBar::Create and chooses its position and id.
class CKvSizeIcon : public CScrollBar {
public:
    CKvSizeIcon();
    ~CKvSizeIcon() override;

protected:
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    DECLARE_MESSAGE_MAP()

private:
    HCURSOR m_hCursor;  // a shared system cursor: never destroyed
};
