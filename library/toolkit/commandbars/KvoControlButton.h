#pragma once
#include "commandbars/KvoControl.h"

// The plain command button (type 1): a toolbar button runs its command
// through the press loop, a menu item on release.
class CKvoControlButton : public CKvoControl {
    DECLARE_SERIAL(CKvoControlButton)
public:
    CKvoControlButton();

    void OnClick(BOOL keyboard, CPoint point) override;
    void OnLButtonUp(CPoint point) override;
};
