#include <algorithm>
#include "commandbars/KvoControl.h"
#include "commandbars/KvoBarManager.h"
#include "commandbars/KvoCommandBar.h"
#include "commandbars/KvoControlAction.h"
#include "commandbars/KvoControls.h"
#include "commandbars/KvoPaintManager.h"
#include "commandbars/KvoPrompt.h"
#include "foundation/base/KvoResourceManager.h"
#include "foundation/images/KvoImageManager.h"

// Registered with the command-bar classes in their start-up order, not here.
CObject* PASCAL CKvoControl::CreateObject()
{
    return new CKvoControl;
}
IMPLEMENT_RUNTIMECLASS(CKvoControl, CCmdTarget, VERSIONABLE_SCHEMA | 33, CKvoControl::CreateObject)

namespace {
// The string of a string id, FALSE when the module has none.
BOOL LoadToolkitString(UINT id, CString* text)
{
    BOOL missing = FALSE;
    *text = CKvoResourceManager::Instance()->LoadString(id, &missing);
    return !missing;
}

// A text argument that may be a string id (below 0x10000).
CString TextOrString(LPCWSTR textOrId)
{
    if (!IS_INTRESOURCE(textOrId))
        return CString(textOrId);
    CString text;
    LoadToolkitString(static_cast<UINT>(reinterpret_cast<UINT_PTR>(textOrId)), &text);
    return text;
}

}  // namespace

void CKvoControl::CDocTemplateMap::Copy(const CDocTemplateMap& source)
{
    RemoveAll();
    POSITION position = source.GetStartPosition();
    while (position) {
        UINT id = 0;
        BOOL value = FALSE;
        source.GetNextAssoc(position, id, value);
        SetAt(id, value);
    }
}

CKvoControl::CKvoControl()
    : m_nTag(0), m_nIndex(0), m_nId(0), m_nIconId(0), m_nHelpId(0), m_nCustomIconId(0), m_bWrap(FALSE),
      m_bBeginGroup(FALSE), m_nEnabled(1), m_nChecked(0), m_nSelected(0), m_nPressed(0), m_bTemporary(FALSE),
      m_dwHideFlags(0), m_dwFlags(0), m_pControls(nullptr), m_controlType(KvoControlTypeNone), m_pParent(nullptr),
      m_bRarelyUsed(FALSE), m_bDefaultItem(FALSE), m_buttonStyle(KvoButtonAutomatic), m_nCustomStyle(-1),
      m_buttonClassDefaultStyle(KvoButtonAutomatic), m_bCloseSubMenuOnClick(TRUE), m_pAction(nullptr), m_nWidth(0),
      m_nHeight(0), m_nExecuteOnPressInterval(0), m_szIcon(0, 0)
{
}

CKvoControl::~CKvoControl()
{
    if (m_pAction)
        m_pAction->RemoveControl(this);
}

LPUNKNOWN CKvoControl::GetInterfaceHook(const void* iid)
{
    return GetAccessibleInterface(iid);
}

// Texts ----------------------------------------------------------------------

CString CKvoControl::GetCaption() const
{
    if (!m_strCustomCaption.IsEmpty())
        return m_strCustomCaption;
    if (!m_strCaption.IsEmpty())
        return m_strCaption;
    if (m_pAction)
        return m_pAction->GetCaption().IsEmpty() ? m_pAction->GetTooltip() : m_pAction->GetCaption();
    return CString();
}

CString CKvoControl::GetDescription() const
{
    if (!m_strDescriptionText.IsEmpty() || !m_pAction)
        return m_strDescriptionText;
    return m_pAction->GetDescription();
}

CString CKvoControl::GetTooltip() const
{
    if (!m_strTooltipText.IsEmpty() || !m_pAction)
        return m_strTooltipText;
    return m_pAction->GetTooltip();
}

CString CKvoControl::GetShortcutText() const
{
    if (!m_strShortcutText.IsEmpty())
        return m_strShortcutText;
    if (m_pAction && !m_pAction->GetShortcutText().IsEmpty())
        return m_pAction->GetShortcutText();
    return m_strShortcutTextAuto;
}

CString CKvoControl::GetKeyboardTip() const
{
    if (!m_strKeyboardTip.IsEmpty() || !m_pAction)
        return m_strKeyboardTip;
    return m_pAction->GetKeyboardTip();
}

