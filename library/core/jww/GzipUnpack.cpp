#include "jww/GzipUnpack.h"
#include "jww/NewFile.h"
#include <memory>
#include <vector>
#include <zlib.h>

namespace {
const unsigned kPieceSize = 16384;

struct GzipCloser {
    void operator()(gzFile_s* file) const { gzclose(file); }
};

// Whether the data ended with its gzip trailer, not cut short.
bool EndedCleanly(gzFile_s* source)
{
    int error = Z_OK;
    gzerror(source, &error);
    return error == Z_OK;
}

// Copies the unpacked bytes; true at a clean end of the data.
bool CopyUnpacked(gzFile_s* source, CNewFile& target, ULONGLONG maxSize)
{
    std::vector<char> piece(kPieceSize);
    ULONGLONG total = 0;
    for (;;) {
        int read = gzread(source, piece.data(), kPieceSize);
        if (read <= 0)
            return read == 0 && EndedCleanly(source);
        total += static_cast<unsigned>(read);
        if (total > maxSize || !target.Write(piece.data(), static_cast<DWORD>(read)))
            return false;
    }
}
}

bool UnpackGzipFile(const CStringW& packed, const CStringW& target, ULONGLONG maxSize)
{
    std::unique_ptr<gzFile_s, GzipCloser> source(gzopen_w(packed, "rb"));
    if (!source)
        return false;
    CNewFile output;
    if (!output.Create(target))
        return false;
    bool unpacked = CopyUnpacked(source.get(), output, maxSize);
    output.Close();
    if (!unpacked)
        DeleteFileW(target);
    return unpacked;
}
