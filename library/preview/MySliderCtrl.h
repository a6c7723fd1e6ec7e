#pragma once
// The preview's zoom slider: remembers the last key pressed in it, so the
// dialog's scroll handler can pan with the arrow keys and zoom with the page
// keys instead of moving the thumb.
#include <afxwin.h>
#include <afxcmn.h>

class CMySliderCtrl : public CSliderCtrl {
    DECLARE_DYNAMIC(CMySliderCtrl)
public:
    // The last key and clears it; 0 when none came since.
    BYTE TakeLastKey();

protected:
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    DECLARE_MESSAGE_MAP()

private:
    BYTE m_lastKey = 0;
};
