#include <gtest/gtest.h>
#include <climits>
#include "CacheFixture.h"
#include "records/SettingFlag.h"
#include "writer/ByteWriter.h"

using namespace jwwrite;

namespace {
const uint32_t kOldSettings = SettingFlag::ExpandTextVariables;
const COLORREF kOldBackColor = 0x111111;
const uint32_t kFileSettings = SettingFlag::ReverseWheel | SettingFlag::PenWidths;
const COLORREF kFileBackColor = 0xABCDEF;

class InfoCacheFileTest : public CacheFixture {
protected:
    void SetUp() override
    {
        theApp.m_settings = kOldSettings;
        theApp.m_backColor = kOldBackColor;
    }

    static InfoCacheFileEntry Zoomed(const char16_t* path, int32_t scale = 300)
    {
        InfoCacheFileEntry entry;
        entry.path = path;
        entry.scale = scale;
        entry.originX = 5;
        entry.originY = -7;
        return entry;
    }

    static std::vector<std::wstring> PathsOf(const SavedCacheFile& file)
    {
        std::vector<std::wstring> paths;
        for (const SavedCacheEntry& entry : file.entries)
            paths.push_back(entry.path);
        return paths;
    }
};
}

// Nothing worth keeping: the version, a count of 0, the settings word and
// the background colour.
TEST_F(InfoCacheFileTest, EmptySaveIsSixteenBytes)
{
    InfoCacheFile untouched;
    untouched.entries = {InfoCacheFileEntry{u"C:\\untouched.jww"}};
    ASSERT_TRUE(m_cache.Load(WriteCacheFile(untouched).c_str()));
    theApp.m_settings = 0x05000000;
    theApp.m_backColor = 0x123456;

    std::wstring path = m_folder.At(L"empty.dat");
    ASSERT_TRUE(m_cache.Save(path.c_str()));
    const std::vector<uint8_t> expected = {0x83, 0x17, 0x34, 0x01, 0, 0, 0, 0,
                                           0x00, 0x00, 0x00, 0x05, 0x56, 0x34, 0x12, 0x00};
    EXPECT_EQ(ReadFileBytes(path), expected);
}

// Each readable version gives its fields; those it lacks take their
// defaults, and the settings follow the version.
TEST_F(InfoCacheFileTest, EachReadableVersionLoads)
{
    const uint32_t kMark = SettingFlag::PartReferenceMark;
    const struct {
        uint32_t version;
        int32_t width, height;
        int64_t fileTime;
        uint8_t viewSet;
        uint32_t settings;
        COLORREF backColor;
    } cases[] = {
        {kCache20160131, 256, 256, 0, 0, kOldSettings | kMark, kOldBackColor},
        {kCache20160301, 640, 640, 0, 0, kOldSettings | kMark, kOldBackColor},
        {kCache20160321, 640, 480, 0, 0, kOldSettings | kMark, kOldBackColor},
        {kCache20160810, 640, 480, 1500000000, 0, kFileSettings | kMark, kOldBackColor},
        {kCache20190914, 640, 480, 1500000000, 0, kFileSettings | kMark, kFileBackColor},
        {kCache20191107, 640, 480, 1500000000, 1, kFileSettings, kFileBackColor},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        theApp.m_settings = kOldSettings;
        theApp.m_backColor = kOldBackColor;
        InfoCacheFile file;
        file.version = c.version;
        InfoCacheFileEntry entry = Zoomed(u"C:\\drawings\\\x56F3\x9762.jww");
        entry.width = 640;
        entry.height = 480;
        entry.fileTime = 1500000000;
        entry.viewSet = true;
        file.entries = {entry};
        file.settings = kFileSettings;
        file.backColor = kFileBackColor;
        ASSERT_TRUE(m_cache.Load(WriteCacheFile(file).c_str()));
        EXPECT_EQ(theApp.m_settings, c.settings);
        EXPECT_EQ(theApp.m_backColor, c.backColor);

        SavedCacheFile saved = Saved();
        ASSERT_TRUE(saved.complete);
        ASSERT_EQ(saved.entries.size(), 1u);
        const SavedCacheEntry& read = saved.entries[0];
        EXPECT_EQ(read.path, L"C:\\drawings\\\x56F3\x9762.jww");
        EXPECT_EQ(read.scale, 300);
        EXPECT_EQ(read.originX, 5);
        EXPECT_EQ(read.originY, -7);
        EXPECT_EQ(read.width, c.width);
        EXPECT_EQ(read.height, c.height);
        EXPECT_EQ(read.fileTime, c.fileTime);
        EXPECT_EQ(read.viewSet, c.viewSet);
    }
}

