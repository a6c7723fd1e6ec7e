#include "markup/core/KvoMarkupContext.h"
#include <windowsx.h>
#include <new>
#include "markup/builder/KvoMarkupBuilder.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/core/KvoMarkupTypeRegistry.h"
#include "markup/elements/KvoMarkupInputElement.h"
#include "markup/elements/KvoMarkupKeyboardNavigation.h"
#include "markup/elements/KvoMarkupUIElement.h"
#include "markup/parser/KvoMarkupParser.h"
#include "markup/values/KvoMarkupString.h"

namespace {
// TRUE when ancestor is element or one of its logical ancestors.
BOOL IsSelfOrLogicalAncestor(const CKvoMarkupObject* ancestor, const CKvoMarkupObject* element)
{
    for (const CKvoMarkupObject* object = element; object; object = object->GetLogicalParent()) {
        if (object == ancestor)
            return TRUE;
    }
    return FALSE;
}

// The nearest logical ancestor of object that is a visual.
const CKvoMarkupVisual* NearestVisualAncestor(const CKvoMarkupObject* object)
{
    for (const CKvoMarkupObject* ancestor = object->GetLogicalParent(); ancestor;
         ancestor = ancestor->GetLogicalParent()) {
        if (ancestor->IsKindOf(CKvoMarkupVisual::s_type))
            return static_cast<const CKvoMarkupVisual*>(ancestor);
    }
    return nullptr;
}

// Holds a reference on a context while it routes a message: a handler may
// let go of the last element that holds one.
class ContextHold {
public:
    explicit ContextHold(CKvoMarkupContext* context) : m_context(context) { m_context->AddRef(); }
    ~ContextHold() { m_context->Release(); }
    ContextHold(const ContextHold&) = delete;
    ContextHold& operator=(const ContextHold&) = delete;

private:
    CKvoMarkupContext* m_context;
};
}

CKvoMarkupContext* CKvoMarkupContext::Create(HWND owner)
{
    return new (std::nothrow) CKvoMarkupContext(owner);
}

CKvoMarkupContext::CKvoMarkupContext(HWND owner)
    : m_hOwner(owner), m_defaultTextColor(0), m_defaultFont(), m_pCaptureElement(nullptr), m_pMouseRoot(nullptr),
      m_pToolTipContext(nullptr), m_nRefCount(1)
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        m_defaultFont = metrics.lfMessageFont;
    m_keyboardNavigation.Reset(new CKvoMarkupKeyboardNavigation(this));
    m_pToolTipContext = new CTooltipContext(this);
    m_pToolTipContext->SetStyle(KvoToolTipStyle::Markup);
    RegisterMarkupTypes();
}

CKvoMarkupContext::~CKvoMarkupContext()
{
    m_hover.Reset();
    m_keyboardNavigation.Reset();
    m_pToolTipContext->InternalRelease();
}

long CKvoMarkupContext::AddRef()
{
    return InterlockedIncrement(&m_nRefCount);
}

long CKvoMarkupContext::Release()
{
    if (m_nRefCount == 0)
        return 0;
    const long count = InterlockedDecrement(&m_nRefCount);
    if (count == 0)
        delete this;
    return count;
}

void CKvoMarkupContext::RegisterMarkupTypes()
{
    // Once per process, on the UI thread of the first context.
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    // Each property takes the next slot as it is registered, so this order
    // fixes the slots: the list from its head (the last record made first),
    // every base before its derived types.
    for (CKvoMarkupType* type = CKvoMarkupTypeRegistry::Instance().GetFirstType(); type; type = type->GetNextType())
        type->RegisterType();
}

CKvoMarkupUIElement* CKvoMarkupContext::ParseText(LPCWSTR text)
{
    if (!text)
        return nullptr;
    CKvoMarkupParser parser;
    parser.SetBuffer(text, text + lstrlenW(text));
    CKvoMarkupBuilder builder(this);
    return builder.Parse(&parser);
}

