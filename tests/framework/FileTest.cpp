// CFile, CMemFile and CFileFind over real files in a scratch folder.
#include <afx.h>

#include <gtest/gtest.h>

#include <memory>

namespace
{

// A fresh folder under the temporary folder, removed with its files.
class FileTestFolder
{
public:
    FileTestFolder()
    {
        WCHAR szTemp[MAX_PATH];
        GetTempPathW(MAX_PATH, szTemp);
        m_path.Format(L"%sframework_file_test_%lu", szTemp, GetCurrentProcessId());
        CreateDirectoryW(m_path, NULL);
    }
    ~FileTestFolder() { RemoveTree(m_path); }

    CStringW Path(LPCWSTR name) const { return m_path + L"\\" + name; }
    const CStringW& Root() const { return m_path; }

    void WriteFile(LPCWSTR name, const char* text) const
    {
        CFile file(Path(name), CFile::modeCreate | CFile::modeWrite);
        file.Write(text, static_cast<UINT>(strlen(text)));
    }

private:
    static void RemoveTree(const CStringW& path)
    {
        WIN32_FIND_DATAW data;
        HANDLE hFind = FindFirstFileW(path + L"\\*", &data);
        if (hFind != INVALID_HANDLE_VALUE)
        {
            do
            {
                CStringW child = path + L"\\" + data.cFileName;
                if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
                {
                    SetFileAttributesW(child, FILE_ATTRIBUTE_NORMAL);
                    DeleteFileW(child);
                }
                else if (wcscmp(data.cFileName, L".") != 0 && wcscmp(data.cFileName, L"..") != 0)
                {
                    RemoveTree(child);
                }
            } while (FindNextFileW(hFind, &data));
            FindClose(hFind);
        }
        RemoveDirectoryW(path);
    }

    CStringW m_path;
};

int OpenCause(LPCWSTR path, UINT nFlags)
{
    CFile file;
    CFileException error;
    if (file.Open(path, nFlags, &error))
        return -1;
    return error.m_cause;
}

}

TEST(File, ReadWriteSeekAndLength)
{
    FileTestFolder folder;
    CStringW path = folder.Path(L"data.bin");
    CFile file;
    ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive | CFile::typeBinary));
    EXPECT_NE(CFile::hFileNull, file.m_hFile);
    file.Write("abcdef", 6);
    EXPECT_EQ(6u, file.GetLength());
    EXPECT_EQ(6u, file.GetPosition());
    EXPECT_EQ(2u, file.Seek(-4, CFile::current));
    char sz[8] = {};
    EXPECT_EQ(3u, file.Read(sz, 3));
    EXPECT_STREQ("cde", sz);
    EXPECT_EQ(1u, file.Read(sz, 7)); // short at the end, no error
    file.SetLength(3);
    EXPECT_EQ(3u, file.GetLength());
    EXPECT_EQ(3u, file.SeekToEnd());
    file.SeekToBegin();
    EXPECT_EQ(0u, file.GetPosition());
    file.Close();
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);
}

TEST(File, NamesOfTheOpenFile)
{
    FileTestFolder folder;
    folder.WriteFile(L"plan.v2.jww", "x");
    CFile file(folder.Path(L"plan.v2.jww"), CFile::modeRead | CFile::shareDenyNone);
    EXPECT_TRUE(file.GetFilePath() == folder.Path(L"plan.v2.jww"));
    EXPECT_TRUE(file.GetFileName() == L"plan.v2.jww");
    EXPECT_TRUE(file.GetFileTitle() == L"plan.v2");
}

