#include "jwc/ReadBlock.h"
#include <algorithm>
#include <cstring>

bool ReadBlockAt(CFile& file, uint64_t position, void* buffer, size_t size)
{
    size_t wanted = static_cast<size_t>(std::min<uint64_t>(size, BytesFrom(position, file.GetLength())));
    size_t arrived = 0;
    if (wanted > 0) {
        file.Seek(static_cast<LONGLONG>(position), CFile::begin);
        arrived = file.Read(buffer, static_cast<UINT>(wanted));
    }
    std::memset(static_cast<uint8_t*>(buffer) + arrived, 0, size - arrived);
    return arrived == size;
}
