#include "toolkit/commandbars/support/KvoTestCommandBar.h"
#include "commandbars/KvoControl.h"
#include "commandbars/KvoPaintManager.h"

BOOL CKvoTestCommandBar::CreateBar(int x, int y, int cx, int cy, CWnd* owner)
{
    LPCTSTR windowClass = AfxRegisterWndClass(0, ::LoadCursorW(NULL, IDC_ARROW), NULL);
    return CreateEx(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, windowClass, L"bar", WS_POPUP | WS_VISIBLE, x, y, cx, cy,
                    owner ? owner->GetSafeHwnd() : NULL, NULL);
}

void CKvoTestCommandBar::PlaceControls(int width)
{
    CRect client;
    GetClientRect(&client);
    for (int i = 0; i < GetControlCount(); ++i)
        GetControl(i)->SetRect(CRect(i * width, 0, (i + 1) * width, client.bottom));
}

LRESULT CKvoTestCommandBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        Paint();
        return 0;
    }
    if (message == WM_ERASEBKGND)
        return TRUE;
    return CKvoCommandBar::WindowProc(message, wParam, lParam);
}

void CKvoTestCommandBar::Paint()
{
    CPaintDC dc(this);
    CKvoPaintManager* paintManager = GetPaintManager();
    paintManager->FillBarBackground(&dc, this);
    for (int i = 0; i < GetControlCount(); ++i) {
        CKvoControl* control = GetControl(i);
        if (!control->IsVisible(0))
            continue;
        CRect rect = control->GetRect();
        rect.DeflateRect(1, 1);
        paintManager->DrawControlHighlight(&dc, rect, control->GetSelected() != 0, control->GetPressed() != 0,
                                           control->GetEnabled() != 0, control->GetChecked() == 1, FALSE, 0, 0);
    }
}