TEST(File, OpenModesAndFailures)
{
    FileTestFolder folder;
    CStringW path = folder.Path(L"modes.txt");
    EXPECT_EQ(CFileException::fileNotFound, OpenCause(path, CFile::modeRead));
    EXPECT_EQ(CFileException::badPath, OpenCause(folder.Path(L"no\\such\\folder.txt"), CFile::modeRead));
    folder.WriteFile(L"modes.txt", "12345");

    // Without truncation the content stays.
    {
        CFile keep(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
        EXPECT_EQ(5u, keep.GetLength());
    }
    // Sharing: an exclusive holder keeps everyone out; deny-write lets readers in.
    {
        CFile exclusive(path, CFile::modeRead | CFile::shareExclusive);
        EXPECT_EQ(CFileException::sharingViolation, OpenCause(path, CFile::modeRead | CFile::shareDenyNone));
    }
    {
        CFile reader(path, CFile::modeRead | CFile::shareDenyWrite);
        EXPECT_EQ(-1, OpenCause(path, CFile::modeRead | CFile::shareDenyWrite));
        EXPECT_EQ(CFileException::sharingViolation, OpenCause(path, CFile::modeWrite | CFile::shareDenyNone));
    }
    // modeCreate alone truncates.
    {
        CFile truncate(path, CFile::modeCreate | CFile::modeWrite);
        EXPECT_EQ(0u, truncate.GetLength());
    }
    try
    {
        CFile missing(folder.Path(L"missing.txt"), CFile::modeRead);
        ADD_FAILURE() << "opened a missing file";
    }
    catch (CFileException* e)
    {
        EXPECT_EQ(CFileException::fileNotFound, e->m_cause);
        EXPECT_EQ(static_cast<LONG>(ERROR_FILE_NOT_FOUND), e->m_lOsError);
        EXPECT_TRUE(e->m_strFileName == folder.Path(L"missing.txt"));
        e->Delete();
    }
}

TEST(File, WritingAReadOnlyHandleThrows)
{
    FileTestFolder folder;
    folder.WriteFile(L"ro.txt", "abc");
    CFile file(folder.Path(L"ro.txt"), CFile::modeRead);
    try
    {
        file.Write("x", 1);
        ADD_FAILURE() << "wrote through a read-only handle";
    }
    catch (CFileException* e)
    {
        EXPECT_EQ(CFileException::accessDenied, e->m_cause);
        e->Delete();
    }
}

TEST(File, StatusIsReadAndItsTimeWrittenBack)
{
    FileTestFolder folder;
    folder.WriteFile(L"status.dat", "1234567");
    CStringW path = folder.Path(L"status.dat");
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(path, status));
    EXPECT_EQ(7u, status.m_size);
    EXPECT_STREQ(path, status.m_szFullName);
    EXPECT_EQ(0, status.m_attribute & CFile::directory);
    EXPECT_GT(status.m_mtime.GetTime(), 0);

    status.m_mtime = CTime(static_cast<__time64_t>(1000000000)); // 2001-09-09
    CFile::SetStatus(path, status);
    CFileStatus after;
    ASSERT_TRUE(CFile::GetStatus(path, after));
    EXPECT_EQ(1000000000, after.m_mtime.GetTime());
    EXPECT_EQ(status.m_attribute, after.m_attribute);

    status.m_attribute |= CFile::readOnly;
    CFile::SetStatus(path, status);
    ASSERT_TRUE(CFile::GetStatus(path, after));
    EXPECT_NE(0, after.m_attribute & CFile::readOnly);

    CFile open(path, CFile::modeRead | CFile::shareDenyNone);
    CFileStatus fromHandle;
    ASSERT_TRUE(open.GetStatus(fromHandle));
    EXPECT_EQ(1000000000, fromHandle.m_mtime.GetTime());
    EXPECT_EQ(7u, fromHandle.m_size);

    EXPECT_FALSE(CFile::GetStatus(folder.Path(L"missing.dat"), after));
}

TEST(File, RenameAndRemove)
{
    FileTestFolder folder;
    folder.WriteFile(L"old.txt", "a");
    CFile::Rename(folder.Path(L"old.txt"), folder.Path(L"new.txt"));
    CFileStatus status;
    EXPECT_FALSE(CFile::GetStatus(folder.Path(L"old.txt"), status));
    EXPECT_TRUE(CFile::GetStatus(folder.Path(L"new.txt"), status));
    CFile::Remove(folder.Path(L"new.txt"));
    EXPECT_FALSE(CFile::GetStatus(folder.Path(L"new.txt"), status));
    try
    {
        CFile::Remove(folder.Path(L"new.txt"));
        ADD_FAILURE() << "removed a missing file";
    }
    catch (CFileException* e)
    {
        EXPECT_EQ(CFileException::fileNotFound, e->m_cause);
        e->Delete();
    }
}

TEST(MemFile, GrowsAndReadsBack)
{
    CMemFile file(16);
    for (int i = 0; i < 100; ++i)
        file.Write(&i, sizeof(i));
    EXPECT_EQ(400u, file.GetLength());
    file.Seek(40, CFile::begin);
    int value = 0;
    file.Read(&value, sizeof(value));
    EXPECT_EQ(10, value);
    EXPECT_EQ(0u, file.Read(&value, 0));
    file.SeekToEnd();
    EXPECT_EQ(0u, file.Read(&value, sizeof(value)));
}

