#pragma once

#include "CommandOptions.h"
#include "Environment.h"
#include "MessageCatalog.h"
#include "MessagePresenter.h"
#include "ProcessLauncher.h"

#include <optional>
#include <string>
#include <vector>

namespace regalto {

// One run of the program: reads the switches and the settings, then hands every
// listed DLL to regsvr32 and tells the user how that went.
class RegistrationRun {
public:
    // Not owned: they outlive the run.
    RegistrationRun(Environment& environment, ProcessLauncher& launcher, MessagePresenter& presenter);

    // The exit code of the program.
    int run(const std::wstring& commandLine);

private:
    std::optional<std::wstring> programFolder();
    bool readSettings(const std::wstring& baseFolder);
    std::optional<std::wstring> regsvr32Path();
    bool askDirection();
    int launchAll(const std::wstring& regsvr32);
    int fail(MessageId id);
    void inform(MessageId id);  // unless silent
    int show(MessageId id);     // the button pressed

    Environment& environment_;
    ProcessLauncher& launcher_;
    MessagePresenter& presenter_;
    CommandOptions options_;
    bool japanese_ = true;
    std::vector<std::wstring> dlls_;
};

}  // namespace regalto