CKvoMarkupObject* CKvoMarkupContext::CreateObject(const CKvoMarkupType* type)
{
    CKvoMarkupObject* object = type ? type->CreateObject() : nullptr;
    if (object && object->IsKindOf(CKvoMarkupInputElement::s_type))
        static_cast<CKvoMarkupInputElement*>(object)->AttachContext(this);
    return object;
}

void CKvoMarkupContext::SetDefaultFont(HFONT font, COLORREF color)
{
    LOGFONTW description;
    if (font && ::GetObjectW(font, sizeof(description), &description) == sizeof(description))
        m_defaultFont = description;
    if (color != 0xFFFFFFFF)
        m_defaultTextColor = color;
}

CKvoToolTipContext* CKvoMarkupContext::GetToolTipContext() const
{
    return m_pToolTipContext;
}

void CKvoMarkupContext::SetCapture(CKvoMarkupInputElement* element)
{
    // The system capture first: taking it tells the owner that an earlier
    // capture ended. Taken again, it would tell of a loss that is none.
    if (m_hOwner && ::GetCapture() != m_hOwner)
        ::SetCapture(m_hOwner);
    m_pCaptureElement = element;
}

void CKvoMarkupContext::ReleaseCapture(CKvoMarkupInputElement* element)
{
    if (element && element != m_pCaptureElement)
        return;
    // Cleared first: the owner hears of the lost capture at once and must
    // not tell the element again.
    m_pCaptureElement = nullptr;
    if (m_hOwner && ::GetCapture() == m_hOwner)
        ::ReleaseCapture();
}

void CKvoMarkupContext::ResetMouseState()
{
    ReleaseCapture(m_pCaptureElement);
    m_pMouseRoot = nullptr;
    m_hover.Reset();
}

void CKvoMarkupContext::DetachElement(CKvoMarkupInputElement* element)
{
    if (!element)
        return;
    // The hover holds a reference, so it is never the element going; the
    // check only keeps a stray pointer from being released twice.
    if (m_hover.Get() == element)
        m_hover.Detach();
    if (static_cast<CKvoMarkupObject*>(m_pMouseRoot) == element)
        m_pMouseRoot = nullptr;
    if (m_pCaptureElement == element)
        ReleaseCapture(element);
}

RECT CKvoMarkupContext::GetElementWindowRect(const CKvoMarkupInputElement* element)
{
    RECT rect = {0, 0, 0, 0};
    const CKvoMarkupVisual* placed = nullptr;
    if (!element)
        return rect;
    if (element->IsKindOf(CKvoMarkupVisual::s_type)) {
        placed = static_cast<const CKvoMarkupVisual*>(element);
        rect = placed->GetBounds();
    } else if (element->GetTextBounds(&rect)) {
        placed = NearestVisualAncestor(element);
    }
    if (!placed)
        return RECT{0, 0, 0, 0};
    // Bounds are in the element's own coordinates: each offset on the way
    // up moves them into its parent's.
    for (const CKvoMarkupVisual* visual = placed; visual; visual = visual->GetVisualParent())
        ::OffsetRect(&rect, visual->GetVisualOffset().x, visual->GetVisualOffset().y);
    return rect;
}

void CKvoMarkupContext::InvalidateElement(CKvoMarkupInputElement* element)
{
    if (!m_hOwner)
        return;
    const RECT rect = GetElementWindowRect(element);
    ::InvalidateRect(m_hOwner, &rect, FALSE);
}

void CKvoMarkupContext::InvalidateAll()
{
    if (m_hOwner)
        ::InvalidateRect(m_hOwner, nullptr, FALSE);
}

CKvoMarkupContext::InputChain CKvoMarkupContext::GetInputChain(CKvoMarkupInputElement* element)
{
    InputChain chain;
    for (CKvoMarkupObject* object = element; object; object = object->GetLogicalParent()) {
        if (object->IsKindOf(CKvoMarkupInputElement::s_type))
            chain.push_back(CKvoMarkupPtr<CKvoMarkupInputElement>::Share(static_cast<CKvoMarkupInputElement*>(object)));
    }
    return chain;
}

