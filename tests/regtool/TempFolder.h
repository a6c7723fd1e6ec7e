#pragma once

#include <string>

// A fresh folder under the temp folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& path() const { return path_; }
    // Full path of a name inside the folder ("a\\b.dll").
    std::wstring at(const std::wstring& relative) const;
    // Creates the file (and its folders) with the given bytes; returns its full path.
    std::wstring write(const std::wstring& relative, const std::string& bytes = {}) const;
    std::wstring makeFolder(const std::wstring& relative) const;

private:
    std::wstring path_;
};