void CKvoControl::SetCaption(LPCWSTR caption)
{
    CString text = TextOrString(caption);
    BOOL shortcutChanged = FALSE;
    int tab = text.Find(L'\t');
    if (tab >= 0) {
        CString shortcut = text.Mid(tab + 1);
        if (shortcut != m_strShortcutTextAuto) {
            m_strShortcutTextAuto = shortcut;
            shortcutChanged = TRUE;
        }
        text = text.Left(tab);
    }
    if (text != m_strCaption) {
        m_strCaption = text;
        OnCaptionChanged();
        DelayLayout();
    } else if (shortcutChanged) {
        DelayLayout();
    }
}

void CKvoControl::SetCaptionId(UINT id)
{
    CString text;
    if (LoadToolkitString(id, &text))
        SetCaption(text);
}

void CKvoControl::SetPrompt(LPCWSTR text)
{
    if (!text || !*text)
        return;
    const CKvoPrompt prompt(text);
    const int parts = prompt.GetPartCount();
    if (parts > 1) {
        m_strTooltipText = prompt.GetPart(CKvoPrompt::Tooltip);
        m_strDescriptionText = prompt.GetPart(CKvoPrompt::Description);
    } else {
        m_strTooltipText = prompt.GetText();
        m_strDescriptionText = prompt.GetText();
    }
    if (m_strCaption.IsEmpty()) {
        m_strCaption = parts > CKvoPrompt::Caption ? prompt.GetPart(CKvoPrompt::Caption) : m_strTooltipText;
        OnCaptionChanged();
    }
    if (m_strKeyboardTip.IsEmpty())
        m_strKeyboardTip = prompt.GetPart(CKvoPrompt::KeyboardTip);
}

void CKvoControl::SetPromptId(UINT id)
{
    CString prompt;
    if (id != m_nId && LoadToolkitString(id, &prompt))
        SetPrompt(prompt);
    m_nId = id;
}

// State ----------------------------------------------------------------------

int CKvoControl::GetEnabled() const
{
    if (m_nEnabled != -1)
        return m_nEnabled;
    return m_pAction ? m_pAction->GetEnabled() : -1;
}

int CKvoControl::GetChecked() const
{
    if (m_nChecked != -1)
        return m_nChecked;
    return m_pAction ? m_pAction->GetChecked() : -1;
}

int CKvoControl::GetStyle() const
{
    if (m_nCustomStyle != -1)
        return m_nCustomStyle;
    if (m_buttonStyle != KvoButtonAutomatic)
        return m_buttonStyle;
    if (m_buttonClassDefaultStyle != KvoButtonAutomatic)
        return m_buttonClassDefaultStyle;
    return m_pParent ? m_pParent->GetDefaultButtonStyle() : KvoButtonAutomatic;
}

void CKvoControl::SetStyle(int style)
{
    if (m_buttonStyle == style)
        return;
    m_buttonStyle = style;
    DelayLayout();
}

int CKvoControl::GetIconId() const
{
    if (m_nCustomIconId != 0)
        return m_nCustomIconId;
    if (m_nIconId > 0)
        return m_nIconId;
    if (m_pAction)
        return m_pAction->GetIconId() > 0 ? m_pAction->GetIconId() : static_cast<int>(m_pAction->GetID());
    return static_cast<int>(m_nId);
}

CKvoImageManagerIcon* CKvoControl::GetImage(int width)
{
    int id = GetIconId();
    if (id == 0)
        return nullptr;
    return GetImageManager()->IsIconDefined(static_cast<UINT>(id), width);
}

void CKvoControl::SetBeginGroup(BOOL beginGroup)
{
    if (m_bBeginGroup == beginGroup)
        return;
    m_bBeginGroup = beginGroup;
    DelayLayout();
}

void CKvoControl::SetEnabled(int enabled)
{
    if (m_nEnabled == enabled)
        return;
    m_nEnabled = enabled;
    RedrawParent(TRUE);
}

void CKvoControl::SetWidth(int width)
{
    if (m_nWidth == width)
        return;
    m_nWidth = width;
    DelayLayout();
}

void CKvoControl::SetHeight(int height)
{
    if (m_nHeight == height)
        return;
    m_nHeight = height;
    DelayLayout();
}

void CKvoControl::SetDefaultItem(BOOL defaultItem)
{
    if (m_bDefaultItem == defaultItem)
        return;
    m_bDefaultItem = defaultItem;
    DelayLayout();
}

void CKvoControl::SetVisible(BOOL visible)
{
    DWORD hideFlags = visible ? (m_dwHideFlags & ~KvoHideGeneric) : (m_dwHideFlags | KvoHideGeneric);
    if (hideFlags == m_dwHideFlags)
        return;
    SetHideFlags(hideFlags);
    DelayLayout();
}

