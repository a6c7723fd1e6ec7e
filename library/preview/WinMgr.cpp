#include "WinMgr.h"
#include <algorithm>
#include <cstdlib>

const UINT g_winMgrMessage = RegisterWindowMessageW(L"WM_WINMGR");

IMPLEMENT_DYNAMIC(CWinMgr, CObject)

namespace {
int WinMgrExtent(const RECT& rect, bool vertical)
{
    return vertical ? rect.bottom - rect.top : rect.right - rect.left;
}

void WinMgrSetExtent(RECT& rect, bool vertical, int extent)
{
    if (vertical)
        rect.bottom = rect.top + extent;
    else
        rect.right = rect.left + extent;
}

LONG& WinMgrAlong(SIZE& size, bool vertical)
{
    return vertical ? size.cy : size.cx;
}

LONG& WinMgrAcross(SIZE& size, bool vertical)
{
    return vertical ? size.cx : size.cy;
}

// The control of an entry, when the dialog has one with its id.
CWnd* WinMgrControl(const WinMapEntry* entry, CWnd* dialog)
{
    if (entry->id == 0 || dialog == nullptr || dialog->GetSafeHwnd() == nullptr)
        return nullptr;
    return dialog->GetDlgItem(static_cast<int>(entry->id));
}
}

CWinMgr::CWinMgr(const WinMapEntry* map)
{
    if (map == nullptr)
        return;
    const WinMapEntry* last = map;
    while (last->flags != 0)
        ++last;
    m_entries.assign(map, last + 1);
    for (WinMapEntry& entry : m_entries) {
        entry.next = entry.prev = nullptr;
        SetRectEmpty(&entry.rect);
    }
    m_map = m_entries.data();
    LinkMap(m_map, nullptr);
}

WinMapEntry* CWinMgr::LinkMap(WinMapEntry* first, WinMapEntry* parent)
{
    WinMapEntry* previous = nullptr;
    WinMapEntry* entry = first;
    while (entry->flags != 0 && entry->Group() != WinMapGroup::End) {
        entry->prev = previous;
        entry->next = nullptr;
        if (previous != nullptr)
            previous->next = entry;
        previous = entry;
        if (entry->IsGroup()) {
            WinMapEntry* end = LinkMap(entry + 1, entry);
            if (end == nullptr)
                return nullptr;
            entry = end + 1;
        } else {
            ++entry;
        }
    }
    if (parent == nullptr || entry->flags == 0)
        return nullptr;
    return entry;
}

WinMapEntry* CWinMgr::FindEntry(UINT id)
{
    for (WinMapEntry* entry = m_map; entry != nullptr && entry->flags != 0; ++entry) {
        if (entry->id == id)
            return entry;
    }
    return nullptr;
}

WinMapEntry* CWinMgr::ParentGroup(WinMapEntry* entry)
{
    while (entry->prev != nullptr)
        entry = entry->prev;
    return entry == m_map ? nullptr : entry - 1;
}

void CWinMgr::ReadControlRects(CWnd* dialog)
{
    for (WinMapEntry* entry = m_map; entry != nullptr && entry->flags != 0; ++entry) {
        if (CWnd* control = WinMgrControl(entry, dialog)) {
            control->GetWindowRect(&entry->rect);
            dialog->ScreenToClient(&entry->rect);
        }
    }
}

void CWinMgr::ApplyControlRects(CWnd* dialog)
{
    if (m_map == nullptr || dialog == nullptr || dialog->GetSafeHwnd() == nullptr)
        return;
    int withId = 0;
    for (const WinMapEntry* entry = m_map; entry->flags != 0; ++entry)
        withId += entry->id != 0;
    if (withId == 0)
        return;
    HDWP batch = BeginDeferWindowPos(withId);
    for (WinMapEntry* entry = m_map; entry->flags != 0; ++entry) {
        const RECT& rect = entry->rect;
        if (CWnd* control = WinMgrControl(entry, dialog)) {
            if (batch != nullptr)
                batch = DeferWindowPos(batch, control->m_hWnd, nullptr, rect.left, rect.top, rect.right - rect.left,
                                       rect.bottom - rect.top, SWP_NOZORDER);
            control->InvalidateRect(nullptr, TRUE);
        } else {
            dialog->InvalidateRect(&rect, TRUE);
        }
    }
    if (batch != nullptr)
        EndDeferWindowPos(batch);
}

