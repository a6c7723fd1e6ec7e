#pragma once
// The threads of this process and whose they are: each thread's start
// address (as the system recorded it when the thread was made) mapped to
// the module that holds it, and the modules whose code the thread's stack
// returns into. Used to tell a thread the library left behind from one the
// system or its built-in modules keep for the life of the process.
#include <windows.h>
#include <tlhelp32.h>
#include <algorithm>
#include <set>
#include <string>
#include <vector>

struct ThreadCensusRecord {
    DWORD id = 0;
    void* startAddress = nullptr;
    // File name (no folder, lower case) of the module holding the start
    // address; empty when no loaded module holds it.
    std::wstring startModule;
    // File names of the modules that the thread's stack returns into, from
    // the innermost frame outwards, each once.
    std::vector<std::wstring> stackModules;
};

namespace thread_census_detail {
inline std::wstring ModuleFileNameAt(const void* address)
{
    HMODULE module = nullptr;
    if (!address ||
        !GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<const wchar_t*>(address), &module))
        return std::wstring();
    wchar_t path[MAX_PATH] = {};
    if (!GetModuleFileNameW(module, path, MAX_PATH))
        return std::wstring();
    std::wstring name(path);
    name.erase(0, name.find_last_of(L"\\/") + 1);
    std::transform(name.begin(), name.end(), name.begin(), towlower);
    return name;
}

// ThreadQuerySetWin32StartAddress of NtQueryInformationThread: the address
// the thread was started at (for a CRT thread, the CRT's own trampoline).
inline void* ThreadStartAddress(HANDLE thread)
{
    using QueryFunction = LONG(NTAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    static const auto query = reinterpret_cast<QueryFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationThread")));
    const int kThreadQuerySetWin32StartAddress = 9;
    void* start = nullptr;
    if (!query || query(thread, kThreadQuerySetWin32StartAddress, &start, sizeof start, nullptr) < 0)
        return nullptr;
    return start;
}

// Whether address lies in executable memory of an image: a candidate
// return address on a stack.
inline bool IsImageCode(ULONG_PTR address)
{
    MEMORY_BASIC_INFORMATION region = {};
    if (!VirtualQuery(reinterpret_cast<void*>(address), &region, sizeof region))
        return false;
    const DWORD executable = PAGE_EXECUTE | PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    return region.State == MEM_COMMIT && region.Type == MEM_IMAGE && (region.Protect & executable);
}

// The modules that the words of a suspended thread's stack point into,
// from its stack pointer up to the top of its stack region. A scan, not an
// unwind: stale words may add a module, but every real frame is there.
inline std::vector<std::wstring> StackModules(HANDLE thread)
{
    std::vector<std::wstring> modules;
    if (SuspendThread(thread) == static_cast<DWORD>(-1))
        return modules;
    CONTEXT context = {};
    context.ContextFlags = CONTEXT_CONTROL;
    if (GetThreadContext(thread, &context)) {
#ifdef _WIN64
        const ULONG_PTR pointer = context.Rsp;
        const ULONG_PTR instruction = context.Rip;
#else
        const ULONG_PTR pointer = context.Esp;
        const ULONG_PTR instruction = context.Eip;
#endif
        auto note = [&](ULONG_PTR address) {
            const std::wstring name = ModuleFileNameAt(reinterpret_cast<void*>(address));
            if (!name.empty() && std::find(modules.begin(), modules.end(), name) == modules.end())
                modules.push_back(name);
        };
        note(instruction);
        MEMORY_BASIC_INFORMATION stack = {};
        if (VirtualQuery(reinterpret_cast<void*>(pointer), &stack, sizeof stack)) {
            const ULONG_PTR top = reinterpret_cast<ULONG_PTR>(stack.BaseAddress) + stack.RegionSize;
            for (ULONG_PTR word = pointer & ~(sizeof(ULONG_PTR) - 1); word + sizeof(ULONG_PTR) <= top;
                 word += sizeof(ULONG_PTR)) {
                const ULONG_PTR value = *reinterpret_cast<const ULONG_PTR*>(word);
                if (IsImageCode(value))
                    note(value);
            }
        }
    }
    ResumeThread(thread);
    return modules;
}
}  // namespace thread_census_detail

// Every thread of this process but the calling one.
inline std::vector<ThreadCensusRecord> TakeThreadCensus()
{
    std::vector<ThreadCensusRecord> records;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return records;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != GetCurrentProcessId() || entry.th32ThreadID == GetCurrentThreadId())
            continue;
        ThreadCensusRecord record;
        record.id = entry.th32ThreadID;
        HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION | THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT, FALSE,
                                   entry.th32ThreadID);
        if (thread) {
            record.startAddress = thread_census_detail::ThreadStartAddress(thread);
            record.startModule = thread_census_detail::ModuleFileNameAt(record.startAddress);
            record.stackModules = thread_census_detail::StackModules(thread);
            CloseHandle(thread);
        }
        records.push_back(record);
    }
    CloseHandle(snapshot);
    return records;
}

// The threads of after that before did not list.
inline std::vector<ThreadCensusRecord> ThreadsAddedSince(const std::vector<ThreadCensusRecord>& before,
                                                         const std::vector<ThreadCensusRecord>& after)
{
    std::set<DWORD> known;
    for (const ThreadCensusRecord& record : before)
        known.insert(record.id);
    std::vector<ThreadCensusRecord> added;
    for (const ThreadCensusRecord& record : after)
        if (!known.count(record.id))
            added.push_back(record);
    return added;
}

// One line per thread: id, start address and its module, the stack's modules.
inline std::string DescribeThreads(const std::vector<ThreadCensusRecord>& records)
{
    std::string text;
    for (const ThreadCensusRecord& record : records) {
        char head[96];
        wsprintfA(head, "thread %lu start %p in ", record.id, record.startAddress);
        text += head;
        text += std::string(record.startModule.begin(), record.startModule.end());
        text += "; stack:";
        for (const std::wstring& module : record.stackModules)
            text += " " + std::string(module.begin(), module.end());
        text += "\n";
    }
    return text;
}
