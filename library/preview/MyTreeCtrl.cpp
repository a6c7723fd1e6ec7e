#include "MyTreeCtrl.h"
#include <algorithm>
#include <cmath>
#include <iterator>
#include "LanguageIds.h"
#include "PreViewDlg.h"
#include "records/DrawData.h"
#include "records/ZumenInfo.h"

namespace {
const int kLayerGroups = 16;
const int kGroupLayers = 16;
const int kStateBits = 3;
// The root has no icon: the image list holds the four state icons only.
const int kNoTreeImage = 4;
const wchar_t kIdeographicSpace = L'\x3000';

// Jw_cad pads names with full-width spaces; the tree shows them trimmed.
CStringW TidyLayerName(const CStringW& name)
{
    CStringW tidy(name);
    tidy.Replace(kIdeographicSpace, L' ');
    tidy.Trim();
    return tidy;
}

// A layer's or group's icon after a click: back to its stored state when
// the user had switched it, else the other way from that state.
int SwitchedLayerImage(int storedState, DWORD data)
{
    if (data & CMyTreeCtrl::Toggled)
        return storedState;
    return storedState == 0 ? 1 : 0;
}
}

CStringW FormatLayerGroupLabel(int group, const CStringW& name, float scale)
{
    const CStringW tidy = TidyLayerName(name);
    CStringW label;
    // Written so that a NaN scale lands here too.
    if (!(scale > 0.0f)) {
        label.Format(L"%X:%s (1/1)", group, tidy.GetString());
    } else if (scale >= 1.0f) {
        label.Format(L"%X:%s (1/%.0f)", group, tidy.GetString(), static_cast<double>(scale));
    } else {
        // Tenths of the enlargement, rounded half away from zero; kept in a
        // double so that a tiny scale cannot overflow an integer.
        const double tenths = std::round(10.0 / scale);
        const double whole = std::floor(tenths / 10.0);
        const int tenth = static_cast<int>(tenths - whole * 10.0);
        if (tenth != 0)
            label.Format(L"%X:%s (%.0f.%d/1)", group, tidy.GetString(), whole, tenth);
        else
            label.Format(L"%X:%s (%.0f/1)", group, tidy.GetString(), whole);
    }
    return label;
}

CStringW FormatLayerLabel(int layer, const CStringW& name)
{
    CStringW label;
    label.Format(L"%X:%s", layer, TidyLayerName(name).GetString());
    return label;
}

IMPLEMENT_DYNAMIC(CMyTreeCtrl, CTreeCtrl)

BEGIN_MESSAGE_MAP(CMyTreeCtrl, CTreeCtrl)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

void CMyTreeCtrl::FillLayers(const ZumenLayers& layers, DrawData& view)
{
    bool usedLayers[kLayerGroups * kGroupLayers] = {};
    bool usedGroups[kLayerGroups] = {};
    for (int index = 0; index < kLayerGroups * kGroupLayers; ++index) {
        usedLayers[index] = view.IsLayerSet(index);
        usedGroups[index / kGroupLayers] |= usedLayers[index];
    }
    std::fill(std::begin(view.layerMask), std::end(view.layerMask), 0u);
    DeleteAllItems();
    CStringW rootText;
    rootText.LoadString(IDS_PREVIEW_LAYER_ROOT);
    HTREEITEM root = InsertItem(rootText, TVI_ROOT, TVI_FIRST);
    SetImage(root, kNoTreeImage);
    for (int group = 0; group < kLayerGroups; ++group) {
        if (!usedGroups[group])
            continue;
        const int groupState = layers.groupState[group] & kStateBits;
        m_groupStates[group] = static_cast<uint8_t>(groupState);
        HTREEITEM groupItem =
            InsertItem(FormatLayerGroupLabel(group, layers.groupName[group], layers.groupScale[group]), groupState,
                       groupState, root);
        SetData(groupItem, group | GroupItem);
        for (int layer = 0; layer < kGroupLayers; ++layer) {
            const int index = group * kGroupLayers + layer;
            if (!usedLayers[index])
                continue;
            const int layerState = layers.layerState[index] & kStateBits;
            m_layerStates[index] = static_cast<uint8_t>(layerState);
            const int image = groupState ? layerState : 0;
            HTREEITEM layerItem = InsertItem(FormatLayerLabel(layer, layers.layerName[index]), image, image, groupItem);
            SetData(layerItem, index | (groupState ? 0 : Toggled));
            if (groupState && layerState)
                view.SetLayer(index);
        }
        if (groupState)
            Expand(groupItem, TVE_EXPAND);
    }
    Expand(root, TVE_EXPAND);
}

