#pragma once

#include <windows.h>

#include <set>
#include <string>
#include <vector>

// Finds the message boxes of another process, reads them and presses the scripted
// buttons in turn; a box beyond the script is closed with its default answer.
class MessageBoxAnswerer {
public:
    struct Box {
        std::wstring caption;
        std::wstring text;
    };

    explicit MessageBoxAnswerer(std::vector<int> buttons);

    // Called while the program runs; answers the box it shows, if any.
    void answerBoxesOf(DWORD processId);

    std::vector<Box> boxes;

private:
    std::vector<int> buttons_;
    std::set<HWND> answered_;
};
