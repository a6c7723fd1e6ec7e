#pragma once
#include <afxtempl.h>
#include <vector>
#include "markup/elements/KvoMarkupFrameworkElement.h"
#include "markup/elements/KvoMarkupRoutedEvent.h"

class CKvoMarkupBrush;

// The tests' concrete element, reused by the element tests of later
// subsystems: a framework element whose MeasureOverride answers a size the
// test sets, that counts its layout and drawing calls, holds visual
// children, and paints its "Fill" brush over its render size and its
// "Frame" brush around it. Registered as "TestFrameworkElement"; in markup
// it takes text and visuals as content (visuals become visual children).
class CTestMarkupFrameworkElement : public CKvoMarkupFrameworkElement {
    DECLARE_MARKUP_TYPE()
public:
    ~CTestMarkupFrameworkElement() override;

    // Takes over the caller's reference; becomes child's logical parent.
    void AddVisualChild(CKvoMarkupVisual* child);

    int GetVisualChildrenCount() const override;
    CKvoMarkupVisual* GetVisualChild(int index) const override;
    SIZE MeasureCore(CKvoMarkupDrawingContext* dc, int availableWidth, int availableHeight) override;
    void ArrangeCore(const RECT& rect) override;
    SIZE MeasureOverride(CKvoMarkupDrawingContext* dc, int width, int height) override;
    SIZE ArrangeOverride(int width, int height) override;
    void OnRender(CKvoMarkupDrawingContext* dc) override;
    void InvalidateVisual() override;
    void InvalidateArrange() override;
    void InvalidateMeasure() override;
    void SetContentObject(CKvoMarkupBuilder* builder, CKvoMarkupObject* content) override;
    BOOL HasContentObject() const override;
    BOOL AllowWhiteSpaceContent() const override;

    // Notes the wheel's delta; marks the wheel handled when handlesWheel.
    void OnMouseWheel(CKvoMarkupRoutedEventArgs& args) override;
    BOOL handlesWheel = FALSE;
    int lastWheelDelta = 0;

    // The content markup gave, in order: each text as it came, each visual
    // as "[tag]".
    std::vector<CStringW> contentLog;

    // What MeasureOverride answers.
    SIZE contentSize = {0, 0};
    // Where the parent arranges this element; empty: the parent's whole
    // content.
    RECT slot = {0, 0, 0, 0};
    // What the last MeasureOverride and ArrangeOverride were given.
    SIZE measuredWith = {-1, -1};
    SIZE arrangedWith = {-1, -1};
    int measureCoreCalls = 0;
    int arrangeCoreCalls = 0;
    int renderCalls = 0;
    int invalidateVisualCalls = 0;
    int invalidateArrangeCalls = 0;
    int invalidateMeasureCalls = 0;
    // Clears the counters.
    void ResetCounters();

    // "Fill", "Frame": Brush, affect rendering. "Level": Int, inherits,
    // default 1. "TestBubble": a bubbling event.
    static CKvoMarkupDependencyProperty* s_fillProperty;
    static CKvoMarkupDependencyProperty* s_frameProperty;
    static CKvoMarkupDependencyProperty* s_levelProperty;
    static CKvoMarkupRoutedEvent* s_testBubbleEvent;
    static void RegisterMarkupProperties();

private:
    CArray<CKvoMarkupVisual*, CKvoMarkupVisual*> m_children;
};

// A new test element (one reference) that wants contentSize.
CTestMarkupFrameworkElement* NewTestFrameworkElement(SIZE contentSize = {0, 0});
// The Int value of property on object, or -1 when it reads null.
int MarkupIntValue(const CKvoMarkupObject* object, const CKvoMarkupDependencyProperty* property);
// Sets an Int or a shared Bool as the value of property.
void SetMarkupInt(CKvoMarkupObject* object, const CKvoMarkupDependencyProperty* property, int value);
void SetMarkupBool(CKvoMarkupObject* object, const CKvoMarkupDependencyProperty* property, BOOL value);

// A handler that notes each call and may mark the event handled.
class CTestMarkupDelegate : public CKvoMarkupDelegate {
public:
    struct Call {
        CKvoMarkupInputElement* sender;
        CKvoMarkupRoutedEvent* event;
        const CTestMarkupDelegate* handler;
    };
    explicit CTestMarkupDelegate(std::vector<Call>* log, BOOL handles = FALSE) : m_log(log), m_bHandles(handles) {}
    void Invoke(CKvoMarkupInputElement* sender, CKvoMarkupRoutedEventArgs& args) override;

private:
    std::vector<Call>* m_log;
    BOOL m_bHandles;
};

// Makes and registers the test element type once per process.
void EnsureMarkupTestElementType();
