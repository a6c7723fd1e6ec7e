#pragma once

#include "Win32Environment.h"

#include <optional>
#include <set>
#include <string>

// The real system, except for the answers a test sets.
class FakeEnvironment : public regalto::Win32Environment {
public:
    std::optional<std::vector<std::wstring>> splitCommandLine(const std::wstring& commandLine) override;
    std::optional<std::wstring> moduleFileName() override;
    std::optional<std::wstring> windowsDirectory() override;
    bool isWow64() override;
    regalto::FileKind fileKind(const std::wstring& path) override;

    bool splitFails = false;
    std::optional<std::wstring> moduleFile;      // nothing: the call fails
    bool windowsFolderFails = false;
    std::optional<std::wstring> windowsFolder;   // nothing: the real one
    std::optional<bool> wow64;                   // nothing: the real answer
    std::set<std::wstring> unreadablePaths;      // their status cannot be read
};
