#include "DebuggedProgram.h"

#include "ScopedHandle.h"

#include <algorithm>

namespace {

constexpr DWORD quietMilliseconds = 100;
constexpr DWORD longestDebugLine = 65536;
constexpr DWORD killGraceMilliseconds = 5000;

std::wstring readDebugLine(HANDLE process, const OUTPUT_DEBUG_STRING_INFO& info)
{
    const DWORD characters = std::min<DWORD>(info.nDebugStringLength, longestDebugLine);
    const DWORD unitSize = info.fUnicode ? sizeof(wchar_t) : sizeof(char);
    std::vector<char> bytes(static_cast<std::size_t>(characters) * unitSize + sizeof(wchar_t), 0);
    SIZE_T read = 0;
    ReadProcessMemory(process, info.lpDebugStringData, bytes.data(), bytes.size() - sizeof(wchar_t), &read);
    if (info.fUnicode) {
        return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()));
    }
    const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), -1, nullptr, 0);
    std::wstring text(length > 0 ? length : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), -1, text.data(), length);
    text.resize(text.find(L'\0'));
    return text;
}

// Returns how the debuggee should go on after the event.
DWORD handleEvent(const DEBUG_EVENT& event, HANDLE process, DebuggedProgram::Result& result)
{
    switch (event.dwDebugEventCode) {
    case CREATE_PROCESS_DEBUG_EVENT: {
        // The debugger owns the image file handles it is given.
        const ScopedHandle image(event.u.CreateProcessInfo.hFile);
        break;
    }
    case LOAD_DLL_DEBUG_EVENT: {
        const ScopedHandle image(event.u.LoadDll.hFile);
        break;
    }
    case OUTPUT_DEBUG_STRING_EVENT:
        result.debugLines.push_back(readDebugLine(process, event.u.DebugString));
        break;
    case EXIT_PROCESS_DEBUG_EVENT:
        result.exitCode = event.u.ExitProcess.dwExitCode;
        break;
    case EXCEPTION_DEBUG_EVENT:
        // The loader's breakpoint is the debugger's; every other exception is the program's own.
        if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) {
            return DBG_EXCEPTION_NOT_HANDLED;
        }
        break;
    default:
        break;
    }
    return DBG_CONTINUE;
}

}  // namespace

DebuggedProgram::Result DebuggedProgram::run(const std::wstring& program, const std::wstring& arguments,
                                             DWORD timeoutMilliseconds, const std::function<void(DWORD)>& whileRunning)
{
    Result result;
    std::wstring commandLine = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS, nullptr,
                        nullptr, &startup, &started)) {
        return result;
    }
    const ScopedHandle process(started.hProcess);
    const ScopedHandle thread(started.hThread);

    const ULONGLONG deadline = GetTickCount64() + timeoutMilliseconds;
    bool killed = false;
    for (;;) {
        DEBUG_EVENT event{};
        if (!WaitForDebugEvent(&event, quietMilliseconds)) {
            if (!killed && GetTickCount64() > deadline) {
                TerminateProcess(process.get(), 0xDEAD);
                killed = true;
            } else if (killed && GetTickCount64() > deadline + killGraceMilliseconds) {
                return result;
            } else if (!killed && whileRunning) {
                whileRunning(started.dwProcessId);
            }
            continue;
        }
        const DWORD continueStatus = handleEvent(event, process.get(), result);
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, continueStatus);
        if (event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT) {
            result.ended = !killed;
            return result;
        }
    }
}
