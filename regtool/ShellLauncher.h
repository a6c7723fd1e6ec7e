#pragma once

#include "ProcessLauncher.h"

namespace regalto {

// Hidden start through the shell; the started process is never waited for.
class ShellLauncher : public ProcessLauncher {
public:
    void trace(const std::wstring& commandLine) override;
    bool start(const std::wstring& file, const std::wstring& parameters) override;
};

}  // namespace regalto
