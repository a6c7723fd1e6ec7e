#include "TempFolder.h"

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <fstream>

namespace {

std::wstring uniqueTempPath()
{
    static std::atomic<unsigned int> counter{0};
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    return std::wstring(temp) + L"regtool-" + std::to_wstring(GetCurrentProcessId()) + L"-"
        + std::to_wstring(++counter);
}

}  // namespace

TempFolder::TempFolder()
    : path_(uniqueTempPath())
{
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::wstring TempFolder::at(const std::wstring& relative) const
{
    return path_ + L"\\" + relative;
}

std::wstring TempFolder::write(const std::wstring& relative, const std::string& bytes) const
{
    const std::filesystem::path file(at(relative));
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
    return file.wstring();
}

std::wstring TempFolder::makeFolder(const std::wstring& relative) const
{
    std::filesystem::create_directories(at(relative));
    return at(relative);
}
