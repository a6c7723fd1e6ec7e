#include "jwc/JwcStringArea.h"
#include "jwc/AnsiText.h"
#include "jwc/ReadBlock.h"
#include <algorithm>
#include <climits>

namespace {
const uint32_t kFirstHighOffset = 65536;
const size_t kLongestText = 256;
}

void JwcStringArea::Clear()
{
    m_bytes.reset();
    m_size = 0;
    m_base = -1;
}

bool JwcStringArea::Read(CFile& file, uint64_t position, int64_t size, uint64_t fileLength)
{
    Clear();
    if (size <= 0)
        return true;
    uint64_t available = BytesFrom(position, fileLength);
    size_t wanted = static_cast<size_t>(std::min<uint64_t>(static_cast<uint64_t>(size), std::min<uint64_t>(available, UINT_MAX)));
    if (wanted > 0) {
        m_bytes.reset(new uint8_t[wanted]);
        file.Seek(static_cast<LONGLONG>(position), CFile::begin);
        m_size = file.Read(m_bytes.get(), static_cast<UINT>(wanted));
    }
    return m_size == static_cast<uint64_t>(size);
}

CStringW JwcStringArea::TextAt(uint32_t offset)
{
    int64_t position = offset;
    if (offset >= kFirstHighOffset) {
        if (m_base < 0)
            m_base = offset;
        position -= m_base;
    }
    if (position < 0 || static_cast<uint64_t>(position) >= m_size)
        return CStringW();
    size_t left = m_size - static_cast<size_t>(position);
    return AnsiTextToWide(reinterpret_cast<const char*>(m_bytes.get() + position), std::min(left, kLongestText));
}
