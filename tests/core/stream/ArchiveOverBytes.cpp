#include "core/stream/ArchiveOverBytes.h"

#include <cstdio>
#include <sstream>

ArchiveOverBytes::ArchiveOverBytes(std::vector<uint8_t> bytes)
    : m_bytes(std::move(bytes)), m_file(m_bytes.data(), static_cast<UINT>(m_bytes.size())),
      m_archive(new CJwwArchive(&m_file))
{
}

ArchiveOverBytes::~ArchiveOverBytes() = default;

ULONGLONG ArchiveOverBytes::Consumed() const
{
    return m_file.GetPosition() - static_cast<ULONGLONG>(m_archive->m_lpBufMax - m_archive->m_lpBufCur);
}

int ArchiveCause(const std::function<void()>& read)
{
    try {
        read();
    } catch (CArchiveException* e) {
        int cause = e->m_cause;
        e->Delete();
        return cause;
    } catch (CException* e) {
        e->Delete();
        return kOtherException;
    }
    return kNoException;
}

std::vector<uint8_t> FromHex(const std::string& text)
{
    std::vector<uint8_t> bytes;
    std::istringstream in(text);
    unsigned value = 0;
    while (in >> std::hex >> value)
        bytes.push_back(static_cast<uint8_t>(value));
    return bytes;
}

std::string ToHex(const std::vector<uint8_t>& bytes, size_t from, size_t count)
{
    std::string text;
    for (size_t i = from; i < bytes.size() && i - from < count; ++i) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02X", bytes[i]);
        if (!text.empty())
            text += ' ';
        text += digits;
    }
    return text;
}
