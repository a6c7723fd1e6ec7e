#pragma once

#include <string>
#include <vector>

namespace regalto {

// "Setting.ini": the language of the boxes and the DLLs to hand to regsvr32.
class SettingsFile {
public:
    explicit SettingsFile(std::wstring path);

    // [Language] Language, "Japanese" in any letter case; Japanese when the key is missing.
    bool japanese() const;
    // [RegistCOM] File1, File2, ... up to the first missing or empty key; values as written.
    std::vector<std::wstring> listedFiles() const;

private:
    std::wstring read(const wchar_t* section, const std::wstring& key, const wchar_t* fallback) const;

    std::wstring path_;
};

}  // namespace regalto
