#include <gtest/gtest.h>
#include <memory>
#include "cache/InfoCacheEntry.h"
#include "reader/JwCADBase.h"
#include "reader/ReaderFactory.h"
#include "support/ScratchFolder.h"
#include "ScriptedReader.h"

namespace {
struct SignatureCase {
    const char* name;
    const char* bytes;  // null: no file at all
    int kind;           // -1: no reader
    const wchar_t* kindName;
};

const SignatureCase kSignatures[] = {
    {"missing", nullptr, -1, nullptr},
    {"empty", "", -1, nullptr},
    {"19 bytes", "jw_cad(c)data......", -1, nullptr},
    {"jwc", "jw_cad(c)data.......", 0, L"JWC"},
    {"jwk", "jw_cad(c)sym........ and the rest", 1, L"JWK"},
    {"jww junk", "JwwData.\x01\x02 this is junk, not a header", 2, L"JWW"},
    {"jws junk", "JwsData.????????????????", 3, L"JWS"},
    {"jwc 20th byte", "jw_cad(c)data......X", -1, nullptr},
    {"jww 8th byte", "JwwDataX than enough bytes", -1, nullptr},
    {"jww case", "JWWDATA. than enough bytes", -1, nullptr},
};
}

TEST(ReaderFactory, ReaderByTheFirstTwentyBytes)
{
    ScratchFolder folder;
    for (const SignatureCase& c : kSignatures) {
        std::wstring path = folder.At(L"drawing.bin");
        DeleteFileW(path.c_str());
        if (c.bytes)
            folder.Write(L"drawing.bin", c.bytes);
        CInfoCacheEntry entry;
        bool made = OpenDrawingFile(path.c_str(), &entry, false, nullptr);
        std::unique_ptr<CJwCADBase> reader(entry.doc);
        EXPECT_EQ(made, c.kind >= 0) << c.name;
        if (c.kind < 0) {
            EXPECT_EQ(reader, nullptr) << c.name;
            continue;
        }
        ASSERT_NE(reader, nullptr) << c.name;
        EXPECT_EQ(reader->GetFileKind(), c.kind) << c.name;
        EXPECT_STREQ(reader->GetKindName(), c.kindName) << c.name;
        EXPECT_EQ(reader->m_loadState.load(), LoadState::NeverLoaded) << c.name << ": not loaded";
    }
}

// A load that cannot read the drawing still ran: the factory reports it, the
// reader stays in the entry and says the load failed.
TEST(ReaderFactory, LoadThatFailsStillReportsTheRun)
{
    ScratchFolder folder;
    std::wstring path = folder.Write(L"junk.jww", "JwwData.\x01\x02 this is junk, not a header");
    CInfoCacheEntry entry;
    EXPECT_TRUE(OpenDrawingFile(path.c_str(), &entry, true, nullptr));
    std::unique_ptr<CJwCADBase> reader(entry.doc);
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->m_loadState.load(), LoadState::Failed);
    EXPECT_STREQ(reader->m_path, path.c_str());
    EXPECT_EQ(reader->m_pReadThread, nullptr);
}

TEST(ReaderKind, NamesOutsideTheFourKindsAreUnknown)
{
    for (int kind : {4, 7, -1}) {
        ScriptedReader reader(kind);
        EXPECT_STREQ(reader.GetKindName(), L"???") << kind;
    }
}
