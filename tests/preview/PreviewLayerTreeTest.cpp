// The preview's layer tree through the real dialog: a drawing with entities
// in several layer groups, the labels and icons the tree shows for them, and
// clicks on its items, which switch layers and groups and render again. The
// layer mask is seen where it shows: in the ink of the rendered bitmap.
#include <afxwin.h>
#include <commctrl.h>
#include <string>
#include <vector>
#include "PreviewDialogFixture.h"
#include "writer/Drawing.h"

namespace {
using namespace previewtest;

struct LayerSpec {
    int layer;
    const char* name;
    uint32_t state;
};
struct GroupSpec {
    int group;
    const char* name;
    double scale;
    uint32_t state;
    std::vector<LayerSpec> layers;
};

// Shift-JIS full-width spaces around a name, as Jw_cad pads them.
const char kPaddedDoors[] = "\x81\x40"
                            "Doors\x81\x40 ";
const char kPaddedSite[] = "\x81\x40Site\x81\x40";

const std::vector<GroupSpec>& LayeredGroups()
{
    static const std::vector<GroupSpec> groups = {
        {0, "Plan", 100, 2, {{0, "Walls", 2}, {5, kPaddedDoors, 2}, {7, "Notes", 0}}},
        {1, "Detail", 0.4, 2, {{0, "A", 2}}},
        {2, "Half", 0.5, 2, {{0, "A", 2}}},
        {3, "Zero", 0, 2, {{0, "A", 2}}},
        {4, "Negative", -3, 2, {{0, "A", 2}}},
        {5, "Same", 1, 2, {{0, "A", 2}}},
        {6, "Third", 0.3, 2, {{0, "A", 2}}},
        {7, "Hidden", 50, 0, {{0, "A", 2}, {1, "B", 1}}},
        {10, kPaddedSite, 200, 2, {{15, "Trees", 2}}},
    };
    return groups;
}

// A small box for every used layer, each at its own place on the sheet, so
// that switching one layer changes the ink of the picture.
void AddLayerBox(jwwrite::Drawing& drawing, int group, int layer)
{
    const double left = -180 + layer * 22, top = 120 - group * 22;
    const double corners[5][2] = {{left, top}, {left + 18, top}, {left + 18, top - 14}, {left, top - 14}, {left, top}};
    for (int side = 0; side < 4; ++side) {
        jwwrite::Line line;
        line.layerGroup = static_cast<uint16_t>(group);
        line.layer = static_cast<uint16_t>(layer);
        line.x1 = corners[side][0];
        line.y1 = corners[side][1];
        line.x2 = corners[side + 1][0];
        line.y2 = corners[side + 1][1];
        drawing.entities.push_back(line);
    }
}

jwwrite::Drawing LayeredDrawing()
{
    jwwrite::Drawing drawing;
    for (const GroupSpec& group : LayeredGroups()) {
        drawing.header.groupName[group.group] = group.name;
        drawing.header.groupScale[group.group] = group.scale;
        drawing.header.groupState[group.group] = group.state;
        for (const LayerSpec& layer : group.layers) {
            drawing.header.layerName[group.group][layer.layer] = layer.name;
            drawing.header.layerState[group.group][layer.layer] = layer.state;
            AddLayerBox(drawing, group.group, layer.layer);
        }
    }
    return drawing;
}

struct TreeItem {
    HTREEITEM handle;
    std::wstring text;
    int image;
};

TreeItem ReadTreeItem(HWND tree, HTREEITEM handle)
{
    wchar_t text[256] = {};
    TVITEMW item = {};
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_HANDLE;
    item.hItem = handle;
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return {handle, text, item.iImage};
}

std::vector<TreeItem> TreeChildren(HWND tree, HTREEITEM parent)
{
    std::vector<TreeItem> children;
    for (HTREEITEM child = TreeView_GetChild(tree, parent); child; child = TreeView_GetNextSibling(tree, child))
        children.push_back(ReadTreeItem(tree, child));
    return children;
}

class PreviewLayerTreeTest : public PreviewDialogFixture {
protected:
    void OpenLayeredDrawing()
    {
        const std::wstring path = m_scratch.Path() + L"\\layers.jww";
        ASSERT_TRUE(jwwrite::SaveFile(path, jwwrite::WriteDrawing(LayeredDrawing())));
        ASSERT_TRUE(OpenAndWaitForPicture(path));
    }
    HWND Tree() const { return Item(IDC_PREVIEW_LAYERS); }
    HTREEITEM Root() const { return TreeView_GetRoot(Tree()); }
    // The item of the group whose label starts with prefix, or of its layer.
    TreeItem Group(const std::wstring& prefix) const
    {
        for (const TreeItem& group : TreeChildren(Tree(), Root()))
            if (group.text.compare(0, prefix.size(), prefix) == 0)
                return group;
        ADD_FAILURE() << "no group " << std::string(prefix.begin(), prefix.end());
        return {};
    }
    TreeItem Layer(const std::wstring& group, const std::wstring& prefix) const
    {
        for (const TreeItem& layer : TreeChildren(Tree(), Group(group).handle))
            if (layer.text.compare(0, prefix.size(), prefix) == 0)
                return layer;
        ADD_FAILURE() << "no layer " << std::string(prefix.begin(), prefix.end());
        return {};
    }
    int Image(HTREEITEM item) const { return ReadTreeItem(Tree(), item).image; }

