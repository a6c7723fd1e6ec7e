#include "ShellLauncher.h"

#include <windows.h>
#include <shellapi.h>

namespace regalto {

void ShellLauncher::trace(const std::wstring& commandLine)
{
    OutputDebugStringW(commandLine.c_str());
}

bool ShellLauncher::start(const std::wstring& file, const std::wstring& parameters)
{
    const HINSTANCE result = ShellExecuteW(nullptr, nullptr, file.c_str(), parameters.c_str(), nullptr, SW_HIDE);
    // Values up to 32 are error codes.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace regalto
