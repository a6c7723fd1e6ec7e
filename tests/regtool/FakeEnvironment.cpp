#include "FakeEnvironment.h"

std::optional<std::vector<std::wstring>> FakeEnvironment::splitCommandLine(const std::wstring& commandLine)
{
    if (splitFails) {
        return std::nullopt;
    }
    return Win32Environment::splitCommandLine(commandLine);
}

std::optional<std::wstring> FakeEnvironment::moduleFileName()
{
    return moduleFile;
}

std::optional<std::wstring> FakeEnvironment::windowsDirectory()
{
    if (windowsFolderFails) {
        return std::nullopt;
    }
    return windowsFolder ? windowsFolder : Win32Environment::windowsDirectory();
}

bool FakeEnvironment::isWow64()
{
    return wow64 ? *wow64 : Win32Environment::isWow64();
}

regalto::FileKind FakeEnvironment::fileKind(const std::wstring& path)
{
    if (unreadablePaths.count(path) != 0) {
        return regalto::FileKind::Unknown;
    }
    return Win32Environment::fileKind(path);
}
