#pragma once
#include <windows.h>
#include <shellapi.h>
#include <string>

// A fresh folder under the temporary folder, removed with everything in it
// when the test ends.
class ScratchFolder {
public:
    ScratchFolder()
    {
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, temp);
        static LONG counter = 0;
        m_path = std::wstring(temp) + L"jwtest-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                 std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(InterlockedIncrement(&counter));
        CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ~ScratchFolder()
    {
        std::wstring from = m_path + L'\0';
        SHFILEOPSTRUCTW operation = {};
        operation.wFunc = FO_DELETE;
        operation.pFrom = from.c_str();
        operation.fFlags = FOF_NO_UI;
        SHFileOperationW(&operation);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& Path() const { return m_path; }
    // Full path of name inside the folder.
    std::wstring At(const std::wstring& name) const { return m_path + L"\\" + name; }
    // Makes the folder name ("a\\b"), and the folders it lies in, inside the
    // folder; returns its full path.
    std::wstring MakeFolder(const std::wstring& name) const
    {
        for (size_t end = name.find(L'\\');; end = name.find(L'\\', end + 1)) {
            CreateDirectoryW(At(name.substr(0, end)).c_str(), nullptr);
            if (end == std::wstring::npos)
                return At(name);
        }
    }
    // Writes bytes into the file name ("a\\b.dll"), making its folders;
    // returns its full path.
    std::wstring Write(const std::wstring& name, const std::string& bytes = {}) const
    {
        const size_t folderEnd = name.rfind(L'\\');
        if (folderEnd != std::wstring::npos)
            MakeFolder(name.substr(0, folderEnd));
        std::wstring path = At(name);
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        if (file != INVALID_HANDLE_VALUE) {
            WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
            CloseHandle(file);
        }
        return path;
    }
    // Copies the file source into the folder under name; returns its path.
    std::wstring Copy(const std::wstring& source, const std::wstring& name) const
    {
        std::wstring path = At(name);
        CopyFileW(source.c_str(), path.c_str(), FALSE);
        return path;
    }

private:
    std::wstring m_path;
};
