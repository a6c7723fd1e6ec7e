#include "ChildProcess.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "ScopedHandle.h"
#include "ScratchFolder.h"

namespace {

// A file the child writes one of its streams into; inheritable.
HANDLE CreateOutputFile(const std::wstring& path)
{
    SECURITY_ATTRIBUTES inheritable = {sizeof(inheritable), nullptr, TRUE};
    return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string ReadWhole(const std::wstring& path)
{
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace

std::wstring Quoted(const std::wstring& argument)
{
    return L"\"" + argument + L"\"";
}

ChildResult RunChild(const std::wstring& commandLine, DWORD timeoutMs)
{
    ScratchFolder folder;
    const std::wstring outPath = folder.At(L"out.txt");
    const std::wstring errPath = folder.At(L"err.txt");
    ChildResult result;
    {
        ScopedHandle out(CreateOutputFile(outPath));
        ScopedHandle err(CreateOutputFile(errPath));
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = out.get();
        startup.hStdError = err.get();
        PROCESS_INFORMATION process = {};
        std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
        line.push_back(L'\0');
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
            return result;
        }
        ScopedHandle processHandle(process.hProcess);
        ScopedHandle threadHandle(process.hThread);
        if (WaitForSingleObject(process.hProcess, timeoutMs) != WAIT_OBJECT_0) {
            TerminateProcess(process.hProcess, 1);
            WaitForSingleObject(process.hProcess, INFINITE);
        } else {
            result.finished = true;
        }
        GetExitCodeProcess(process.hProcess, &result.exitCode);
    }
    result.out = ReadWhole(outPath);
    result.err = ReadWhole(errPath);
    return result;
}
