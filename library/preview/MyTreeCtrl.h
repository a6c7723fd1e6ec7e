#pragma once
// The preview's layer tree: the drawing's used layer groups and, under each,
// its used layers, each with the icon of its state. A click switches a group
// or a layer on or off; the dialog's layer mask follows and it renders again.
#include <afxwin.h>
#include <afxcmn.h>
#include <cstdint>

class CPreViewDlg;
struct DrawData;
struct ZumenLayers;

// The label of group g with its scale: "(1/100)", "(2.5/1)", "(2/1)"; a
// scale that is not above 0 cannot divide and shows as "(1/1)".
CStringW FormatLayerGroupLabel(int group, const CStringW& name, float scale);
// The label of layer l (0 to 15) of a group.
CStringW FormatLayerLabel(int layer, const CStringW& name);

class CMyTreeCtrl : public CTreeCtrl {
    DECLARE_DYNAMIC(CMyTreeCtrl)
public:
    // Item data: low 8 bits the group or layer index, GroupItem marks a
    // group, Toggled an item the user switched the other way from its
    // stored state.
    static const DWORD GroupItem = 0x100;
    static const DWORD Toggled = 0x200;
    static const DWORD IndexBits = 0xFF;

    // Builds the tree from the layers whose bits are set in view's mask (the
    // layers that received entities) and leaves in the mask those that the
    // tree shows.
    void FillLayers(const ZumenLayers& layers, DrawData& view);

protected:
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    void SwitchGroup(HTREEITEM item, DWORD data, CPreViewDlg& dialog);
    void SwitchLayer(HTREEITEM item, DWORD data, CPreViewDlg& dialog);
    void SetImage(HTREEITEM item, int image);
    int GetImage(HTREEITEM item) const;
    void SetData(HTREEITEM item, DWORD data);
    DWORD GetData(HTREEITEM item) const;

    uint8_t m_groupStates[16] = {};
    uint8_t m_layerStates[256] = {};
};
