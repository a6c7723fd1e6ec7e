#include "SavedCacheFile.h"
#include <windows.h>
#include <cstring>
#include <stdexcept>

namespace {
class Cursor {
public:
    explicit Cursor(const std::vector<uint8_t>& bytes) : m_bytes(bytes) {}

    template <class T>
    T Take()
    {
        if (m_at > m_bytes.size() || m_bytes.size() - m_at < sizeof(T))
            throw std::out_of_range("short file");
        T value;
        std::memcpy(&value, m_bytes.data() + m_at, sizeof value);
        m_at += sizeof value;
        return value;
    }

    // 0xFF 0xFFFE, then a byte length, or 0xFF and a WORD, or 0xFF 0xFFFF and
    // a DWORD; then the UTF-16 units.
    std::wstring Text()
    {
        if (Take<uint8_t>() != 0xFF || Take<uint16_t>() != 0xFFFE)
            throw std::runtime_error("not a UTF-16 string");
        uint32_t length = Take<uint8_t>();
        if (length == 0xFF) {
            length = Take<uint16_t>();
            if (length == 0xFFFF)
                length = Take<uint32_t>();
        }
        std::wstring text;
        for (uint32_t i = 0; i < length; ++i)
            text += static_cast<wchar_t>(Take<uint16_t>());
        return text;
    }

    bool AtEnd() const { return m_at == m_bytes.size(); }

private:
    const std::vector<uint8_t>& m_bytes;
    size_t m_at = 0;
};
}

SavedCacheFile ParseSavedCacheFile(const std::vector<uint8_t>& bytes)
{
    SavedCacheFile file;
    Cursor in(bytes);
    try {
        file.version = in.Take<uint32_t>();
        file.count = in.Take<int32_t>();
        for (int32_t i = 0; i < file.count; ++i) {
            SavedCacheEntry entry;
            entry.path = in.Text();
            entry.scale = in.Take<int32_t>();
            entry.originX = in.Take<int32_t>();
            entry.originY = in.Take<int32_t>();
            entry.width = in.Take<int32_t>();
            entry.height = in.Take<int32_t>();
            entry.fileTime = in.Take<int64_t>();
            entry.viewSet = in.Take<uint8_t>();
            file.entries.push_back(entry);
        }
        file.settings = in.Take<uint32_t>();
        file.backColor = in.Take<uint32_t>();
        file.complete = in.AtEnd();
    } catch (const std::exception&) {
    }
    return file;
}

std::vector<uint8_t> ReadFileBytes(const std::wstring& path)
{
    std::vector<uint8_t> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    LARGE_INTEGER size = {};
    GetFileSizeEx(file, &size);
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty())
        ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    CloseHandle(file);
    return bytes;
}
