#include "Win32Environment.h"

#include <windows.h>
#include <shellapi.h>

#include <filesystem>
#include <memory>
#include <system_error>

namespace regalto {

namespace {

constexpr DWORD pathBufferLength = MAX_PATH;

struct LocalFreeDeleter {
    void operator()(LPWSTR* tokens) const { LocalFree(tokens); }
};

}  // namespace

std::optional<std::vector<std::wstring>> Win32Environment::splitCommandLine(const std::wstring& commandLine)
{
    int count = 0;
    const std::unique_ptr<LPWSTR, LocalFreeDeleter> tokens(CommandLineToArgvW(commandLine.c_str(), &count));
    if (!tokens) {
        return std::nullopt;
    }
    return std::vector<std::wstring>(tokens.get(), tokens.get() + count);
}

std::optional<std::wstring> Win32Environment::moduleFileName()
{
    std::wstring buffer(pathBufferLength, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), pathBufferLength);
    // A name that fills the buffer was cut short: its folder would be wrong.
    if (length == 0 || length >= pathBufferLength) {
        return std::nullopt;
    }
    buffer.resize(length);
    return buffer;
}

std::optional<std::wstring> Win32Environment::windowsDirectory()
{
    std::wstring buffer(pathBufferLength, L'\0');
    // A result at or above the buffer size is the size needed, not a path.
    const UINT length = GetWindowsDirectoryW(buffer.data(), pathBufferLength);
    if (length == 0 || length >= pathBufferLength) {
        return std::nullopt;
    }
    buffer.resize(length);
    return buffer;
}

bool Win32Environment::isWow64()
{
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

FileKind Win32Environment::fileKind(const std::wstring& path)
{
    std::error_code error;
    switch (std::filesystem::status(path, error).type()) {
    case std::filesystem::file_type::regular:
        return FileKind::Regular;
    case std::filesystem::file_type::not_found:
        return FileKind::Absent;
    case std::filesystem::file_type::none:
        return FileKind::Unknown;
    default:
        return FileKind::NotRegular;
    }
}

}  // namespace regalto
