#pragma once
#include <afxwin.h>

// A group box that stays opaque while its window is resized: the layout
// engine leaves controls of this class alone instead of making them
// transparent.
class CKvResizeGroupBox : public CButton {
    DECLARE_DYNCREATE(CKvResizeGroupBox)
};