void CMyTreeCtrl::OnLButtonDown(UINT flags, CPoint point)
{
    CPreViewDlg* dialog = DYNAMIC_DOWNCAST(CPreViewDlg, GetParent());
    if (!dialog)
        return;
    UINT where = 0;
    HTREEITEM item = HitTest(point, &where);
    if (!item || item == GetRootItem())
        return;
    if (where & TVHT_ONITEMBUTTON)
        Expand(item, TVE_TOGGLE);
    // A click on the expand button is handled above, never twice.
    if (!(where & TVHT_ONITEM))
        return;
    const DWORD data = GetData(item);
    if (data & GroupItem)
        SwitchGroup(item, data, *dialog);
    else
        SwitchLayer(item, data, *dialog);
    dialog->RenderAfterLayerSwitch();
    if (!dialog->IsHostedInDialogBox())
        CTreeCtrl::OnLButtonDown(flags, point);
}

void CMyTreeCtrl::SwitchGroup(HTREEITEM item, DWORD data, CPreViewDlg& dialog)
{
    const int group = data & IndexBits;
    const int image = SwitchedLayerImage(m_groupStates[group], data);
    const bool groupOn = image != 0;
    const bool wasToggled = (data & Toggled) != 0;
    SetImage(item, image);
    SetData(item, data ^ Toggled);
    for (HTREEITEM layerItem = GetChildItem(item); layerItem; layerItem = GetNextSiblingItem(layerItem)) {
        const DWORD layerData = GetData(layerItem);
        const int index = layerData & IndexBits;
        const int layerImage = groupOn ? m_layerStates[index] : 0;
        SetImage(layerItem, layerImage);
        dialog.SetLayerShown(index, layerImage != 0);
        SetData(layerItem, wasToggled ? (layerData & ~Toggled) : (layerData | Toggled));
    }
}

void CMyTreeCtrl::SwitchLayer(HTREEITEM item, DWORD data, CPreViewDlg& dialog)
{
    const int index = data & IndexBits;
    const int image = SwitchedLayerImage(m_layerStates[index], data);
    SetImage(item, image);
    dialog.SetLayerShown(index, image != 0);
    SetData(item, data ^ Toggled);
    HTREEITEM groupItem = GetParentItem(item);
    bool anyShown = false;
    for (HTREEITEM layerItem = GetChildItem(groupItem); layerItem; layerItem = GetNextSiblingItem(layerItem))
        anyShown |= GetImage(layerItem) != 0;
    const int groupState = m_groupStates[GetData(groupItem) & IndexBits];
    SetImage(groupItem, anyShown ? (groupState ? groupState : 1) : 0);
}

void CMyTreeCtrl::OnLButtonDblClk(UINT flags, CPoint point)
{
    HTREEITEM item = HitTest(point);
    if (item && item == GetRootItem())
        return;
    CPreViewDlg* dialog = DYNAMIC_DOWNCAST(CPreViewDlg, GetParent());
    if (!dialog || !dialog->IsHostedInDialogBox())
        CTreeCtrl::OnLButtonDblClk(flags, point);
}

void CMyTreeCtrl::SetImage(HTREEITEM item, int image)
{
    SetItemImage(item, image, image);
}

int CMyTreeCtrl::GetImage(HTREEITEM item) const
{
    TVITEMW query = {};
    query.mask = TVIF_IMAGE | TVIF_HANDLE;
    query.hItem = item;
    return GetItem(&query) ? query.iImage : 0;
}

void CMyTreeCtrl::SetData(HTREEITEM item, DWORD data)
{
    SetItemData(item, data);
}

DWORD CMyTreeCtrl::GetData(HTREEITEM item) const
{
    return static_cast<DWORD>(GetItemData(item));
}
