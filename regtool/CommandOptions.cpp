#include "CommandOptions.h"

#include <windows.h>

namespace regalto {

namespace {

bool isSwitch(const std::wstring& token, const wchar_t* name)
{
    return lstrcmpiW(token.c_str(), name) == 0;
}

}  // namespace

CommandOptions CommandOptions::parse(const std::vector<std::wstring>& tokens, const std::wstring& commandLine)
{
    CommandOptions options;
    options.hasArguments = !commandLine.empty();
    for (const std::wstring& token : tokens) {
        if (isSwitch(token, L"/u")) {
            options.registering = false;
        } else if (isSwitch(token, L"/s")) {
            options.silent = true;
        } else if (isSwitch(token, L"/x86")) {
            options.x86 = true;
        }
    }
    return options;
}

}  // namespace regalto
