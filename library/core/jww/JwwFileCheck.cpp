#include "jww/JwwFileCheck.h"

#include <algorithm>
#include <cstring>

#include "jwc/JwcBytes.h"

namespace {

const DWORD kJwwVersions[] = {230, 251, 252, 300, 351, 420, 600, 700};
// A symbol of version 251 is not accepted, though a drawing is.
const DWORD kJwsVersions[] = {230, 252, 300, 351, 420, 600, 700};

// Shortest files worth opening; both lie above the headers themselves.
const ULONGLONG kJwwMinLength = 4444;
const ULONGLONG kJwsMinLength = 456;

const UINT kMagicLength = 8;
const UINT kJwsVersionOffset = 200;

template <size_t N>
bool Contains(const DWORD (&versions)[N], DWORD version)
{
    return std::find(std::begin(versions), std::end(versions), version) != std::end(versions);
}

// Reads the magic and the version DWORD at versionOffset from the start.
bool HasMagicAndVersion(CFile& file, ULONGLONG minLength, const char* magic, UINT versionOffset,
                        DWORD& version)
{
    if (file.GetLength() < minLength)
        return false;
    BYTE head[kJwsVersionOffset + sizeof(DWORD)];
    UINT needed = versionOffset + sizeof(DWORD);
    file.SeekToBegin();
    if (file.Read(head, needed) != needed || std::memcmp(head, magic, kMagicLength) != 0)
        return false;
    version = jwc::U32At(head + versionOffset);
    return true;
}

}

bool IsAcceptedJwwVersion(DWORD version)
{
    return Contains(kJwwVersions, version);
}

bool IsAcceptedJwsVersion(DWORD version)
{
    return Contains(kJwsVersions, version);
}

bool IsJwwFile(CFile& file)
{
    DWORD version = 0;
    return HasMagicAndVersion(file, kJwwMinLength, "JwwData.", kMagicLength, version) &&
           IsAcceptedJwwVersion(version);
}

bool IsJwsFile(CFile& file)
{
    DWORD version = 0;
    return HasMagicAndVersion(file, kJwsMinLength, "JwsData.", kJwsVersionOffset, version) &&
           IsAcceptedJwsVersion(version);
}
