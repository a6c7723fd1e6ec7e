// The frame the command-bar tests put bars in: a top-level frame window
// with one bar along its top, recording the commands, site messages, status
// prompts and clicks it gets. Made with new: a frame deletes itself with
// its window. Real input needs it on screen and in the foreground (Show).
#pragma once
#include <vector>
#include <afxwin.h>
#include "commandbars/KvoCommandBar.h"

class CKvoTestFrame : public CFrameWnd {
public:
    static const UINT kBarId = AFX_IDW_CONTROLBAR_FIRST;
    static const int kBarHeight = 30;

    CKvoTestFrame() { LiveCount()++; }
    ~CKvoTestFrame() override { LiveCount()--; }
    static int& LiveCount()
    {
        static int live = 0;
        return live;
    }

    // A frame at (x, y) of cx x cy, hidden, with its bar (a plain command
    // bar unless the caller gives one, not owned) across the top.
    BOOL CreateFrame(int x, int y, int cx, int cy, CKvoCommandBar* bar = nullptr);
    // On screen, active and in the foreground, painted.
    void Show();
    // Appends a button of id with caption and places every control side by
    // side from the left, each width wide.
    CKvoControl* AddButton(UINT id, LPCWSTR caption, int width = 60);
    void PlaceControls(int width);
    // The bar's client point in screen coordinates.
    CPoint BarToScreen(CPoint client) const;

    CKvoCommandBar* GetBar() { return m_pBar; }

    std::vector<UINT> m_commands;          // WM_COMMAND ids
    std::vector<UINT> m_messages;          // KVO_SITE_ messages and WM_COMMAND, in order
    std::vector<WPARAM> m_selectedControls; // wParam of each 10326
    std::vector<CString> m_prompts;        // WM_SETMESSAGESTRING texts ("#id" for ids)
    int m_nClientClicks = 0;               // left presses that reached the frame
    int m_nClientReleases = 0;             // left releases that reached the frame

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CKvoCommandBar m_ownBar;
    CKvoCommandBar* m_pBar = nullptr; // m_ownBar or the caller's
};

// Real input at a screen point.
void KvoSendMouseInput(DWORD flags, CPoint screen);
void KvoSendKeyInput(WORD virtualKey, BOOL release);
