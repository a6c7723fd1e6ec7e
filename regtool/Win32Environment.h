#pragma once

#include "Environment.h"

namespace regalto {

class Win32Environment : public Environment {
public:
    std::optional<std::vector<std::wstring>> splitCommandLine(const std::wstring& commandLine) override;
    std::optional<std::wstring> moduleFileName() override;
    std::optional<std::wstring> windowsDirectory() override;
    bool isWow64() override;
    FileKind fileKind(const std::wstring& path) override;
};

}  // namespace regalto
