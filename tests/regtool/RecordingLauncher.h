#pragma once

#include "ProcessLauncher.h"

#include <cstddef>
#include <string>
#include <vector>

// Records what would be started instead of starting it.
class RecordingLauncher : public regalto::ProcessLauncher {
public:
    struct Start {
        std::wstring file;
        std::wstring parameters;
    };

    void trace(const std::wstring& commandLine) override;
    bool start(const std::wstring& file, const std::wstring& parameters) override;

    std::vector<std::wstring> traces;
    std::vector<Start> starts;                       // failed attempts included
    std::size_t failingStart = static_cast<std::size_t>(-1);  // index of the start that fails
};