    // A left click on the item's label, or beside it on its icon. The tree's
    // own click handling follows the mouse until a button comes up, so the
    // button-up is queued first.
    void Click(HTREEITEM item, bool onIcon = false)
    {
        TreeView_EnsureVisible(Tree(), item);
        RECT label = {};
        *reinterpret_cast<HTREEITEM*>(&label) = item;
        ASSERT_TRUE(SendMessageW(Tree(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&label)));
        const int x = onIcon ? label.left - 8 : (label.left + label.right) / 2;
        const LPARAM at = MAKELPARAM(x, (label.top + label.bottom) / 2);
        PostMessageW(Tree(), WM_LBUTTONUP, 0, at);
        SendMessageW(Tree(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    }
    void DoubleClick(HTREEITEM item)
    {
        TreeView_EnsureVisible(Tree(), item);
        RECT label = {};
        *reinterpret_cast<HTREEITEM*>(&label) = item;
        ASSERT_TRUE(SendMessageW(Tree(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&label)));
        SendMessageW(Tree(), WM_LBUTTONDBLCLK, MK_LBUTTON,
                     MAKELPARAM((label.left + label.right) / 2, (label.top + label.bottom) / 2));
    }
    bool Expanded(HTREEITEM item) const { return TreeView_GetItemState(Tree(), item, TVIS_EXPANDED) & TVIS_EXPANDED; }
    HTREEITEM Selected() const { return TreeView_GetSelection(Tree()); }
    int Ink() const { return CountBitmapInk(Shown()); }
};

// Only used groups and layers, names tidied, scales as enlargement or
// reduction; a scale that is not above zero shows as 1/1 instead of a
// division by it. Icons follow the stored states (group 0 is the drawing's
// write group, state 3); a hidden group shows all its layers off.
TEST_F(PreviewLayerTreeTest, LabelsAndIconsFollowTheLayerTable)
{
    OpenLayeredDrawing();
    const TreeItem root = ReadTreeItem(Tree(), Root());
    EXPECT_EQ(root.text, m_exports.LanguageString(IDS_PREVIEW_LAYER_ROOT));
    EXPECT_EQ(root.image, 4) << "beyond the four state icons: none";
    EXPECT_EQ(TreeView_GetNextSibling(Tree(), Root()), nullptr) << "one root";

    struct Expected {
        const wchar_t* label;
        int image;
        std::vector<std::pair<const wchar_t*, int>> layers;
    } const expected[] = {
        {L"0:Plan (1/100)", 3, {{L"0:Walls", 2}, {L"5:Doors", 2}, {L"7:Notes", 0}}},
        {L"1:Detail (2.5/1)", 2, {{L"0:A", 2}}},
        {L"2:Half (2/1)", 2, {{L"0:A", 2}}},
        {L"3:Zero (1/1)", 2, {{L"0:A", 2}}},
        {L"4:Negative (1/1)", 2, {{L"0:A", 2}}},
        {L"5:Same (1/1)", 2, {{L"0:A", 2}}},
        {L"6:Third (3.3/1)", 2, {{L"0:A", 2}}},
        {L"7:Hidden (1/50)", 0, {{L"0:A", 0}, {L"1:B", 0}}},
        {L"A:Site (1/200)", 2, {{L"F:Trees", 2}}},
    };
    const std::vector<TreeItem> groups = TreeChildren(Tree(), Root());
    ASSERT_EQ(groups.size(), std::size(expected));
    for (size_t g = 0; g < groups.size(); ++g) {
        SCOPED_TRACE(testing::Message() << "group row " << g);
        EXPECT_EQ(groups[g].text, expected[g].label);
        EXPECT_EQ(groups[g].image, expected[g].image);
        const std::vector<TreeItem> layers = TreeChildren(Tree(), groups[g].handle);
        ASSERT_EQ(layers.size(), expected[g].layers.size());
        for (size_t l = 0; l < layers.size(); ++l) {
            EXPECT_EQ(layers[l].text, expected[g].layers[l].first);
            EXPECT_EQ(layers[l].image, expected[g].layers[l].second);
        }
    }
}

// A shown layer clicked twice goes and comes back with its stored icon; a
// layer stored as off comes on with icon 1; the picture loses and regains
// exactly that layer's ink.
TEST_F(PreviewLayerTreeTest, ClickingALayerSwitchesItAndRenders)
{
    OpenLayeredDrawing();
    const int baseline = Ink();
    ASSERT_GT(baseline, 0);
    const TreeItem walls = Layer(L"0:", L"0:Walls");

    Click(walls.handle);
    EXPECT_EQ(Image(walls.handle), 0);
    const int withoutWalls = Ink();
    EXPECT_LT(withoutWalls, baseline);
    RedrawWindow(m_dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_TRUE(SavePreviewPicture(m_dialog, TestOutputFolder() + L"\\PreviewLayerUnchecked.png"));
    EXPECT_TRUE(CWindowPicture(m_dialog).SavePng(TestOutputFolder() + L"\\PreviewLayerUnchecked-screen.png"));

    Click(walls.handle, true);
    EXPECT_EQ(Image(walls.handle), 2) << "a click on the icon switches too";
    EXPECT_EQ(Ink(), baseline);

    const TreeItem notes = Layer(L"0:", L"7:Notes");
    Click(notes.handle);
    EXPECT_EQ(Image(notes.handle), 1);
    EXPECT_GT(Ink(), baseline) << "a layer stored as off is drawn once switched on";
    Click(notes.handle);
    EXPECT_EQ(Image(notes.handle), 0);
    EXPECT_EQ(Ink(), baseline);
}

// A group switches all its layers; back on, each shows its stored state
// again. Hiding the last shown layer of a group turns the group's icon off.
TEST_F(PreviewLayerTreeTest, ClickingAGroupSwitchesItsLayers)
{
    OpenLayeredDrawing();
    const int baseline = Ink();
    const TreeItem plan = Group(L"0:");
    Click(plan.handle);
    EXPECT_EQ(Image(plan.handle), 0);
    for (const TreeItem& layer : TreeChildren(Tree(), plan.handle))
        EXPECT_EQ(layer.image, 0) << std::string(layer.text.begin(), layer.text.end());
    EXPECT_LT(Ink(), baseline);
    Click(plan.handle);
    EXPECT_EQ(Image(plan.handle), 3);
    EXPECT_EQ(Image(Layer(L"0:", L"0:Walls").handle), 2);
    EXPECT_EQ(Image(Layer(L"0:", L"5:Doors").handle), 2);
    EXPECT_EQ(Image(Layer(L"0:", L"7:Notes").handle), 0);
    EXPECT_EQ(Ink(), baseline);

    const TreeItem site = Group(L"A:");
    const TreeItem trees = Layer(L"A:", L"F:Trees");
    Click(trees.handle);
    EXPECT_EQ(Image(site.handle), 0) << "no layer of the group shown";
    EXPECT_LT(Ink(), baseline);
    Click(trees.handle);
    EXPECT_EQ(Image(site.handle), 2);
    EXPECT_EQ(Ink(), baseline);
}

// A group stored as hidden draws nothing at first; a click shows it with
// icon 1 and its layers with their stored states.
TEST_F(PreviewLayerTreeTest, HiddenGroupComesOnWithItsLayers)
{
    OpenLayeredDrawing();
    const int baseline = Ink();
    const TreeItem hidden = Group(L"7:");
    Click(hidden.handle);
    EXPECT_EQ(Image(hidden.handle), 1);
    EXPECT_EQ(Image(Layer(L"7:", L"0:A").handle), 2);
    EXPECT_EQ(Image(Layer(L"7:", L"1:B").handle), 1);
    EXPECT_GT(Ink(), baseline);
    Click(hidden.handle);
    EXPECT_EQ(Image(hidden.handle), 0);
    EXPECT_EQ(Image(Layer(L"7:", L"0:A").handle), 0);
    EXPECT_EQ(Ink(), baseline);
}

// A double-click opens or closes a group as the tree does by itself; on the
// root it does nothing, so the tree never folds away whole.
TEST_F(PreviewLayerTreeTest, DoubleClickFoldsGroupsButNotTheRoot)
{
    OpenLayeredDrawing();
    DoubleClick(Root());
    EXPECT_TRUE(Expanded(Root()));
    const TreeItem plan = Group(L"0:");
    ASSERT_TRUE(Expanded(plan.handle));
    DoubleClick(plan.handle);
    EXPECT_FALSE(Expanded(plan.handle));
}

// In a host that is a dialog box (the foreground window has the modal frame
// style when the preview starts) a click switches the layer but leaves the
// selection and the focus alone; elsewhere it selects the item too.
TEST_F(PreviewLayerTreeTest, ClickSelectsOnlyOutsideADialogBoxHost)
{
    OpenLayeredDrawing();
    const TreeItem walls = Layer(L"0:", L"0:Walls");
    Click(walls.handle);
    EXPECT_EQ(Selected(), walls.handle);
    Close();

    CWnd dialogBox;
    LPCTSTR windowClass = AfxRegisterWndClass(0);
    ASSERT_TRUE(dialogBox.CreateEx(0, windowClass, L"dialog box", WS_POPUP | WS_VISIBLE | DS_MODALFRAME, 60, 60,
                                   kPreviewWidth + 20, kPreviewHeight + 20, nullptr, nullptr));
    SetForegroundWindow(dialogBox.m_hWnd);
    ASSERT_EQ(GetForegroundWindow(), dialogBox.m_hWnd);
    const std::wstring path = m_scratch.Path() + L"\\layers.jww";
    RECT rect = {0, 0, kPreviewWidth, kPreviewHeight};
    m_dialog = m_exports.PreViewDlg(path.c_str(), rect, dialogBox.m_hWnd);
    ASSERT_NE(m_dialog, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return Loaded() && Shown(); }, kPreviewPatience));
    EXPECT_FALSE(IsWindowVisible(Item(IDC_PREVIEW_UPDATE))) << "the dialog box host was seen";
    const HTREEITEM before = Selected();
    const TreeItem hostedWalls = Layer(L"0:", L"0:Walls");
    Click(hostedWalls.handle);
    EXPECT_EQ(Image(hostedWalls.handle), 0) << "the layer is switched";
    EXPECT_EQ(Selected(), before);
    Close();
    dialogBox.DestroyWindow();
}

TEST_F(PreviewLayerTreeTest, ClickOnTheRootChangesNothing)
{
    OpenLayeredDrawing();
    const HBITMAP before = Shown();
    Click(Root());
    EXPECT_EQ(Shown(), before) << "no render";
    EXPECT_EQ(Image(Group(L"0:").handle), 3);
    EXPECT_EQ(Image(Layer(L"0:", L"0:Walls").handle), 2);
}
}  // namespace
