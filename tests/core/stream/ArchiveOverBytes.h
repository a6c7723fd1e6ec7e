#pragma once

#include <afx.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "stream/CJwwArchive.h"

// Reads a byte image through the library's loading archive, which owns the
// objects it creates.
class ArchiveOverBytes {
public:
    explicit ArchiveOverBytes(std::vector<uint8_t> bytes);
    ~ArchiveOverBytes();

    CArchive& Archive() { return *m_archive; }
    // Bytes the archive has taken from the image so far.
    ULONGLONG Consumed() const;

private:
    std::vector<uint8_t> m_bytes;
    CMemFile m_file;
    std::unique_ptr<CJwwArchive> m_archive;
};

// The cause of the CArchiveException that read ends in.
const int kNoException = -1;
const int kOtherException = -2;
int ArchiveCause(const std::function<void()>& read);

// "FF FE 0A" -> bytes, and back.
std::vector<uint8_t> FromHex(const std::string& text);
std::string ToHex(const std::vector<uint8_t>& bytes, size_t from = 0, size_t count = std::string::npos);
