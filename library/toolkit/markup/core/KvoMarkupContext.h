#pragma once
#include <afxwin.h>
#include <vector>
#include "markup/core/KvoMarkupPtr.h"
#include "markup/drawing/KvoMarkupFont.h"
#include "markup/tooltip/KvoToolTipContext.h"

class CKvoMarkupInputElement;
class CKvoMarkupKeyboardNavigation;
class CKvoMarkupObject;
class CKvoMarkupType;
class CKvoMarkupUIElement;
struct CKvoMarkupRoutedEventArgs;

// The owner of one markup user interface drawn in one window: it parses
// markup into element trees, keeps the default font and text colour, tracks
// the element under the mouse and the one holding the capture, routes the
// owner window's mouse messages to the elements and shows their ToolTip
// texts as markup tips. Reference-counted (every element made in it holds
// one reference); used on the owner window's thread only.
class CKvoMarkupContext {
public:
    class CTooltipContext;

    // A new context (count 1) for owner (may be null: then no message is
    // handled), or null when it cannot be allocated.
    static CKvoMarkupContext* Create(HWND owner);
    CKvoMarkupContext(const CKvoMarkupContext&) = delete;
    CKvoMarkupContext& operator=(const CKvoMarkupContext&) = delete;

    long AddRef();
    // At 0 the context is deleted; a count already at 0 stays 0.
    long Release();

    // The root element of text (one reference), or null for null text or
    // any fault in the markup.
    CKvoMarkupUIElement* ParseText(LPCWSTR text);
    // A new object of type (one reference); an input element is tied to
    // this context and holds a reference on it.
    CKvoMarkupObject* CreateObject(const CKvoMarkupType* type);

    HWND GetOwnerWindow() const { return m_hOwner; }
    const LOGFONTW& GetDefaultFont() const { return m_defaultFont; }
    COLORREF GetDefaultTextColor() const { return m_defaultTextColor; }
    // font's description when font is given; color unless 0xFFFFFFFF.
    void SetDefaultFont(HFONT font, COLORREF color);
    // A font for description from the context's cache (one reference), or
    // null when it cannot be made.
    CKvoMarkupFont* GetFont(const LOGFONTW& description) { return m_fontCache.GetFont(description); }

    // Borrowed; null when none.
    CKvoMarkupInputElement* GetHoverElement() const { return m_hover.Get(); }
    CKvoMarkupInputElement* GetCaptureElement() const { return m_pCaptureElement; }
    CKvoMarkupUIElement* GetMouseRoot() const { return m_pMouseRoot; }
    CKvoMarkupKeyboardNavigation* GetKeyboardNavigation() const { return m_keyboardNavigation.Get(); }
    CKvoToolTipContext* GetToolTipContext() const;

    // element takes (or gives back) the mouse, and the owner window the
    // system capture with it.
    void SetCapture(CKvoMarkupInputElement* element);
    void ReleaseCapture(CKvoMarkupInputElement* element);
    // Forgets hover, capture and mouse root without telling any element;
    // called when the owner lets go of a tree the mouse is still over.
    void ResetMouseState();
    // Called by an input element's final release: the context forgets it.
    void DetachElement(CKvoMarkupInputElement* element);

    // A window message for the tree whose root is root (the tree the caller
    // draws); TRUE when it was handled, with *result set where the message
    // has one.
    virtual BOOL OnWndMsg(CKvoMarkupUIElement* root, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Redraws the element's rectangle of the owner window, without erasing.
    virtual void InvalidateElement(CKvoMarkupInputElement* element);
    virtual void InvalidateAll();

    // The element's rectangle in the owner window's coordinates; empty for
    // anything that has no place on the screen.
    static RECT GetElementWindowRect(const CKvoMarkupInputElement* element);

    // Registers the properties of every markup type, base types first; the
    // first call does the work, later calls return at once. Every context
    // runs it when it is made, on its UI thread.
    static void RegisterMarkupTypes();

protected:
    explicit CKvoMarkupContext(HWND owner);
    virtual ~CKvoMarkupContext();

private:
    typedef std::vector<CKvoMarkupPtr<CKvoMarkupInputElement>> InputChain;
    typedef void (CKvoMarkupInputElement::*ClassHandler)(CKvoMarkupRoutedEventArgs&);

    // element and its logical ancestors that are input elements, nearest first.
    static InputChain GetInputChain(CKvoMarkupInputElement* element);
    // Raises args along the chain, each element's class handler after its
    // handlers, until one handles it; TRUE when handled.
    static BOOL RouteAlongChain(const InputChain& chain, CKvoMarkupRoutedEventArgs& args, ClassHandler handler);

    void OnMouseMove(CKvoMarkupUIElement* root, int x, int y);
    void SetHoverElement(CKvoMarkupInputElement* element, int x, int y);
    BOOL QueryCursor();
    BOOL OnMouseWheel(short delta);
    BOOL OnMouseButton(UINT message, int x, int y);
    void OnCaptureChanged();
    CKvoMarkupRoutedEventArgs MakeArgs(int x, int y) const;

    HWND m_hOwner;
    COLORREF m_defaultTextColor;
    LOGFONTW m_defaultFont;
    CKvoMarkupPtr<CKvoMarkupInputElement> m_hover;
    // No reference: an element forgets itself here when it goes.
    CKvoMarkupInputElement* m_pCaptureElement;
    // No reference: the root is the owner's.
    CKvoMarkupUIElement* m_pMouseRoot;
    CKvoMarkupPtr<CKvoMarkupKeyboardNavigation> m_keyboardNavigation;
    CTooltipContext* m_pToolTipContext;
    // The fonts belong to the elements that hold them.
    CKvoMarkupFontCache m_fontCache;
    volatile long m_nRefCount;
};

// The tooltip context every markup context embeds: the tool under the
// cursor is the nearest element of the hover chain with a ToolTip text.
class CKvoMarkupContext::CTooltipContext : public CKvoToolTipContext {
public:
    explicit CTooltipContext(CKvoMarkupContext* markupContext);

    INT_PTR OnToolHitTest(CWnd* window, POINT clientPoint, TOOLINFO* info) override;

private:
    // The owner: never released here.
    CKvoMarkupContext* m_pMarkupContext;
};