void CKvoControl::SetRarelyUsed(BOOL rarelyUsed)
{
    m_bRarelyUsed = rarelyUsed;
    if (!rarelyUsed)
        m_dwHideFlags &= ~KvoHideExpand;
}

BOOL CKvoControl::IsVisible(DWORD mask) const
{
    if (m_pAction && !m_pAction->IsVisible())
        return FALSE;
    return (m_dwHideFlags & ~mask) == 0;
}

BOOL CKvoControl::IsCaptionVisible() const
{
    if (m_pParent && m_pParent->GetType() == KvoBarTypePopup)
        return TRUE;
    if (GetCaption().IsEmpty())
        return FALSE;
    switch (GetStyle()) {
    case KvoButtonIcon:
        return FALSE;
    case KvoButtonAutomatic:
        break;
    default:
        return TRUE;
    }
    switch (m_controlType) {
    case KvoControlTypeButton:
    case KvoControlTypeButtonPopup:
    case KvoControlTypeSplitButtonPopup:
        // Automatic: the icon stands for the command when there is one.
        return const_cast<CKvoControl*>(this)->GetImage(0) == nullptr;
    case KvoControlTypePopup:
    case KvoControlTypeLabel:
    case KvoControlTypeCheckBox:
    case KvoControlTypeRadioButton:
        return TRUE;
    default:
        return FALSE;
    }
}

CSize CKvoControl::GetButtonSize() const
{
    return m_pParent ? m_pParent->GetButtonSize() : CSize(0, 0);
}

CSize CKvoControl::GetIconSize() const
{
    if (m_szIcon != CSize(0, 0))
        return m_szIcon;
    return m_pParent ? m_pParent->GetIconSize() : CSize(0, 0);
}

CKvoImageManager* CKvoControl::GetImageManager() const
{
    if (m_pParent)
        return m_pParent->GetImageManager();
    CKvoBarManager* manager = m_pControls ? m_pControls->GetBarManager() : nullptr;
    return manager ? manager->GetImageManager() : CKvoImageManager::Instance();
}

CKvoPaintManager* CKvoControl::GetPaintManager() const
{
    if (m_pParent)
        return m_pParent->GetPaintManager();
    CKvoBarManager* manager = m_pControls ? m_pControls->GetBarManager() : nullptr;
    return manager ? manager->GetPaintManager() : CKvoPaintManager::SharedInstance();
}

CSize CKvoControl::GetSize(CDC* dc)
{
    return GetPaintManager()->DrawControl(dc, this, FALSE);
}

void CKvoControl::Draw(CDC* dc)
{
    GetPaintManager()->DrawControl(dc, this, TRUE);
}

// Comparing, copying, cloning ------------------------------------------------

BOOL CKvoControl::Compare(CKvoControl* other)
{
    return other && GetStyle() == other->GetStyle() && m_controlType == other->m_controlType &&
           m_nId == other->m_nId && m_dwFlags == other->m_dwFlags && m_bBeginGroup == other->m_bBeginGroup &&
           GetIconId() == other->GetIconId() && m_strCaption == other->m_strCaption &&
           m_strTooltipText == other->m_strTooltipText && m_strDescriptionText == other->m_strDescriptionText &&
           m_strCustomCaption == other->m_strCustomCaption && m_nCustomStyle == other->m_nCustomStyle &&
           m_strParameter == other->m_strParameter &&
           (m_dwHideFlags & KvoHideCustomize) == (other->m_dwHideFlags & KvoHideCustomize) &&
           m_nWidth == other->m_nWidth;
}

void CKvoControl::Copy(CKvoControl* source, BOOL)
{
    m_nId = source->m_nId;
    SetAction(source->m_pAction);
    m_nTag = source->m_nTag;
    m_dwFlags = source->m_dwFlags;
    m_controlType = source->m_controlType;
    m_strCaption = source->m_strCaption;
    m_strShortcutText = source->m_strShortcutText;
    m_strShortcutTextAuto = source->m_strShortcutTextAuto;
    m_strTooltipText = source->m_strTooltipText;
    m_strDescriptionText = source->m_strDescriptionText;
    m_strParameter = source->m_strParameter;
    m_strKeyboardTip = source->m_strKeyboardTip;
    m_nCustomIconId = source->m_nCustomIconId;
    m_nIconId = source->m_nIconId;
    m_nHelpId = source->m_nHelpId;
    m_bTemporary = source->m_bTemporary;
    m_strCustomCaption = source->m_strCustomCaption;
    m_strCategory = source->m_strCategory;
    m_dwHideFlags = source->m_dwHideFlags;
    m_bDefaultItem = source->m_bDefaultItem;
    m_nEnabled = source->m_nEnabled;
    m_nChecked = source->m_nChecked;
    m_nCustomStyle = source->m_nCustomStyle;
    m_buttonStyle = source->m_buttonStyle;
    m_nWidth = std::max(source->m_nWidth, GetCustomizeMinWidth());
    m_nHeight = source->m_nHeight;
    m_szIcon = source->m_szIcon;
    m_bBeginGroup = source->m_bBeginGroup;
    m_bCloseSubMenuOnClick = source->m_bCloseSubMenuOnClick;
    m_nExecuteOnPressInterval = source->m_nExecuteOnPressInterval;
    m_mapDocTemplatesAssigned.Copy(source->m_mapDocTemplatesAssigned);
    m_mapDocTemplatesExcluded.Copy(source->m_mapDocTemplatesExcluded);
    OnCaptionChanged();
}

