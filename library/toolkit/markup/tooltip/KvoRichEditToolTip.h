#pragma once
#include "markup/tooltip/KvoRichRender.h"
#include "markup/tooltip/KvoToolTipContext.h"
#include "markup/tooltip/KvoToolTipContextToolTip.h"

// The rich-text look: the tool text is RTF (or plain text) laid out and
// drawn by the windowless rich-text host.
class CKvoToolTipContext::CRichEditToolTip : public CKvoToolTipContextToolTip {
public:
    using CKvoToolTipContextToolTip::CKvoToolTipContextToolTip;

    CSize CalcSize(TOOLITEM& tool) override;
    void DrawContent(CDC* dc, TOOLITEM& tool, RECT rect) override;

    CKvoRichRender& GetRenderer() { return m_renderer; }

private:
    CKvoRichRender m_renderer;
};