// Any other version is not read: the cache stays empty, the settings as they
// were. It is no failure of the load.
TEST_F(InfoCacheFileTest, OtherVersionsAreRefused)
{
    for (uint32_t version : {0u, 20160130u, 20160132u, 20191106u, 20191108u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(version);
        InfoCacheFile file;
        file.version = version;
        file.entries = {Zoomed(u"C:\\a.jww")};
        file.settings = kFileSettings;
        EXPECT_TRUE(m_cache.Load(WriteCacheFile(file).c_str()));
        EXPECT_TRUE(m_cache.GetPaths().empty());
        EXPECT_EQ(theApp.m_settings, kOldSettings);
        EXPECT_EQ(theApp.m_backColor, kOldBackColor);
    }
}

// A view the renderers cannot use becomes the default one.
TEST_F(InfoCacheFileTest, ValuesOutOfRangeAreReplaced)
{
    const struct {
        int32_t scale, width, height;
        int32_t savedScale, savedWidth, savedHeight;
    } cases[] = {
        {0, 1, 32767, 256, 1, 32767},
        {-5, 0, 0, 256, 256, 256},
        {INT_MIN, -1, 32768, 256, 256, 256},
        {1, INT_MAX, INT_MIN, 1, 256, 256},
    };
    InfoCacheFile file;
    for (size_t i = 0; i < std::size(cases); ++i) {
        InfoCacheFileEntry entry = Zoomed((u"C:\\" + std::u16string(1, u'a' + i)).c_str(), cases[i].scale);
        entry.width = cases[i].width;
        entry.height = cases[i].height;
        file.entries.push_back(entry);
    }
    ASSERT_TRUE(m_cache.Load(WriteCacheFile(file).c_str()));
    SavedCacheFile saved = Saved();
    ASSERT_EQ(saved.entries.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(saved.entries[i].scale, cases[i].savedScale);
        EXPECT_EQ(saved.entries[i].width, cases[i].savedWidth);
        EXPECT_EQ(saved.entries[i].height, cases[i].savedHeight);
    }
}

// In a version-20160301 file the height is the (checked) width.
TEST_F(InfoCacheFileTest, HeightOfWidthOnlyVersionIsTheCheckedWidth)
{
    InfoCacheFile file;
    file.version = kCache20160301;
    InfoCacheFileEntry entry = Zoomed(u"C:\\a.jww");
    entry.width = 40000;
    file.entries = {entry};
    ASSERT_TRUE(m_cache.Load(WriteCacheFile(file).c_str()));
    SavedCacheFile saved = Saved();
    ASSERT_EQ(saved.entries.size(), 1u);
    EXPECT_EQ(saved.entries[0].width, 256);
    EXPECT_EQ(saved.entries[0].height, 256);
}

// Two spellings of one path are one key: the later entry replaces the
// earlier, under the first spelling.
TEST_F(InfoCacheFileTest, DuplicatePathKeepsTheLaterEntry)
{
    InfoCacheFile file;
    file.entries = {Zoomed(u"C:\\Dir\\a.jww", 300), Zoomed(u"c:\\DIR\\A.JWW", 400)};
    ASSERT_TRUE(m_cache.Load(WriteCacheFile(file).c_str()));
    SavedCacheFile saved = Saved();
    ASSERT_EQ(saved.entries.size(), 1u);
    EXPECT_EQ(saved.entries[0].path, L"C:\\Dir\\a.jww");
    EXPECT_EQ(saved.entries[0].scale, 400);
}

// Entries go out in the order of the keys compared without case, with the
// lower-case letters: "_" (0x5F) sorts before "a" and "A". The count is of
// the entries written, not of the cache.
TEST_F(InfoCacheFileTest, SaveWritesKeyOrderAndCountsWhatItWrites)
{
    InfoCacheFile file;
    file.entries = {Zoomed(u"C:\\b.jww"), Zoomed(u"C:\\A.jww"), InfoCacheFileEntry{u"C:\\m.jww"},
                    Zoomed(u"C:\\_c.jww")};
    ASSERT_TRUE(m_cache.Load(WriteCacheFile(file).c_str()));
    EXPECT_EQ(m_cache.GetPaths().size(), 4u);
    SavedCacheFile saved = Saved();
    ASSERT_TRUE(saved.complete);
    EXPECT_EQ(saved.count, 3);
    EXPECT_EQ(PathsOf(saved), (std::vector<std::wstring>{L"C:\\_c.jww", L"C:\\A.jww", L"C:\\b.jww"}));
}

// Damaged files end the load with false; what was read before the damage
// stays, the settings (which come last) keep their values.
TEST_F(InfoCacheFileTest, DamagedFilesFailKeepingWhatWasRead)
{
    InfoCacheFile shortFile;
    shortFile.count = 3;
    shortFile.entries = {Zoomed(u"C:\\one.jww")};
    shortFile.settings = kFileSettings;
    std::vector<uint8_t> bytes = WriteInfoCacheFile(shortFile);
    bytes.resize(bytes.size() - 8);  // no settings, no background
    std::wstring path = m_folder.Write(L"short.dat", std::string(bytes.begin(), bytes.end()));
    EXPECT_FALSE(m_cache.Load(path.c_str()));
    EXPECT_EQ(m_cache.GetPaths(), std::vector<CStringW>{L"C:\\one.jww"});
    EXPECT_EQ(theApp.m_settings, kOldSettings);

    InfoCacheFile huge;
    huge.count = INT_MAX;
    EXPECT_FALSE(m_cache.Load(WriteCacheFile(huge, L"huge.dat").c_str()));
    EXPECT_TRUE(m_cache.GetPaths().empty());

    // A path that claims more characters than the file holds, and a file
    // that ends inside its version.
    ByteWriter longPath;
    longPath.U32(kCache20191107);
    longPath.U32(1);
    longPath.U8(0xFF);
    longPath.U16(0xFFFE);
    longPath.U8(0xFF);
    longPath.U16(0x1000);
    longPath.Raw("ab", 2);
    EXPECT_FALSE(m_cache.Load(WriteBytes(longPath.Bytes(), L"path.dat").c_str()));
    EXPECT_FALSE(m_cache.Load(m_folder.Write(L"tiny.dat", "\x83\x17").c_str()));
    EXPECT_FALSE(m_cache.Load(m_folder.At(L"missing.dat").c_str()));
    EXPECT_TRUE(m_cache.GetPaths().empty());
    EXPECT_EQ(theApp.m_settings, kOldSettings);
}

// A count of zero or less reads no entries and still reads the settings.
TEST_F(InfoCacheFileTest, NegativeCountReadsNoEntries)
{
    InfoCacheFile file;
    file.count = -4;
    file.settings = kFileSettings;
    EXPECT_TRUE(m_cache.Load(WriteCacheFile(file).c_str()));
    EXPECT_TRUE(m_cache.GetPaths().empty());
    EXPECT_EQ(theApp.m_settings, kFileSettings);
}

// A saved file loads back to the same cache: saving it again writes the
// same bytes.
TEST_F(InfoCacheFileTest, SavedFileLoadsBack)
{
    InfoCacheFile file;
    InfoCacheFileEntry entry = Zoomed(u"C:\\x.jww");
    entry.width = 800;
    entry.height = 600;
    entry.fileTime = -1;
    entry.viewSet = true;
    file.entries = {entry, Zoomed(u"C:\\y.jww", 512)};
    file.settings = kFileSettings;
    ASSERT_TRUE(m_cache.Load(WriteCacheFile(file).c_str()));
    std::wstring first = m_folder.At(L"first.dat"), second = m_folder.At(L"second.dat");
    ASSERT_TRUE(m_cache.Save(first.c_str()));
    ASSERT_TRUE(m_cache.Load(first.c_str()));
    ASSERT_TRUE(m_cache.Save(second.c_str()));
    EXPECT_EQ(ReadFileBytes(first), ReadFileBytes(second));
    SavedCacheFile saved = ParseSavedCacheFile(ReadFileBytes(second));
    ASSERT_EQ(saved.entries.size(), 2u);
    EXPECT_EQ(saved.entries[0].fileTime, -1);
    EXPECT_EQ(saved.entries[0].viewSet, 1);
    EXPECT_EQ(saved.settings, kFileSettings);
}
