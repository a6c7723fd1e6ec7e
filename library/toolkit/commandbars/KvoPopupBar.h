#pragma once
#include "commandbars/KvoCommandBar.h"

// The bar of an open menu or drop-down: a popup (type 2, position 5) that a
// popup control opens, or a context menu without one. This holds what the
// controls on it ask: the control that opened it.
class CKvoPopupBar : public CKvoCommandBar {
    DECLARE_SERIAL(CKvoPopupBar)
public:
    CKvoPopupBar();

    // The bar of the control that opened this one.
    CKvoCommandBar* GetParentCommandBar() const override;
    BOOL IsPopupBar() const override { return TRUE; }

    // The popup control that opened the bar, NULL for a context menu.
    CKvoControl* GetControlPopup() const { return m_pControlPopup; }
    void SetControlPopup(CKvoControl* control) { m_pControlPopup = control; }

protected:
    CKvoControl* m_pControlPopup; // not owned
};
