#pragma once
#include <afx.h>
#include <afxcoll.h>
#include <atomic>
#include <cstdint>

// The files a drawing of version 700 and later carries after its block
// definitions: a count, then for each a name, a size and its bytes. Packed
// images (names ending in ".gz") are unpacked into the cache folder under
// the reader's prefix, where the drawing's "%temp%" image texts find them.
// Whatever is refused is read past, so the stream stays in step.
class CJwwEmbeddedFiles {
public:
    // No image unpacks to more than this.
    static constexpr ULONGLONG kMaxUnpackedSize = 256ull * 1024 * 1024;

    // prefix: the cache folder followed by the reader's id in eight
    // upper-case hexadecimal digits.
    explicit CJwwEmbeddedFiles(const CStringW& prefix);

    // Reads every file from ar, which reads file; the unpacked images are
    // appended to unpacked. Stops between files when cancel is set.
    void Read(CArchive& ar, CFile& file, const std::atomic<bool>& cancel, CStringArray& unpacked);

    // A name that stays in the folder it is put in: not empty, without a
    // folder, a drive, a parent reference or control characters.
    static bool IsBareName(const CStringW& name);

private:
    void ReadOne(CArchive& ar, CStringArray& unpacked);
    // The unpacked copy's path; false when the file is no packed image or
    // its name is refused.
    bool TargetFor(const CStringW& name, CStringW& target) const;
    // Copies size bytes of the stream into the new file path (or passes over
    // them when that cannot be made); true when the whole copy was written.
    bool CopyToNewFile(CArchive& ar, DWORD size, const CStringW& path);

    CStringW m_prefix;
};

// The cache folder's prefix of the reader with the id.
CStringW ReaderFilePrefix(const CStringW& cacheFolder, uint32_t readerId);