TEST(MemFile, WritePastTheEndLeavesZeros)
{
    CMemFile file;
    file.Write("ab", 2);
    file.Seek(6, CFile::begin);
    file.Write("z", 1);
    ASSERT_EQ(7u, file.GetLength());
    BYTE* pData = file.Detach();
    EXPECT_EQ(0, memcmp(pData, "ab\0\0\0\0z", 7));
    free(pData);
    EXPECT_EQ(0u, file.GetLength());
}

TEST(MemFile, BadSeeksThrow)
{
    CMemFile file;
    file.Write("abc", 3);
    try
    {
        file.Seek(-4, CFile::end);
        ADD_FAILURE() << "seeked before the start";
    }
    catch (CFileException* e)
    {
        EXPECT_EQ(CFileException::badSeek, e->m_cause);
        e->Delete();
    }
    EXPECT_EQ(3u, file.GetPosition());
}

TEST(MemFile, AttachedBufferWithoutGrowthIsTheWholeFile)
{
    BYTE buffer[4] = {1, 2, 3, 4};
    CMemFile file(buffer, sizeof(buffer));
    EXPECT_EQ(4u, file.GetLength());
    file.Seek(2, CFile::begin);
    file.Write("\x09", 1);
    EXPECT_EQ(9, buffer[2]);
    try
    {
        file.Write("\x01\x02", 2); // would grow past the buffer
        ADD_FAILURE() << "grew a fixed buffer";
    }
    catch (CMemoryException* e)
    {
        e->Delete();
    }
    EXPECT_EQ(buffer, file.Detach());
}

TEST(MemFile, AttachedBufferWithGrowthStartsEmptyAndMovesOut)
{
    BYTE buffer[4] = {1, 2, 3, 4};
    CMemFile file;
    file.Attach(buffer, sizeof(buffer), 8);
    EXPECT_EQ(0u, file.GetLength());
    file.Write("abcdef", 6);
    EXPECT_EQ(1, buffer[0]); // the caller's buffer is left alone once outgrown
    EXPECT_EQ(6u, file.GetLength());
    BYTE* pData = file.Detach();
    EXPECT_NE(buffer, pData);
    EXPECT_EQ(0, memcmp(pData, "abcdef", 6));
    free(pData);
}

TEST(FileFind, ListsFilesAndFolders)
{
    FileTestFolder folder;
    folder.WriteFile(L"a.jww", "12345");
    folder.WriteFile(L"b.png", "1");
    CreateDirectoryW(folder.Path(L"sub"), NULL);

    CFileFind finder;
    ASSERT_TRUE(finder.FindFile(folder.Path(L"*.*")));
    int nFiles = 0, nFolders = 0, nDots = 0;
    BOOL bMore = TRUE;
    while (bMore)
    {
        bMore = finder.FindNextFile();
        if (finder.IsDots())
        {
            ++nDots;
            continue;
        }
        if (finder.IsDirectory())
        {
            ++nFolders;
            EXPECT_TRUE(finder.GetFileName() == L"sub");
            continue;
        }
        ++nFiles;
        EXPECT_TRUE(finder.GetFilePath() == folder.Path(finder.GetFileName()));
        EXPECT_TRUE(finder.GetRoot() == folder.Root());
        if (finder.GetFileName() == L"a.jww")
        {
            EXPECT_EQ(5u, finder.GetLength());
            EXPECT_TRUE(finder.GetFileTitle() == L"a");
            CTime written;
            EXPECT_TRUE(finder.GetLastWriteTime(written));
            EXPECT_GT(written.GetTime(), 0);
        }
    }
    EXPECT_EQ(2, nFiles);
    EXPECT_EQ(1, nFolders);
    EXPECT_EQ(2, nDots);
    EXPECT_FALSE(finder.FindNextFile());
    finder.Close();
    EXPECT_FALSE(finder.FindFile(folder.Path(L"*.none")));
}

TEST(FileFind, NothingIsFoundBeforeTheFirstStep)
{
    FileTestFolder folder;
    folder.WriteFile(L"only.txt", "1");
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile(folder.Path(L"only.txt")));
    EXPECT_TRUE(finder.GetFileName().IsEmpty());
    FILETIME time;
    EXPECT_FALSE(finder.GetLastWriteTime(&time));
    EXPECT_FALSE(finder.FindNextFile()); // the one match is also the last
    EXPECT_TRUE(finder.GetFileName() == L"only.txt");
    EXPECT_TRUE(finder.GetLastWriteTime(&time));
}
