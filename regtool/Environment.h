#pragma once

#include "FileKind.h"

#include <optional>
#include <string>
#include <vector>

namespace regalto {

// The questions the run asks the system; tests answer some of them themselves.
class Environment {
public:
    virtual ~Environment() = default;

    // Tokens of the command line, or nothing when it cannot be split.
    virtual std::optional<std::vector<std::wstring>> splitCommandLine(const std::wstring& commandLine) = 0;
    virtual std::optional<std::wstring> moduleFileName() = 0;
    virtual std::optional<std::wstring> windowsDirectory() = 0;
    // True only for a 32-bit process on 64-bit Windows.
    virtual bool isWow64() = 0;
    virtual FileKind fileKind(const std::wstring& path) = 0;
};

}  // namespace regalto
