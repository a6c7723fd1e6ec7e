#pragma once
#include <map>
#include <vector>
#include "markup/core/KvoMarkupObject.h"
#include "markup/core/KvoMarkupPtr.h"
#include "markup/elements/KvoMarkupRoutedEvent.h"

class CKvoMarkupActiveTriggerCollection;
class CKvoMarkupContext;
class CKvoMarkupProperties;
class CKvoMarkupStyle;

// The base of every markup object that takes mouse input: it holds the
// routed-event handlers, the class handlers the markup context calls while
// it routes window messages, and the style state that gives the element
// its values beneath the local ones.
class CKvoMarkupInputElement : public CKvoMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupInputElement();
    ~CKvoMarkupInputElement() override;

    // Local value, then trigger values, then the style's, then the default
    // style of the element's exact type.
    CKvoMarkupObject* GetValueCore(const CKvoMarkupDependencyProperty* property) const override;
    // An event attribute names a handler of the markup context; anything
    // else is stored as a value.
    void SetPropertyObject(CKvoMarkupBuilder* builder, const CKvoMarkupDependencyProperty* property,
                           CKvoMarkupObject* value) override;

    // Class handlers, called by the markup context's routing.
    virtual void OnMouseLeave(CKvoMarkupRoutedEventArgs& args);
    virtual void OnMouseEnter(CKvoMarkupRoutedEventArgs& args);
    virtual void OnMouseMove(CKvoMarkupRoutedEventArgs& args);
    virtual void OnQueryCursor(CKvoMarkupRoutedEventArgs& args);
    virtual void OnMouseLeftButtonUp(CKvoMarkupRoutedEventArgs& args);
    virtual void OnMouseRightButtonUp(CKvoMarkupRoutedEventArgs& args);
    virtual void OnMouseLeftButtonDown(CKvoMarkupRoutedEventArgs& args);
    virtual void OnMouseRightButtonDown(CKvoMarkupRoutedEventArgs& args);
    virtual void OnLostMouseCapture(CKvoMarkupRoutedEventArgs& args);
    virtual void OnMouseWheel(CKvoMarkupRoutedEventArgs& args);
    // The element at (x, y) in the visual parent's coordinates; plain input
    // elements have no place on the screen.
    virtual CKvoMarkupInputElement* InputHitTest(int x, int y);
    // Finds an implicit style when the element has none, then switches on
    // the style's triggers that hold.
    virtual void ApplyStyle();

    // Takes over the caller's reference on handler.
    void AddHandler(const CKvoMarkupRoutedEvent* event, CKvoMarkupDelegate* handler);
    // Raises args.event with this element as its source.
    void RaiseEvent(CKvoMarkupRoutedEventArgs& args);
    // One step of the context's routing: the event with this element as its
    // source, then, unless a handler handled it, the class handler. TRUE
    // when the route ends here.
    BOOL RaiseEventThenClassHandler(CKvoMarkupRoutedEventArgs& args,
                                    void (CKvoMarkupInputElement::*classHandler)(CKvoMarkupRoutedEventArgs&));
    // The args' position relative to relativeTo (window coordinates when null).
    static POINT GetPosition(const CKvoMarkupRoutedEventArgs& args, const CKvoMarkupInputElement* relativeTo);

    // The context the element was made in; null for elements made in code.
    CKvoMarkupContext* GetMarkupContext() const { return m_pMarkupContext; }
    // Called once by the context that made the element: the element holds
    // a reference on it until its final release.
    void AttachContext(CKvoMarkupContext* context);
    // Detaches from the context (which forgets the element as hover,
    // capture and mouse root), then deletes.
    void OnFinalRelease() override;

    // The element takes the mouse: the context routes mouse buttons to it
    // until it gives the capture back or loses it. Nothing without a context.
    void CaptureMouse();
    void ReleaseMouseCapture();
    // Hands the element to the context's keyboard navigation.
    void Focus();
    // The rectangle of an element drawn inside a visual without being one
    // (text), in that visual's coordinates; FALSE here.
    virtual BOOL GetTextBounds(RECT* rect) const;

    // The style in force (borrowed), and the triggers now switched on.
    CKvoMarkupStyle* GetStyle() const { return m_style.Get(); }
    CKvoMarkupActiveTriggerCollection* GetActiveTriggers() const { return m_pActiveTriggers; }
    // Seals style and makes it the element's style.
    void TakeStyle(CKvoMarkupStyle* style);
    // Re-evaluates the triggers after property took newValue (null
    // property: every trigger against the current values).
    void UpdateTriggers(const CKvoMarkupDependencyProperty* property, CKvoMarkupObject* newValue);
    // Appends trigger to the active list unless it is there already; TRUE
    // when it was appended.
    BOOL ActivateTrigger(CKvoMarkupObject* trigger);
    // ApplyStyle on every input element of the tree, children before parents.
    static void ApplyStylesRecursive(CKvoMarkupObject* root);

    static CKvoMarkupDependencyProperty* s_cursorProperty;
    static CKvoMarkupDependencyProperty* s_isMouseOverProperty;
    static CKvoMarkupDependencyProperty* s_resourcesProperty;
    static CKvoMarkupDependencyProperty* s_styleProperty;
    static CKvoMarkupDependencyProperty* s_isKeyboardFocusedProperty;
    static CKvoMarkupDependencyProperty* s_isFocusableProperty;
    static CKvoMarkupDependencyProperty* s_toolTipProperty;
    static CKvoMarkupRoutedEvent* s_mouseLeaveEvent;
    static CKvoMarkupRoutedEvent* s_mouseEnterEvent;
    static CKvoMarkupRoutedEvent* s_mouseLeftButtonUpEvent;
    static CKvoMarkupRoutedEvent* s_mouseLeftButtonDownEvent;
    static CKvoMarkupRoutedEvent* s_mouseRightButtonUpEvent;
    static CKvoMarkupRoutedEvent* s_mouseRightButtonDownEvent;
    static CKvoMarkupRoutedEvent* s_mouseMoveEvent;
    static CKvoMarkupRoutedEvent* s_lostMouseCaptureEvent;
    static void RegisterMarkupProperties();

private:
    typedef std::vector<CKvoMarkupPtr<CKvoMarkupDelegate>> HandlerList;
    // Calls every handler of event this element holds, in order.
    void InvokeHandlers(const CKvoMarkupRoutedEvent* event, CKvoMarkupRoutedEventArgs& args);

    std::map<const CKvoMarkupRoutedEvent*, HandlerList> m_handlers;
    // One reference; null for elements made in code.
    CKvoMarkupContext* m_pMarkupContext;
    CKvoMarkupActiveTriggerCollection* m_pActiveTriggers;
    CKvoMarkupProperties* m_pTriggerValues;
    // A reference of its own: a style found in a dictionary may leave it.
    CKvoMarkupPtr<CKvoMarkupStyle> m_style;
};
