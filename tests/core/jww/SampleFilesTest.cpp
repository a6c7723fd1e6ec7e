// Real Jw_cad drawings, when the shared samples folder is there: each reads its
// header and whole lists without an exception.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SampleDrawings.h"

#include "core/jww/WholeStream.h"
#include "jww/JwwFileCheck.h"
#include "jww/JwwVersion.h"

namespace {

std::vector<std::wstring> SampleFiles()
{
    return SampleDrawingFiles({L"*.jww", L"*.jws"});
}

TEST(SampleFiles, EveryFileReadsItsHeaderAndLists)
{
    std::vector<std::wstring> files = SampleFiles();
    if (files.empty())
        GTEST_SKIP() << "no sample drawings";
    for (const std::wstring& path : files) {
        SCOPED_TRACE(SampleTrace(path));
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite));
        EXPECT_TRUE(IsJwwFile(file) || IsJwsFile(file));
        file.SeekToBegin();
        try {
            WholeStream stream(file);
            EXPECT_TRUE(g_jwwVersion == 600 || g_jwwVersion == 700) << g_jwwVersion;
            // Tables far into the header, which only a reader in step finds.
            EXPECT_EQ(stream.header.m_lineTypePattern[2], 0x99999999u);
            EXPECT_EQ(stream.header.m_lineTypePattern[19], 0xFFFE7FFFu);
            EXPECT_EQ(stream.header.m_lineTypeName[1], CStringW(L"continuous"));
            EXPECT_EQ(stream.header.m_colorName[2], CStringW(L"red"));
            EXPECT_FALSE(stream.entities.m_limited);
            EXPECT_GT(stream.entities.GetCount() + stream.blocks.GetCount(), 0);
            EXPECT_EQ(file.GetPosition(), file.GetLength());
        } catch (CArchiveException* e) {
            ADD_FAILURE() << "archive exception, cause " << e->m_cause << ", at byte " << file.GetPosition();
            e->Delete();
        } catch (CException* e) {
            ADD_FAILURE() << "exception";
            e->Delete();
        }
    }
}

}  // namespace