BOOL CKvoMarkupContext::RouteAlongChain(const InputChain& chain, CKvoMarkupRoutedEventArgs& args,
                                        ClassHandler handler)
{
    for (const auto& element : chain) {
        if (element->RaiseEventThenClassHandler(args, handler))
            return TRUE;
    }
    return FALSE;
}

CKvoMarkupRoutedEventArgs CKvoMarkupContext::MakeArgs(int x, int y) const
{
    CKvoMarkupRoutedEventArgs args;
    args.window = m_hOwner;
    args.x = x;
    args.y = y;
    return args;
}

BOOL CKvoMarkupContext::OnWndMsg(CKvoMarkupUIElement* root, UINT message, WPARAM wParam, LPARAM lParam,
                                 LRESULT* result)
{
    if (!m_hOwner || !root)
        return FALSE;
    // Another tree has the mouse: its messages are not this one's.
    if (m_pMouseRoot && m_pMouseRoot != root)
        return FALSE;
    ContextHold hold(this);
    if (message == WM_MOUSEMOVE)
        OnMouseMove(root, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    else if (message == WM_DESTROY || message == WM_MOUSELEAVE)
        SetHoverElement(nullptr, -1, -1);
    if ((message >= WM_MOUSEFIRST && message <= 0x20E) || message == WM_MOUSELEAVE)
        m_pToolTipContext->FilterToolTipMessage(CWnd::FromHandle(m_hOwner), message, wParam, lParam);

    switch (message) {
    case WM_SETCURSOR:
    case WM_MOUSEWHEEL:
        if (message == WM_SETCURSOR ? !QueryCursor() : !OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam)))
            return FALSE;
        if (result)
            *result = TRUE;
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return OnMouseButton(message, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    case WM_CAPTURECHANGED:
        OnCaptureChanged();
        return FALSE;
    case WM_KEYDOWN:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return m_keyboardNavigation && m_keyboardNavigation->OnKeyboardMessage(message, wParam, lParam, result);
    default:
        return FALSE;
    }
}

void CKvoMarkupContext::OnMouseMove(CKvoMarkupUIElement* root, int x, int y)
{
    CKvoMarkupInputElement* hit = root->InputHitTest(x, y);
    // While an element holds the capture, only it and what lies inside it
    // count as under the mouse, and both mean the capture element.
    if (m_pCaptureElement)
        hit = hit && IsSelfOrLogicalAncestor(m_pCaptureElement, hit) ? m_pCaptureElement : nullptr;
    if (hit != m_hover.Get()) {
        SetHoverElement(hit, x, y);
        if (hit) {
            TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hOwner, 0};
            ::TrackMouseEvent(&track);
        }
        if (!QueryCursor())
            ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    }
    m_pMouseRoot = m_hover ? root : nullptr;
    if (!m_hover)
        return;
    CKvoMarkupRoutedEventArgs args = MakeArgs(x, y);
    args.event = CKvoMarkupInputElement::s_mouseMoveEvent;
    RouteAlongChain(GetInputChain(m_hover.Get()), args, &CKvoMarkupInputElement::OnMouseMove);
}

void CKvoMarkupContext::SetHoverElement(CKvoMarkupInputElement* element, int x, int y)
{
    if (element == m_hover.Get())
        return;
    if (!element)
        m_pMouseRoot = nullptr;
    InputChain leaving = GetInputChain(m_hover.Get());
    InputChain entering = GetInputChain(element);
    // Common ancestors stay under the mouse: they hear of neither.
    while (!leaving.empty() && !entering.empty() && leaving.back().Get() == entering.back().Get()) {
        leaving.pop_back();
        entering.pop_back();
    }
    m_hover = CKvoMarkupPtr<CKvoMarkupInputElement>::Share(element);

    CKvoMarkupRoutedEventArgs leave = MakeArgs(x, y);
    leave.event = CKvoMarkupInputElement::s_mouseLeaveEvent;
    RouteAlongChain(leaving, leave, &CKvoMarkupInputElement::OnMouseLeave);
    CKvoMarkupRoutedEventArgs enter = MakeArgs(x, y);
    enter.event = CKvoMarkupInputElement::s_mouseEnterEvent;
    RouteAlongChain(entering, enter, &CKvoMarkupInputElement::OnMouseEnter);
}

