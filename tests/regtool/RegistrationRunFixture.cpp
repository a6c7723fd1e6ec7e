#include "RegistrationRunFixture.h"

#include "RegistrationRun.h"

#include <windows.h>

RegistrationRunFixture::RegistrationRunFixture()
{
    environment.moduleFile = folder.At(L"Regalto64.exe");
}

int RegistrationRunFixture::run(const std::wstring& commandLine)
{
    return regalto::RegistrationRun(environment, launcher, presenter).run(commandLine);
}

std::wstring RegistrationRunFixture::systemRegsvr32()
{
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    return std::wstring(windows) + (sizeof(void*) == 4 ? L"\\SysWow64\\regsvr32.exe" : L"\\System32\\regsvr32.exe");
}

std::wstring RegistrationRunFixture::quoted(const std::wstring& text)
{
    return L"\"" + text + L"\"";
}

void RegistrationRunFixture::expectStarted(const std::wstring& regsvr32,
                                           const std::vector<std::wstring>& parameters) const
{
    ASSERT_EQ(launcher.starts.size(), parameters.size());
    ASSERT_EQ(launcher.traces.size(), parameters.size());
    for (std::size_t index = 0; index < parameters.size(); ++index) {
        EXPECT_EQ(launcher.starts[index].file, regsvr32);
        EXPECT_EQ(launcher.starts[index].parameters, parameters[index]);
        EXPECT_EQ(launcher.traces[index], regsvr32 + L" " + parameters[index]);
    }
}

void RegistrationRunFixture::expectBoxes(const std::vector<regalto::Message>& boxes) const
{
    EXPECT_EQ(presenter.shown, boxes);
}
