#include "ProcessWait.h"
#include <tlhelp32.h>
#include <vector>

namespace {
// The ids of the processes that run imageName now.
std::vector<DWORD> ProcessesNamed(const wchar_t* imageName)
{
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return ids;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (lstrcmpiW(entry.szExeFile, imageName) == 0)
            ids.push_back(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return ids;
}
}

bool WaitUntilNoProcessNamed(const wchar_t* imageName, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        std::vector<DWORD> running = ProcessesNamed(imageName);
        if (running.empty())
            return true;
        ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return false;
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, running.front());
        if (process) {
            WaitForSingleObject(process, static_cast<DWORD>(deadline - now));
            CloseHandle(process);
        } else {
            Sleep(20);  // it is ending, or not ours to wait on: look again
        }
    }
}
