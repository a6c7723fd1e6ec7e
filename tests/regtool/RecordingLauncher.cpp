#include "RecordingLauncher.h"

void RecordingLauncher::trace(const std::wstring& commandLine)
{
    traces.push_back(commandLine);
}

bool RecordingLauncher::start(const std::wstring& file, const std::wstring& parameters)
{
    starts.push_back({file, parameters});
    return starts.size() - 1 != failingStart;
}
