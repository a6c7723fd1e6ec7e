// Which files the readers open: length, magic and version.
#include <gtest/gtest.h>

#include <cstring>

#include "jww/JwwFileCheck.h"

namespace {

std::vector<BYTE> FileImage(const char* magic, size_t versionOffset, DWORD version, size_t length)
{
    std::vector<BYTE> bytes(length);
    std::memcpy(bytes.data(), magic, 8);
    std::memcpy(bytes.data() + versionOffset, &version, sizeof version);
    return bytes;
}

bool CheckImage(bool (*check)(CFile&), std::vector<BYTE> bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    return check(file);
}

struct CheckCase {
    const char* magic;
    DWORD version;
    size_t length;
    bool accepted;
};

TEST(JwwFileCheck, DrawingsNeed4444BytesMagicAndVersion)
{
    const CheckCase cases[] = {
        {"JwwData.", 700, 4444, true},  {"JwwData.", 700, 4443, false}, {"JwwData.", 251, 5000, true},
        {"JwwData.", 250, 5000, false}, {"JwwData.", 230, 5000, true},  {"JwsData.", 700, 5000, false},
        {"jwwData.", 700, 5000, false},
    };
    for (const CheckCase& c : cases) {
        EXPECT_EQ(CheckImage(IsJwwFile, FileImage(c.magic, 8, c.version, c.length)), c.accepted)
            << c.magic << " " << c.version << " " << c.length;
    }
}

TEST(JwwFileCheck, SymbolsNeed456BytesMagicAndVersion)
{
    const CheckCase cases[] = {
        {"JwsData.", 700, 456, true},   {"JwsData.", 700, 455, false}, {"JwsData.", 251, 456, false},
        {"JwsData.", 252, 456, true},   {"JwsData.", 230, 456, true},  {"JwwData.", 700, 456, false},
    };
    for (const CheckCase& c : cases) {
        EXPECT_EQ(CheckImage(IsJwsFile, FileImage(c.magic, 200, c.version, c.length)), c.accepted)
            << c.magic << " " << c.version << " " << c.length;
    }
}

TEST(JwwFileCheck, AcceptedVersions)
{
    for (DWORD version : {230, 251, 252, 300, 351, 420, 600, 700})
        EXPECT_TRUE(IsAcceptedJwwVersion(version)) << version;
    for (DWORD version : {0, 229, 250, 301, 701})
        EXPECT_FALSE(IsAcceptedJwwVersion(version)) << version;
    EXPECT_FALSE(IsAcceptedJwsVersion(251));
    EXPECT_TRUE(IsAcceptedJwsVersion(252));
}

}  // namespace
