#pragma once

#include <string>
#include <vector>

namespace regalto {

// The switches of one run; no switch clears what another one set.
struct CommandOptions {
    bool registering = true;   // cleared by "/u"
    bool silent = false;       // "/s"
    bool x86 = false;          // "/x86": settings and DLLs from the "x86" subfolder
    bool hasArguments = false; // an empty command line asks the user for the direction

    // Every token, the first one included, is compared case-insensitively; others are ignored.
    static CommandOptions parse(const std::vector<std::wstring>& tokens, const std::wstring& commandLine);
};

}  // namespace regalto
