#include "MySliderCtrl.h"

IMPLEMENT_DYNAMIC(CMySliderCtrl, CSliderCtrl)

BEGIN_MESSAGE_MAP(CMySliderCtrl, CSliderCtrl)
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

BYTE CMySliderCtrl::TakeLastKey()
{
    BYTE key = m_lastKey;
    m_lastKey = 0;
    return key;
}

void CMySliderCtrl::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    m_lastKey = static_cast<BYTE>(key & 0xFF);
    CSliderCtrl::OnKeyDown(key, repeat, flags);
}
