#pragma once
// The window layout manager: lays out a dialog's child windows from a window
// map, a table of nested groups whose children are stacked vertically or
// horizontally, each with a size rule.
#include <afxwin.h>
#include <cstdint>
#include <vector>

// The size rule of an entry (low 4 bits of its flags).
enum class WinMapKind : uint16_t {
    // Keeps the current size. Only for groups: a leaf whose flags are 0
    // would end the map.
    None = 0,
    // param: the extent in the group's direction; a negative value is that
    // extent without a minimum.
    Fixed = 1,
    // param: percent of the group's extent.
    Percent = 2,
    // Receives what is left in its group.
    Remainder = 3,
    // param: width in the low 16 bits, height in the high 16 bits, taken
    // from the control when the dialog is initialised.
    InitialSize = 4,
};

// The group kind of an entry (bits 4 to 7 of its flags).
enum class WinMapGroup : uint16_t {
    Leaf = 0,
    Vertical = 0x10,
    Horizontal = 0x20,
    // Closes the innermost open group.
    End = 0xF0,
};

// One entry of a window map. A group is followed by its children and its End
// entry; an entry whose flags are 0 ends the map. The layout manager writes
// the links and rectangles.
struct WinMapEntry {
    WinMapEntry* next;
    WinMapEntry* prev;
    RECT rect;
    uint16_t flags;
    // Control id; 0 for a group, -1 for a spacer and a group end.
    UINT id;
    // Rule parameter; for a group its margins, x in the low and y in the high
    // signed 16 bits.
    LONG param;

    WinMapKind Kind() const { return static_cast<WinMapKind>(flags & 0x0F); }
    WinMapGroup Group() const { return static_cast<WinMapGroup>(flags & 0xF0); }
    bool IsGroup() const { return Group() != WinMapGroup::Leaf && Group() != WinMapGroup::End; }
    short MarginX() const { return static_cast<short>(param & 0xFFFF); }
    short MarginY() const { return static_cast<short>((param >> 16) & 0xFFFF); }
};

// Builders of map entries, for the static tables.
constexpr UINT kWinMapNoControl = 0xFFFFFFFF;
constexpr WinMapEntry WinMapGroupBegin(WinMapGroup group, WinMapKind rule, short marginX = 0, short marginY = 0)
{
    return {nullptr, nullptr, {}, static_cast<uint16_t>(static_cast<uint16_t>(group) | static_cast<uint16_t>(rule)), 0,
            static_cast<LONG>((static_cast<uint32_t>(static_cast<uint16_t>(marginY)) << 16) |
                              static_cast<uint16_t>(marginX))};
}
constexpr WinMapEntry WinMapLeaf(WinMapKind rule, UINT id, LONG param = 0)
{
    return {nullptr, nullptr, {}, static_cast<uint16_t>(rule), id, param};
}
constexpr WinMapEntry WinMapSpacer(LONG fixedExtent)
{
    return WinMapLeaf(WinMapKind::Fixed, kWinMapNoControl, fixedExtent);
}
constexpr WinMapEntry WinMapGroupEnd()
{
    return {nullptr, nullptr, {}, static_cast<uint16_t>(WinMapGroup::End), kWinMapNoControl, 0};
}
constexpr WinMapEntry WinMapEnd()
{
    return {nullptr, nullptr, {}, 0, kWinMapNoControl, 0};
}

constexpr LONG kWinMapUnlimited = 32767;

// Size limits of an entry, in pixels.
struct WinSizeInfo {
    // The size of the entry's group.
    SIZE available;
    SIZE desired;
    SIZE minimum;
    SIZE maximum;
};

enum class WinMgrCode : UINT {
    SizeQuery = 1,
    SizerBarMoved = 2,
};

// lParam of the registered message "WM_WINMGR"; wParam is the control id.
// A size query goes to the dialog first, then, when the dialog does not
// answer (0), to the control; whoever answers non-zero may change sizeInfo.
struct WinMgrNotify {
    HWND from;
    UINT id;
    UINT code;
    union {
        WinSizeInfo sizeInfo;
        struct {
            int dx;
            int dy;
        } moved;
    };
};

// "WM_WINMGR", registered when the library starts.
extern const UINT g_winMgrMessage;

// Works on its own copy of the map it is given, so two dialogs laid out from
// one table never share rectangles or links.
class CWinMgr : public CObject {
    DECLARE_DYNAMIC(CWinMgr)
public:
    // map may be NULL: a manager without a map does nothing.
    explicit CWinMgr(const WinMapEntry* map);
    CWinMgr(const CWinMgr&) = delete;
    CWinMgr& operator=(const CWinMgr&) = delete;

    // The first entry of the copy (the top group), NULL without a map.
    WinMapEntry* GetMap() { return m_map; }
    // The entry of a control id, NULL when the map has none.
    WinMapEntry* FindEntry(UINT id);

    // Links next and prev of the siblings from first on; returns the group's
    // End entry, NULL at the top level or for a map that ends too early.
    static WinMapEntry* LinkMap(WinMapEntry* first, WinMapEntry* parent);

    virtual void ReadControlRects(CWnd* dialog);
    virtual void ApplyControlRects(CWnd* dialog);
    virtual void QuerySizeInfo(WinSizeInfo& info, WinMapEntry* entry, CWnd* dialog);
    virtual void LayoutGroup(WinMapEntry* group, CWnd* dialog);
    virtual void FitEntrySize(WinMapEntry* entry, bool vertical, int& remaining, CWnd* dialog);
    virtual void PlaceEntries(WinMapEntry* group, const RECT& rect, bool vertical);
    // Moves a splitter entry by (dx, dy) along its group and resizes its
    // neighbours; the caller applies the rectangles.
    void MoveSizerBar(UINT id, CWnd* dialog, int dx, int dy);

private:
    // The group an entry belongs to, NULL for the top level.
    WinMapEntry* ParentGroup(WinMapEntry* entry);
    void QueryGroupSize(WinSizeInfo& info, WinMapEntry* group, CWnd* dialog);
    void QueryLeafSize(WinSizeInfo& info, WinMapEntry* entry, CWnd* dialog);
    // Lets the dialog, then the control, change a leaf's limits.
    void AskForSizeInfo(WinSizeInfo& info, WinMapEntry* entry, CWnd* dialog, CWnd* control);

    std::vector<WinMapEntry> m_entries;
    WinMapEntry* m_map = nullptr;
};