void CWinMgr::QuerySizeInfo(WinSizeInfo& info, WinMapEntry* entry, CWnd* dialog)
{
    info.available = {0, 0};
    info.minimum = {0, 0};
    info.maximum = {kWinMapUnlimited, kWinMapUnlimited};
    info.desired = {entry->rect.right - entry->rect.left, entry->rect.bottom - entry->rect.top};
    if (entry->IsGroup()) {
        QueryGroupSize(info, entry, dialog);
        return;
    }
    QueryLeafSize(info, entry, dialog);
    info.desired.cx = std::max(info.minimum.cx, std::min(info.desired.cx, info.maximum.cx));
    info.desired.cy = std::max(info.minimum.cy, std::min(info.desired.cy, info.maximum.cy));
}

// Along the group's direction the children's sizes add up; across it the
// group is as wide as its widest child wants and no wider than its
// narrowest child allows.
void CWinMgr::QueryGroupSize(WinSizeInfo& info, WinMapEntry* group, CWnd* dialog)
{
    const bool vertical = group->Group() == WinMapGroup::Vertical;
    info.desired = {0, 0};
    WinMgrAlong(info.maximum, vertical) = 0;
    for (WinMapEntry* child = group + 1; child != nullptr && child->flags != 0 && child->Group() != WinMapGroup::End;
         child = child->next) {
        WinSizeInfo part;
        QuerySizeInfo(part, child, dialog);
        WinMgrAlong(info.desired, vertical) += WinMgrAlong(part.desired, vertical);
        WinMgrAlong(info.minimum, vertical) += WinMgrAlong(part.minimum, vertical);
        LONG& maximumAlong = WinMgrAlong(info.maximum, vertical);
        maximumAlong = std::min(kWinMapUnlimited, maximumAlong + WinMgrAlong(part.maximum, vertical));
        LONG& desiredAcross = WinMgrAcross(info.desired, vertical);
        desiredAcross = std::max(desiredAcross, WinMgrAcross(part.desired, vertical));
        LONG& minimumAcross = WinMgrAcross(info.minimum, vertical);
        minimumAcross = std::max(minimumAcross, WinMgrAcross(part.minimum, vertical));
        LONG& maximumAcross = WinMgrAcross(info.maximum, vertical);
        maximumAcross = std::min(maximumAcross, WinMgrAcross(part.maximum, vertical));
    }
    const int marginX = group->MarginX(), marginY = group->MarginY();
    info.minimum.cx += std::max(2 * marginX, 0);
    info.minimum.cy += std::max(2 * marginY, 0);
    info.desired.cx += std::abs(2 * marginX);
    info.desired.cy += std::abs(2 * marginY);
}

void CWinMgr::QueryLeafSize(WinSizeInfo& info, WinMapEntry* entry, CWnd* dialog)
{
    WinMapEntry* parent = ParentGroup(entry);
    const bool vertical = parent == nullptr || parent->Group() == WinMapGroup::Vertical;
    SIZE parentSize = {0, 0};
    if (parent != nullptr)
        parentSize = {parent->rect.right - parent->rect.left, parent->rect.bottom - parent->rect.top};
    switch (entry->Kind()) {
    case WinMapKind::Fixed:
        WinMgrAlong(info.desired, vertical) = WinMgrAlong(info.maximum, vertical) = std::abs(entry->param);
        WinMgrAlong(info.minimum, vertical) = std::max<LONG>(entry->param, 0);
        break;
    case WinMapKind::Percent:
        WinMgrAlong(info.desired, vertical) = entry->param * WinMgrAlong(parentSize, vertical) / 100;
        WinMgrAcross(info.desired, vertical) = WinMgrAcross(parentSize, vertical);
        break;
    case WinMapKind::InitialSize:
        if (entry->param != 0)
            info.desired = {entry->param & 0xFFFF, (entry->param >> 16) & 0xFFFF};
        break;
    default:
        break;
    }
    CWnd* control = WinMgrControl(entry, dialog);
    if (control == nullptr)
        return;
    if (!control->IsWindowVisible() && dialog->IsWindowVisible()) {
        info.desired = {0, 0};
        return;
    }
    info.available = parentSize;
    AskForSizeInfo(info, entry, dialog, control);
}

void CWinMgr::AskForSizeInfo(WinSizeInfo& info, WinMapEntry* entry, CWnd* dialog, CWnd* control)
{
    WinMgrNotify notify = {};
    notify.from = nullptr;
    notify.id = entry->id;
    notify.code = static_cast<UINT>(WinMgrCode::SizeQuery);
    notify.sizeInfo = info;
    const LPARAM record = reinterpret_cast<LPARAM>(&notify);
    if (dialog->SendMessage(g_winMgrMessage, entry->id, record) != 0 ||
        control->SendMessage(g_winMgrMessage, entry->id, record) != 0)
        info = notify.sizeInfo;
}

