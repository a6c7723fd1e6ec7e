#include "jwc/JwcRecordStream.h"
#include "jwc/ReadBlock.h"
#include <algorithm>

namespace {
const int64_t kChunkRecords = 2048;
}

JwcRecordStream::JwcRecordStream(CFile& file, const JwcSection& section, uint64_t fileLength)
    : m_file(file), m_recordSize(section.recordSize)
{
    uint64_t available = BytesFrom(section.position, fileLength);
    int64_t declared = std::max<int64_t>(section.count, 0);
    m_readable = std::min<int64_t>(declared, static_cast<int64_t>(available / m_recordSize));
    if (m_readable > 0)
        m_file.Seek(static_cast<LONGLONG>(section.position), CFile::begin);
}

const uint8_t* JwcRecordStream::Next()
{
    if (m_next == m_chunkRecords && !Refill())
        return nullptr;
    ++m_delivered;
    return m_chunk.data() + m_recordSize * m_next++;
}

bool JwcRecordStream::Refill()
{
    int64_t left = m_readable - m_delivered;
    if (left <= 0)
        return false;
    size_t records = static_cast<size_t>(std::min(left, kChunkRecords));
    m_chunk.resize(records * m_recordSize);
    UINT arrived = m_file.Read(m_chunk.data(), static_cast<UINT>(m_chunk.size()));
    m_chunkRecords = arrived / m_recordSize;
    m_next = 0;
    // A short read means the file ended early: the records not read stay
    // unread for good.
    if (m_chunkRecords < records)
        m_readable = m_delivered + static_cast<int64_t>(m_chunkRecords);
    return m_chunkRecords > 0;
}
