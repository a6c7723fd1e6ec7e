#pragma once

#include <string>

namespace regalto {

// Starts regsvr32 without waiting for it; tests record what would be started.
class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;

    // The command line about to be started, for whoever watches the debugger output.
    virtual void trace(const std::wstring& commandLine) = 0;
    // False when the program could not be started.
    virtual bool start(const std::wstring& file, const std::wstring& parameters) = 0;
};

}  // namespace regalto
