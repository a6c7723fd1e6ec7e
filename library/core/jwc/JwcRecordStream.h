#pragma once
#include <afx.h>
#include <cstdint>
#include <vector>

// One section of fixed-size records: where it starts and how many records
// the header declares.
struct JwcSection {
    uint64_t position;
    int64_t count;
    size_t recordSize;
};

// Hands out the records of one section, read from the file in chunks. The
// section is cut to the records the file holds from its position, and a
// short read ends it: no record is made of bytes that did not arrive.
class JwcRecordStream {
public:
    JwcRecordStream(CFile& file, const JwcSection& section, uint64_t fileLength);

    // The next record's bytes, valid until the next call; null at the end.
    const uint8_t* Next();

private:
    bool Refill();

    CFile& m_file;
    size_t m_recordSize;
    int64_t m_readable;     // records the file holds, at most the declared count
    int64_t m_delivered = 0;
    std::vector<uint8_t> m_chunk;
    size_t m_chunkRecords = 0;
    size_t m_next = 0;      // index of the next record in the chunk
};
