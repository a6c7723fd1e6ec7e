#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Runs a program as its debugger, so the lines it writes to the debugger output
// can be read back; a program that does not end in time is killed.
class DebuggedProgram {
public:
    struct Result {
        bool ended = false;   // false: killed at the timeout
        DWORD exitCode = 0;
        std::vector<std::wstring> debugLines;
    };

    // whileRunning is called with the process id whenever the program is quiet for a moment.
    static Result run(const std::wstring& program, const std::wstring& arguments, DWORD timeoutMilliseconds,
                      const std::function<void(DWORD)>& whileRunning = {});
};
