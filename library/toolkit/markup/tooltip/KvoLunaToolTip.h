#pragma once
#include "markup/tooltip/KvoToolTipContextToolTip.h"
#include "markup/tooltip/KvoToolTipContext.h"

// The Luna look: a vertical gradient and a frame after the Windows theme.
class CKvoToolTipContext::CLunaToolTip : public CKvoToolTipContextToolTip {
public:
    using CKvoToolTipContextToolTip::CKvoToolTipContextToolTip;

    void DrawBackground(CDC* dc, const TOOLITEM& tool, RECT rect) override;
};
