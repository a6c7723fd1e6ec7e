#pragma once
#include "markup/tooltip/KvoToolTipContext.h"
#include "markup/tooltip/KvoToolTipContextToolTip.h"

class CKvoMarkupContext;
class CKvoMarkupUIElement;

// The markup look: the tool text is parsed as markup and rendered through a
// markup context of the tip's own; text that is not markup shows plainly.
class CKvoToolTipContext::CMarkupToolTip : public CKvoToolTipContextToolTip {
public:
    explicit CMarkupToolTip(CKvoToolTipContext* context);
    ~CMarkupToolTip() override;

    CSize CalcSize(TOOLITEM& tool) override;
    void DrawContent(CDC* dc, TOOLITEM& tool, RECT rect) override;

private:
    CKvoMarkupContext* m_markupContext;
    CKvoMarkupUIElement* m_element = nullptr; // of the text shown last
};
