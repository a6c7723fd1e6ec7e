#include "markup/tooltip/KvoStandardToolTip.h"

BEGIN_MESSAGE_MAP(CKvoToolTipContext::CStandardToolTip, CToolTipCtrl)
ON_MESSAGE(TTM_WINDOWFROMPOINT, &ThisClass::OnWindowFromPoint)
END_MESSAGE_MAP()

LRESULT CKvoToolTipContext::CStandardToolTip::OnWindowFromPoint(WPARAM, LPARAM)
{
    HWND window = reinterpret_cast<HWND>(Default());
    if (window && (::GetWindowLongW(window, GWL_STYLE) & WS_CHILD) &&
        ::SendMessageW(window, WM_TOOLTIPHITTRANSPARENT, 0, 0) == 1)
        window = ::GetParent(window);
    return reinterpret_cast<LRESULT>(window);
}
