#pragma once
#include "markup/text/KvoMarkupInline.h"

class CKvoMarkupInlineCollection;

// A group of inlines that share the values set on the span (they inherit
// them). The span has no positions: the text block visits its leaves.
class CKvoMarkupSpan : public CKvoMarkupInline {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupSpan();
    ~CKvoMarkupSpan() override;

    int GetLogicalChildrenCount() const override;
    CKvoMarkupObject* GetLogicalChild(int index) const override;
    // Goes to the inline collection.
    void SetContentObject(CKvoMarkupBuilder* builder, CKvoMarkupObject* content) override;
    BOOL HasContentObject() const override;
    BOOL AllowWhiteSpaceContent() const override;
    // The first inline's first leaf; the span itself when it holds none.
    CKvoMarkupInline* GetFirstInline() override;

    // Owned; never null unless it could not be allocated.
    CKvoMarkupInlineCollection* GetInlines() const { return m_pInlines; }

private:
    CKvoMarkupInlineCollection* m_pInlines;
};

// A span whose text is bold (weight 700).
class CKvoMarkupBold : public CKvoMarkupSpan {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupBold();
};

// A span whose text is italic.
class CKvoMarkupItalic : public CKvoMarkupSpan {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupItalic();
};

// A span whose text is underlined.
class CKvoMarkupUnderline : public CKvoMarkupSpan {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupUnderline();
};