BOOL CKvoMarkupContext::QueryCursor()
{
    for (const auto& element : GetInputChain(m_hover.Get())) {
        CKvoMarkupRoutedEventArgs args = MakeArgs(0, 0);
        element->OnQueryCursor(args);
        if (!args.handled)
            continue;
        if (!args.extra)
            return FALSE;
        ::SetCursor(reinterpret_cast<HCURSOR>(args.extra));
        return TRUE;
    }
    return FALSE;
}

BOOL CKvoMarkupContext::OnMouseWheel(short delta)
{
    CKvoMarkupRoutedEventArgs args = MakeArgs(0, 0);
    args.extra = delta;
    return RouteAlongChain(GetInputChain(m_hover.Get()), args, &CKvoMarkupInputElement::OnMouseWheel);
}

BOOL CKvoMarkupContext::OnMouseButton(UINT message, int x, int y)
{
    CKvoMarkupInputElement* target = m_pCaptureElement ? m_pCaptureElement : m_hover.Get();
    if (!target)
        return FALSE;
    CKvoMarkupRoutedEventArgs args = MakeArgs(x, y);
    ClassHandler handler = nullptr;
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        args.event = CKvoMarkupInputElement::s_mouseLeftButtonDownEvent;
        handler = &CKvoMarkupInputElement::OnMouseLeftButtonDown;
        break;
    case WM_LBUTTONUP:
        args.event = CKvoMarkupInputElement::s_mouseLeftButtonUpEvent;
        handler = &CKvoMarkupInputElement::OnMouseLeftButtonUp;
        break;
    case WM_RBUTTONDOWN:
        args.event = CKvoMarkupInputElement::s_mouseRightButtonDownEvent;
        handler = &CKvoMarkupInputElement::OnMouseRightButtonDown;
        break;
    default:
        args.event = CKvoMarkupInputElement::s_mouseRightButtonUpEvent;
        handler = &CKvoMarkupInputElement::OnMouseRightButtonUp;
        break;
    }
    return RouteAlongChain(GetInputChain(target), args, handler);
}

void CKvoMarkupContext::OnCaptureChanged()
{
    if (!m_pCaptureElement)
        return;
    // Forgotten before it is told, so that it may capture again.
    CKvoMarkupPtr<CKvoMarkupInputElement> lost = CKvoMarkupPtr<CKvoMarkupInputElement>::Share(m_pCaptureElement);
    m_pCaptureElement = nullptr;
    CKvoMarkupRoutedEventArgs args = MakeArgs(0, 0);
    args.event = CKvoMarkupInputElement::s_lostMouseCaptureEvent;
    lost->RaiseEventThenClassHandler(args, &CKvoMarkupInputElement::OnLostMouseCapture);
}

CKvoMarkupContext::CTooltipContext::CTooltipContext(CKvoMarkupContext* markupContext)
    : m_pMarkupContext(markupContext)
{
}

INT_PTR CKvoMarkupContext::CTooltipContext::OnToolHitTest(CWnd*, POINT, TOOLINFO* info)
{
    for (const auto& element : GetInputChain(m_pMarkupContext->GetHoverElement())) {
        const CKvoMarkupString* text = static_cast<const CKvoMarkupString*>(
            MarkupDynamicCast(CKvoMarkupString::s_type, element->GetValue(CKvoMarkupInputElement::s_toolTipProperty)));
        if (!text)
            continue;
        const UINT_PTR id = reinterpret_cast<UINT_PTR>(element.Get());
        FillInToolInfo(info, m_pMarkupContext->GetOwnerWindow(), GetElementWindowRect(element.Get()), id,
                       CStringW(text->GetString()));
        return static_cast<INT_PTR>(id);
    }
    return -1;
}
