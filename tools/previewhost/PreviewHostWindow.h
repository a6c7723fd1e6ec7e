#pragma once
// The host's top-level window, standing in for Explorer's preview pane.
#include <windows.h>

class CPreviewHostWindow
{
public:
    // A visible window whose client area has the given size.
    CPreviewHostWindow(int width, int height);
    ~CPreviewHostWindow();
    CPreviewHostWindow(const CPreviewHostWindow&) = delete;
    CPreviewHostWindow& operator=(const CPreviewHostWindow&) = delete;

    HWND Handle() const { return m_window; }
    RECT ClientRect() const;
    // Client area resized, as when the user drags the pane's edge.
    void Resize(int width, int height);
    // A copy of what the client area shows, written as PNG.
    bool SavePicture(const wchar_t* path) const;

private:
    HWND m_window = nullptr;
};

// Dispatches the thread's messages until none has come for quietMs, at most
// limitMs in all. True when it went quiet.
bool PumpUntilQuiet(DWORD quietMs, DWORD limitMs);

// Windows of the calling thread, top-level and children.
int CountThreadWindows();
