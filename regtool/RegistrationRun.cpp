#include "RegistrationRun.h"

#include "ExitCode.h"
#include "SettingsFile.h"

#include <windows.h>
#include <shlwapi.h>

namespace regalto {

RegistrationRun::RegistrationRun(Environment& environment, ProcessLauncher& launcher, MessagePresenter& presenter)
    : environment_(environment)
    , launcher_(launcher)
    , presenter_(presenter)
{
}

int RegistrationRun::run(const std::wstring& commandLine)
{
    const auto tokens = environment_.splitCommandLine(commandLine);
    if (!tokens) {
        // The switches are unknown, "/s" included, so this box always shows.
        show(MessageId::ArgumentSplitFailed);
        return ExitFailure;
    }
    options_ = CommandOptions::parse(*tokens, commandLine);

    const auto folder = programFolder();
    if (!folder) {
        return ExitFailure;
    }
    // The settings file and every listed DLL share one base folder.
    const std::wstring baseFolder = *folder + (options_.x86 ? L"\\x86\\" : L"\\");
    if (!readSettings(baseFolder)) {
        return fail(MessageId::EnvironmentFailed);
    }

    const auto regsvr32 = regsvr32Path();
    if (!regsvr32) {
        return fail(MessageId::EnvironmentFailed);
    }
    if (dlls_.empty()) {
        return fail(MessageId::EmptyList);
    }
    if (!askDirection()) {
        return ExitFailure;
    }
    return launchAll(*regsvr32);
}

std::optional<std::wstring> RegistrationRun::programFolder()
{
    auto folder = environment_.moduleFileName();
    if (!folder) {
        fail(MessageId::ModulePathFailed);
        return std::nullopt;
    }
    if (!PathRemoveFileSpecW(folder->data())) {
        fail(MessageId::ModuleFolderFailed);
        return std::nullopt;
    }
    folder->resize(lstrlenW(folder->c_str()));
    return folder;
}

// False when a status cannot be read; a missing settings file is no failure.
bool RegistrationRun::readSettings(const std::wstring& baseFolder)
{
    const std::wstring settingsPath = baseFolder + L"Setting.ini";
    const FileKind settingsKind = environment_.fileKind(settingsPath);
    if (settingsKind != FileKind::Regular) {
        return settingsKind != FileKind::Unknown;
    }
    const SettingsFile settings(settingsPath);
    japanese_ = settings.japanese();
    for (const std::wstring& listed : settings.listedFiles()) {
        const std::wstring path = baseFolder + listed;
        const FileKind kind = environment_.fileKind(path);
        if (kind == FileKind::Unknown) {
            return false;
        }
        if (kind == FileKind::Regular) {
            dlls_.push_back(path);
        }
    }
    return true;
}

// The regsvr32 of the process's own width; the "/x86" switch has no say in it.
std::optional<std::wstring> RegistrationRun::regsvr32Path()
{
    const auto windows = environment_.windowsDirectory();
    if (!windows) {
        return std::nullopt;
    }
    const std::wstring path =
        *windows + (environment_.isWow64() ? L"\\SysWow64\\regsvr32.exe" : L"\\System32\\regsvr32.exe");
    if (environment_.fileKind(path) != FileKind::Regular) {
        return std::nullopt;
    }
    if (path.find(L' ') != std::wstring::npos) {
        return L"\"" + path + L"\"";
    }
    return path;
}

// Only a run without any argument asks; false when the user cancels.
bool RegistrationRun::askDirection()
{
    if (options_.hasArguments) {
        return true;
    }
    switch (show(MessageId::Question)) {
    case IDYES:
        options_.registering = true;
        return true;
    case IDNO:
        options_.registering = false;
        return true;
    default:
        return false;
    }
}

// Every DLL in list order; the first start that fails ends the run.
int RegistrationRun::launchAll(const std::wstring& regsvr32)
{
    const std::wstring switches = options_.registering ? L"/s" : L"/u /s";
    for (const std::wstring& dll : dlls_) {
        const std::wstring parameters = switches + L" \"" + dll + L"\"";
        launcher_.trace(regsvr32 + L" " + parameters);
        if (!launcher_.start(regsvr32, parameters)) {
            return fail(options_.registering ? MessageId::RegisterFailed : MessageId::UnregisterFailed);
        }
    }
    inform(options_.registering ? MessageId::RegisterSucceeded : MessageId::UnregisterSucceeded);
    return ExitSuccess;
}

int RegistrationRun::fail(MessageId id)
{
    inform(id);
    return ExitFailure;
}

void RegistrationRun::inform(MessageId id)
{
    if (!options_.silent) {
        show(id);
    }
}

int RegistrationRun::show(MessageId id)
{
    const Message message = MessageCatalog::message(id, japanese_);
    return presenter_.show(message.text, message.caption, message.flags);
}

}  // namespace regalto
