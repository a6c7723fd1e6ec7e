#include <gtest/gtest.h>
#include <afx.h>
#include "cache/CacheFolderSweep.h"
#include "support/ScratchFolder.h"

namespace {
const LONGLONG kDay = 86400;

class CacheSweepTest : public ::testing::Test {
protected:
    CacheSweepTest() : m_folder(CStringW(m_scratch.Path().c_str()) + L"\\") {}

    std::wstring File(const wchar_t* name, LONGLONG age)
    {
        std::wstring path = m_scratch.Write(name, "contents");
        Age(path, age);
        return path;
    }

    static void Age(const std::wstring& path, LONGLONG seconds)
    {
        HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        ULARGE_INTEGER value = {{now.dwLowDateTime, now.dwHighDateTime}};
        value.QuadPart -= seconds * 10000000LL;
        FILETIME aged = {value.LowPart, value.HighPart};
        SetFileTime(file, nullptr, nullptr, &aged);
        CloseHandle(file);
    }

    static bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

    static LONGLONG AgeOf(const std::wstring& path)
    {
        CFileStatus status;
        CFile::GetStatus(path.c_str(), status);
        return (CTime::GetCurrentTime() - status.m_mtime).GetTotalSeconds();
    }

    bool Sweep(bool owned = true) { return SweepCacheFolder(m_folder, L"Quillora.dat", owned); }

    ScratchFolder m_scratch;
    CStringW m_folder;
};
}

// A day after the last sweep, every non-".dat" file that is itself a day old
// goes; ".dat" files in any case, young files and folders stay. The next
// sweep is a day later.
TEST_F(CacheSweepTest, SweepsOldGeneratedFilesOnceADay)
{
    std::wstring marker = File(L"Quillora.dat", kDay + 60);
    std::wstring image = File(L"drawing0000ABCD_0001.png", 2 * kDay);
    std::wstring bare = File(L"noextension", kDay);
    std::wstring print = File(L"PrintData.DAT", 3 * kDay);
    std::wstring saving = File(L"Quillora.dat.saving.dat", 3 * kDay);
    std::wstring young = File(L"fresh.png", kDay - 600);
    std::wstring folder = m_scratch.At(L"sub.png");
    CreateDirectoryW(folder.c_str(), nullptr);
    Age(folder, 3 * kDay);

    EXPECT_TRUE(Sweep());
    EXPECT_FALSE(Exists(image));
    EXPECT_FALSE(Exists(bare));
    EXPECT_TRUE(Exists(marker));
    EXPECT_TRUE(Exists(print));
    EXPECT_TRUE(Exists(saving));
    EXPECT_TRUE(Exists(young));
    EXPECT_TRUE(Exists(folder));
    EXPECT_LT(AgeOf(marker), 60);

    std::wstring later = File(L"later.png", 2 * kDay);
    EXPECT_FALSE(Sweep());
    EXPECT_TRUE(Exists(later));
}

// Within a day of the last sweep, without the cache file, and in a folder
// that is not the library's own, nothing goes.
TEST_F(CacheSweepTest, NothingGoesWhenTheSweepIsNotDue)
{
    std::wstring image = File(L"image.png", 2 * kDay);
    EXPECT_FALSE(Sweep()) << "no cache file";

    std::wstring marker = File(L"Quillora.dat", kDay - 60);
    EXPECT_FALSE(Sweep()) << "swept within the day";

    Age(marker, -3600);
    EXPECT_FALSE(Sweep()) << "a cache file from the future";

    Age(marker, 2 * kDay);
    EXPECT_FALSE(Sweep(false)) << "not the library's own folder";
    EXPECT_TRUE(Exists(image));
    EXPECT_GT(AgeOf(marker), kDay);
}
