// What the tooltip tests share: a context whose hit test answers from a
// table of tools, an owner window that hands its mouse and key messages to
// a context, and the real cursor moved over it.
#pragma once

#include <gtest/gtest.h>
#include <afxwin.h>
#include <malloc.h>

#include <vector>

#include "framework/WindowTestSupport.h"
#include "foundation/base/KvoDrawHelpers.h"
#include "markup/tooltip/KvoToolTipContext.h"
#include "markup/tooltip/KvoToolTipContextToolTip.h"

// One tool of the test owner, in its client coordinates.
struct TestTool {
    UINT_PTR id;
    RECT rect;
    CStringW text; // LPSTR_TEXTCALLBACK when callback is set
    CStringW title;
    CStringW description;
    RECT placement = {};
    UINT flags = 0;
    bool callback = false;
    CKvoImageManager* images = nullptr;
};

// A context whose owner's tools come from a table.
class CTableToolTipContext : public CKvoToolTipContext {
public:
    std::vector<TestTool> tools;
    int hitTests = 0;

    INT_PTR OnToolHitTest(CWnd* window, POINT point, TOOLINFO* info) override
    {
        ++hitTests;
        for (const TestTool& tool : tools) {
            if (!::PtInRect(&tool.rect, point))
                continue;
            FillInToolInfoEx(info, window->GetSafeHwnd(), tool.rect, tool.id, tool.text, tool.title,
                             tool.description, tool.images);
            if (tool.callback) {
                free(info->lpszText);
                info->lpszText = LPSTR_TEXTCALLBACKW;
            }
            info->uFlags |= tool.flags;
            if (info->cbSize == TTTOOLINFOW_V2_SIZE && info->lParam)
                reinterpret_cast<KvoToolInfoExtension*>(info->lParam)->placement = tool.placement;
            return static_cast<INT_PTR>(tool.id);
        }
        return -1;
    }

    CKvoToolTipContextToolTip* OwnTip() const
    {
        CWnd* tip = GetToolTip();
        return tip && tip->IsKindOf(RUNTIME_CLASS(CKvoToolTipContextToolTip))
                   ? static_cast<CKvoToolTipContextToolTip*>(tip)
                   : nullptr;
    }
    HWND TipWindow() const { return GetToolTip() ? GetToolTip()->GetSafeHwnd() : NULL; }
    bool TipVisible() const { return TipWindow() && ::IsWindowVisible(TipWindow()); }
};

// A top-level window that hands its mouse and key messages to a context,
// and answers TTN_GETDISPINFO for callback tools (counting the questions).
class CToolTipOwner : public CWnd {
public:
    CKvoToolTipContext* context = nullptr;
    CStringW callbackText = L"asked text";
    int textQuestions = 0;
    int shownNotes = 0;

    BOOL Create(int x, int y, int cx, int cy)
    {
        return CreateTestPopup(*this, true, x, y, cx, cy);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY) {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header->code == TTN_GETDISPINFOW) {
                ++textQuestions;
                reinterpret_cast<NMTTDISPINFOW*>(lParam)->lpszText = const_cast<LPWSTR>(callbackText.GetString());
                return 0;
            }
            if (header->code == static_cast<UINT>(TTN_SHOW))
                ++shownNotes;
        }
        if (context && ((message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
                        (message >= WM_KEYFIRST && message <= WM_KEYLAST)))
            context->FilterToolTipMessage(this, message, wParam, lParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// Puts the real cursor at a client point of window and sends the move the
// system would send.
inline void MoveCursorTo(CWnd& window, POINT client)
{
    POINT screen = client;
    window.ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    window.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
}

// Bytes in use on the C run time's heap (what malloc and new take).
inline size_t CrtHeapBytesInUse()
{
    HANDLE heap = reinterpret_cast<HANDLE>(_get_heap_handle());
    PROCESS_HEAP_ENTRY entry = {};
    size_t used = 0;
    ::HeapLock(heap);
    while (::HeapWalk(heap, &entry))
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
            used += entry.cbData;
    ::HeapUnlock(heap);
    return used;
}

inline DWORD GdiObjectsInUse()
{
    return ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
}

// A test with an active owner window whose tools come from the test's table,
// the tip shown after a short initial delay.
class ToolTipOwnerTest : public ::testing::Test {
protected:
    void SetUp() override { OpenOwner(100, 100); }
    void TearDown() override { CloseOwner(); }

    void OpenOwner(int x, int y)
    {
        ASSERT_TRUE(owner.Create(x, y, 320, 200));
        owner.context = &context;
        ::SetForegroundWindow(owner.GetSafeHwnd());
        ASSERT_TRUE(PumpUntil([this] { return CKvoDrawHelpers::IsTopParentActive(owner.GetSafeHwnd()) != FALSE; }));
        context.SetDelayTime(TTDT_INITIAL, 50);
    }
    void CloseOwner()
    {
        owner.context = nullptr;
        owner.DestroyWindow();
    }

    // Moves the cursor off and then onto the first tool in the look; true
    // once its tip shows.
    bool HoverFirstTool(int style)
    {
        context.SetStyle(style);
        MoveCursorTo(owner, {150, 150});
        MoveCursorTo(owner, {20, 20});
        return PumpUntil([this] { return context.TipVisible(); });
    }
    CRect TipRect() const
    {
        CRect rect;
        ::GetWindowRect(context.TipWindow(), &rect);
        return rect;
    }

    CTableToolTipContext context;
    CToolTipOwner owner;
};