void CWinMgr::LayoutGroup(WinMapEntry* group, CWnd* dialog)
{
    RECT inner = group->rect;
    const int width = inner.right - inner.left, height = inner.bottom - inner.top;
    InflateRect(&inner, -std::min(std::abs(static_cast<int>(group->MarginX())), width / 2),
                -std::min(std::abs(static_cast<int>(group->MarginY())), height / 2));
    const bool vertical = group->Group() == WinMapGroup::Vertical;
    int remaining = WinMgrExtent(inner, vertical);

    WinMapEntry* firstChild = group + 1;
    if (firstChild->flags == 0 || firstChild->Group() == WinMapGroup::End)
        return;
    // First pass, in order: each child takes what it wants while there is
    // room. A Remainder child takes only its minimum here, so that when the
    // group shrinks it gives up its height rather than the children after
    // it; it receives what is left in the second pass.
    for (WinMapEntry* child = firstChild; child != nullptr; child = child->next) {
        WinSizeInfo info;
        QuerySizeInfo(info, child, dialog);
        const LONG wanted = child->Kind() == WinMapKind::Remainder ? WinMgrAlong(info.minimum, vertical)
                                                                   : WinMgrAlong(info.desired, vertical);
        const int extent = std::max(0, std::min<int>(wanted, remaining));
        WinMgrSetExtent(child->rect, vertical, extent);
        remaining -= extent;
    }
    WinMapEntry* lastRemainder = nullptr;
    for (WinMapEntry* child = firstChild; child != nullptr; child = child->next) {
        if (child->Kind() == WinMapKind::Remainder)
            lastRemainder = child;
        else
            FitEntrySize(child, vertical, remaining, dialog);
    }
    if (lastRemainder != nullptr)
        FitEntrySize(lastRemainder, vertical, remaining, dialog);
    PlaceEntries(group, inner, vertical);
    for (WinMapEntry* child = firstChild; child != nullptr; child = child->next) {
        if (child->IsGroup())
            LayoutGroup(child, dialog);
    }
}

void CWinMgr::FitEntrySize(WinMapEntry* entry, bool vertical, int& remaining, CWnd* dialog)
{
    const int current = WinMgrExtent(entry->rect, vertical);
    int want;
    if (entry->Kind() == WinMapKind::Remainder) {
        want = remaining + current;
    } else {
        WinSizeInfo info;
        QuerySizeInfo(info, entry, dialog);
        want = WinMgrAlong(info.desired, vertical);
    }
    const int grow = std::max(0, std::min(want - current, remaining));
    WinMgrSetExtent(entry->rect, vertical, current + grow);
    remaining -= grow;
}

void CWinMgr::PlaceEntries(WinMapEntry* group, const RECT& rect, bool vertical)
{
    int position = vertical ? rect.top : rect.left;
    WinMapEntry* firstChild = group + 1;
    if (firstChild->flags == 0 || firstChild->Group() == WinMapGroup::End)
        return;
    for (WinMapEntry* child = firstChild; child != nullptr; child = child->next) {
        const int extent = WinMgrExtent(child->rect, vertical);
        if (vertical)
            child->rect = {rect.left, position, rect.right, position + extent};
        else
            child->rect = {position, rect.top, position + extent, rect.bottom};
        position += extent;
    }
}

void CWinMgr::MoveSizerBar(UINT id, CWnd* dialog, int dx, int dy)
{
    WinMapEntry* bar = FindEntry(id);
    if (bar == nullptr)
        return;
    WinMapEntry* parent = ParentGroup(bar);
    const bool vertical = parent == nullptr || parent->Group() == WinMapGroup::Vertical;
    const int distance = vertical ? dy : dx;
    if (WinMapEntry* before = bar->prev) {
        (vertical ? before->rect.bottom : before->rect.right) += distance;
        if (before->IsGroup())
            LayoutGroup(before, dialog);
    }
    if (WinMapEntry* after = bar->next) {
        (vertical ? after->rect.top : after->rect.left) += distance;
        if (after->IsGroup())
            LayoutGroup(after, dialog);
    }
    OffsetRect(&bar->rect, vertical ? 0 : distance, vertical ? distance : 0);
}