CKvoControl* CKvoControl::Clone(BOOL recursive)
{
    CKvoControl* clone = static_cast<CKvoControl*>(GetRuntimeClass()->CreateObject());
    if (clone)
        clone->Copy(this, recursive);
    return clone;
}

// Actions --------------------------------------------------------------------

void CKvoControl::SetAction(CKvoControlAction* action)
{
    if (m_pAction) {
        CKvoControlAction* previous = m_pAction;
        m_pAction = nullptr;
        previous->RemoveControl(this);
    }
    if (action) {
        m_pAction = action;
        action->AddControl(this);
    }
}

void CKvoControl::OnActionChanged(int property)
{
    if (property == KvoActionCaption)
        OnCaptionChanged();
}

// The bar --------------------------------------------------------------------

void CKvoControl::DelayLayout()
{
    if (m_pParent)
        m_pParent->DelayLayout();
}

void CKvoControl::RedrawParent(BOOL animate)
{
    if (m_pParent && IsVisible(0))
        m_pParent->Redraw(&m_rcControl, animate);
}

BOOL CKvoControl::IsCursorOver() const
{
    if (!m_pParent || !m_pParent->GetSafeHwnd())
        return FALSE;
    CPoint point;
    ::GetCursorPos(&point);
    m_pParent->ScreenToClient(&point);
    return m_rcControl.PtInRect(point);
}

BOOL CKvoControl::IsCustomizeMode() const
{
    return m_pParent ? m_pParent->IsCustomizeMode() : FALSE;
}

BOOL CKvoControl::IsOutsidePopupBar() const
{
    return !m_pParent || m_pParent->GetPosition() != KvoBarPopup;
}

BOOL CKvoControl::IsOnGlassCaption() const
{
    return m_pParent && m_pParent->IsRibbonBar() && m_pParent->IsOnGlassCaption(m_rcControl);
}

BOOL CKvoControl::OnLButtonDblClk(CPoint point)
{
    OnClick(FALSE, point);
    return TRUE;
}

BOOL CKvoControl::SetSelected(int state)
{
    if (state == m_nSelected)
        return FALSE;
    const BOOL byKeyboard = state == 2 || state == 3;
    if (byKeyboard && m_pParent && m_pParent->GetPopupIndex() != -1 &&
        m_pParent->GetControl(m_pParent->GetPopupIndex()) != this)
        m_pParent->SetOpenPopupControl(-1, FALSE);
    m_nSelected = state;
    if (m_pParent)
        m_pParent->OnControlSelected(state, this);
    // A disabled control does not light up under the mouse.
    if (GetEnabled() == 0 && state != 0 && !byKeyboard)
        return TRUE;
    RedrawParent(state == 0);
    return TRUE;
}

void CKvoControl::OnMouseHover()
{
    if (!m_pParent)
        return;
    if (m_pParent->SetOpenPopupControl(-1, FALSE) && m_pParent->GetPosition() != KvoBarPopup &&
        m_pParent->GetTrackingMode() == 2)
        m_pParent->SetTrackingMode(0, TRUE, FALSE);
}

void CKvoControl::OnCustomizeDragOver(CKvoControl*, CPoint)
{
    if (!m_pParent)
        return;
    m_pParent->SetOpenPopupControl(-1, FALSE);
    m_pParent->SetSelected(-1, FALSE);
}

BOOL CKvoControl::CanDragInCustomizeMode() const
{
    CKvoBarManager* manager = m_pParent ? m_pParent->GetBarManager() : nullptr;
    if (!manager)
        return FALSE;
    if (m_pParent->IsCustomizable())
        return (m_dwFlags & KvoFlagNoMovable) == 0;
    return manager->IsCustomizeAvailable();
}
