#include "MessageBoxPresenter.h"
#include "RegistrationRun.h"
#include "ShellLauncher.h"
#include "Win32Environment.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int)
{
    regalto::Win32Environment environment;
    regalto::ShellLauncher launcher;
    regalto::MessageBoxPresenter presenter;
    return regalto::RegistrationRun(environment, launcher, presenter).run(commandLine != nullptr ? commandLine : L"");
}
