#include <gtest/gtest.h>
#include <memory>
#include "LanguageIds.h"
#include "support/LibraryModule.h"
#include "support/ScratchFolder.h"
#include "support/TavrenaLibrary.h"

namespace {
class ExportsTest : public ::testing::Test {
protected:
    ExportsTest() : m_module(L"Tavrena.dll"), m_library(m_module.Handle()) {}

    void SetUp() override
    {
        ASSERT_TRUE(m_module.IsLoaded());
        ASSERT_TRUE(m_library.Complete());
    }

    LibraryModule m_module;
    TavrenaLibrary m_library;
    ScratchFolder m_folder;
};

}

// A null text or bitmap pointer is refused before anything is written.
TEST_F(ExportsTest, NullOutPointersAreRefused)
{
    std::wstring path = m_folder.Write(L"a.jww", "JwwData.");
    EXPECT_EQ(m_library.GetZumenInfo(path.c_str(), nullptr), E_NOTIMPL);
    EXPECT_EQ(m_library.GetZumenImage(256, path.c_str(), nullptr, nullptr), E_NOTIMPL);
}

// Files that no reader accepts still give a tip: the language module's text
// for an unreadable drawing, in place of whatever the string held.
TEST_F(ExportsTest, UnreadableFilesGiveTheUnreadableText)
{
    std::wstring expected = m_library.LanguageString(IDS_ZUMEN_UNREADABLE);
    ASSERT_FALSE(expected.empty());
    const std::wstring paths[] = {
        m_folder.At(L"missing.jww"),
        m_folder.Write(L"short.jwc", "jw_cad(c)data......"),
        m_folder.Write(L"empty.jww", ""),
        m_folder.Write(L"other.jww", "PK\x03\x04 this is no drawing at all"),
    };
    for (const std::wstring& path : paths) {
        ATL::CComBSTR text(L"earlier text");
        EXPECT_EQ(m_library.GetZumenInfo(path.c_str(), std::addressof(text)), S_OK);
        EXPECT_STREQ(text.m_str, expected.c_str()) << path;
    }
}

TEST_F(ExportsTest, NoThumbnailLeavesTheBitmapPointerAlone)
{
    std::wstring path = m_folder.Write(L"other.jww", "not a drawing, long enough");
    HBITMAP sentinel = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(0x1234));
    for (int size : {0, 256}) {
        HBITMAP bitmap = sentinel;
        EXPECT_EQ(m_library.GetZumenImage(size, path.c_str(), &bitmap, nullptr), E_NOTIMPL);
        EXPECT_EQ(bitmap, sentinel);
    }
    EXPECT_EQ(m_library.GetImage(256, path.c_str()), nullptr);
    EXPECT_EQ(m_library.GetImage(256, m_folder.At(L"missing.jww").c_str()), nullptr);
}

TEST_F(ExportsTest, PreviewWindowIsNotMadeYet)
{
    RECT rect = {0, 0, 100, 100};
    std::wstring path = m_folder.At(L"a.jww");
    EXPECT_EQ(m_library.PreViewDlg(path.c_str(), rect, nullptr), nullptr);
    EXPECT_EQ(m_library.GetImageView(path.c_str(), rect, nullptr), nullptr);
}
