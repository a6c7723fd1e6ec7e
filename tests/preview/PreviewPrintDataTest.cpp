// "PrintData.dat": what is saved loads back byte for byte, and a file that
// is foreign, cut short or has counts and offsets that point outside what
// is there loads as nothing at all (the print button then asks).
#include <gtest/gtest.h>
#include <windows.h>
#include <commdlg.h>
#include <cstddef>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>
#include "PrintData.h"
#include "support/ScratchFolder.h"

namespace {
const wchar_t kTestDriver[] = L"winspool";
const wchar_t kTestDevice[] = L"Jw Test Printer";
const wchar_t kTestOutput[] = L"CUPS:JwTest";
const WORD kTestDriverExtra = 24;

HGLOBAL BlockOf(const std::vector<BYTE>& bytes)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    return block;
}

std::vector<BYTE> BytesOf(HGLOBAL block)
{
    const BYTE* data = static_cast<const BYTE*>(GlobalLock(block));
    std::vector<BYTE> bytes(data, data + GlobalSize(block));
    GlobalUnlock(block);
    return bytes;
}

// A DEVNAMES block as the print dialog returns it: the header and the
// three strings packed after it.
std::vector<BYTE> TestDevNames()
{
    std::vector<BYTE> bytes(sizeof(DEVNAMES));
    DEVNAMES header = {};
    header.wDefault = DN_DEFAULTPRN;
    WORD* offsets[] = {&header.wDriverOffset, &header.wDeviceOffset, &header.wOutputOffset};
    const wchar_t* texts[] = {kTestDriver, kTestDevice, kTestOutput};
    for (int i = 0; i < 3; ++i) {
        *offsets[i] = static_cast<WORD>(bytes.size() / sizeof(wchar_t));
        const BYTE* text = reinterpret_cast<const BYTE*>(texts[i]);
        bytes.insert(bytes.end(), text, text + (wcslen(texts[i]) + 1) * sizeof(wchar_t));
    }
    std::memcpy(bytes.data(), &header, sizeof header);
    return bytes;
}

std::vector<BYTE> TestDevMode()
{
    std::vector<BYTE> bytes(sizeof(DEVMODEW) + kTestDriverExtra);
    DEVMODEW mode = {};
    wcscpy(mode.dmDeviceName, kTestDevice);
    mode.dmSize = sizeof mode;
    mode.dmDriverExtra = kTestDriverExtra;
    mode.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH;
    mode.dmPaperSize = DMPAPER_A4;
    mode.dmPaperLength = 2970;
    mode.dmPaperWidth = 2100;
    std::memcpy(bytes.data(), &mode, sizeof mode);
    for (WORD i = 0; i < kTestDriverExtra; ++i)
        bytes[sizeof mode + i] = static_cast<BYTE>(0xA0 + i);
    return bytes;
}

std::vector<BYTE> ReadAll(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::wstring& path, const std::vector<BYTE>& bytes)
{
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void PutCount(std::vector<BYTE>& file, size_t at, uint32_t value)
{
    std::memcpy(&file[at], &value, sizeof value);
}

class PreviewPrintDataTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pd.lStructSize = sizeof m_pd;
        m_pd.hDevNames = BlockOf(TestDevNames());
        m_pd.hDevMode = BlockOf(TestDevMode());
    }
    void TearDown() override
    {
        GlobalFree(m_pd.hDevNames);
        GlobalFree(m_pd.hDevMode);
    }

    // The offsets of the parts of a saved file.
    static size_t NamesCountAt() { return 4 + sizeof(PRINTDLGEXW); }
    static size_t NamesAt() { return NamesCountAt() + 4; }
    static size_t ModeCountAt() { return NamesAt() + TestDevNames().size(); }
    static size_t ModeAt() { return ModeCountAt() + 4; }

    ScratchFolder m_scratch;
    std::wstring m_path = m_scratch.Path() + L"\\" + kPrintDataFileName;
    PRINTDLGEXW m_pd = {};
};

TEST_F(PreviewPrintDataTest, SavedChoiceLoadsBackByteForByte)
{
    ASSERT_TRUE(SavePrintDataFile(m_path.c_str(), m_pd));
    const std::vector<BYTE> file = ReadAll(m_path);
    ASSERT_EQ(file.size(), ModeAt() + TestDevMode().size());
    uint32_t magic = 0;
    std::memcpy(&magic, file.data(), 4);
    EXPECT_EQ(magic, 20191010u);
    EXPECT_EQ(magic, 0x01341722u);

    PRINTDLGEXW loaded = {};
    ASSERT_TRUE(LoadPrintDataFile(m_path.c_str(), loaded));
    EXPECT_EQ(BytesOf(loaded.hDevNames), TestDevNames());
    EXPECT_EQ(BytesOf(loaded.hDevMode), TestDevMode());
    GlobalFree(loaded.hDevNames);
    GlobalFree(loaded.hDevMode);
}

// Saving writes only what lies inside the blocks, packed: strings that run
// past their block, or a DEVMODE whose own sizes claim more than its block,
// write nothing; loose DEVNAMES strings are written packed.
TEST_F(PreviewPrintDataTest, SavingWritesOnlyWhatTheBlocksHold)
{
    struct Case {
        const char* name;
        std::function<void(std::vector<BYTE>& names, std::vector<BYTE>& mode)> damage;
    } cases[] = {
        {"device offset past the block", [](auto& names, auto&) { reinterpret_cast<DEVNAMES*>(names.data())->wDeviceOffset = 4000; }},
        {"output string without terminator", [](auto& names, auto&) { names.pop_back(); names.pop_back(); }},
        {"offset into the header", [](auto& names, auto&) { reinterpret_cast<DEVNAMES*>(names.data())->wDriverOffset = 1; }},
        {"driver extra past the block", [](auto&, auto& mode) { reinterpret_cast<DEVMODEW*>(mode.data())->dmDriverExtra = 5000; }},
        {"dmSize too small", [](auto&, auto& mode) { reinterpret_cast<DEVMODEW*>(mode.data())->dmSize = 40; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<BYTE> names = TestDevNames(), mode = TestDevMode();
        c.damage(names, mode);
        PRINTDLGEXW pd = m_pd;
        pd.hDevNames = BlockOf(names);
        pd.hDevMode = BlockOf(mode);
        DeleteFileW(m_path.c_str());
        EXPECT_FALSE(SavePrintDataFile(m_path.c_str(), pd));
        EXPECT_EQ(GetFileAttributesW(m_path.c_str()), INVALID_FILE_ATTRIBUTES);
        GlobalFree(pd.hDevNames);
        GlobalFree(pd.hDevMode);
    }

    // Strings with a gap between them (a block a driver may hand back) are
    // saved packed, and load as the packed block.
    std::vector<BYTE> loose = TestDevNames();
    DEVNAMES* header = reinterpret_cast<DEVNAMES*>(loose.data());
    const size_t outputAt = header->wOutputOffset * sizeof(wchar_t);
    loose.insert(loose.begin() + outputAt, 6, 0x55);
    header = reinterpret_cast<DEVNAMES*>(loose.data());
    header->wOutputOffset += 3;
    PRINTDLGEXW pd = m_pd;
    pd.hDevNames = BlockOf(loose);
    ASSERT_TRUE(SavePrintDataFile(m_path.c_str(), pd));
    GlobalFree(pd.hDevNames);
    PRINTDLGEXW loaded = {};
    ASSERT_TRUE(LoadPrintDataFile(m_path.c_str(), loaded));
    EXPECT_EQ(BytesOf(loaded.hDevNames), TestDevNames());
    GlobalFree(loaded.hDevNames);
    GlobalFree(loaded.hDevMode);

    PRINTDLGEXW noBlocks = {};
    noBlocks.lStructSize = sizeof noBlocks;
    EXPECT_FALSE(SavePrintDataFile(m_path.c_str(), noBlocks));
}

// Every damaged variant of a good file loads as nothing: no block is
// allocated and the handles stay as they were.
TEST_F(PreviewPrintDataTest, DamagedFilesLoadAsNothing)
{
    ASSERT_TRUE(SavePrintDataFile(m_path.c_str(), m_pd));
    const std::vector<BYTE> good = ReadAll(m_path);
    const size_t deviceOffsetAt = NamesAt() + offsetof(DEVNAMES, wDeviceOffset);
    const size_t dmSizeAt = ModeAt() + offsetof(DEVMODEW, dmSize);
    const size_t extraAt = ModeAt() + offsetof(DEVMODEW, dmDriverExtra);
    struct Case {
        const char* name;
        std::function<void(std::vector<BYTE>&)> damage;
    } cases[] = {
        {"empty file", [](auto& f) { f.clear(); }},
        {"magic only", [](auto& f) { f.resize(4); }},
        {"wrong magic", [](auto& f) { f[0] ^= 1; }},
        {"PRINTDLGEXW cut short", [](auto& f) { f.resize(4 + sizeof(PRINTDLGEXW) / 2); }},
        {"PRINTDLGEXW of the other width", [](auto& f) { PutCount(f, 4, sizeof(PRINTDLGEXW) == 136 ? 84 : 136); }},
        {"no DEVNAMES count", [](auto& f) { f.resize(NamesCountAt() + 2); }},
        {"DEVNAMES cut short", [](auto& f) { f.resize(NamesAt() + 10); }},
        {"DEVNAMES count past the end", [](auto& f) { PutCount(f, NamesCountAt(), 0x7FFFFFF0); }},
        {"DEVNAMES count too small for its header", [](auto& f) { PutCount(f, NamesCountAt(), 4); }},
        {"DEVNAMES count one short", [&](auto& f) { PutCount(f, NamesCountAt(), static_cast<uint32_t>(TestDevNames().size() - 1)); }},
        {"device offset past the block", [&](auto& f) { f[deviceOffsetAt] = 0xFF; f[deviceOffsetAt + 1] = 0x7F; }},
        {"device offset into the header", [&](auto& f) { f[deviceOffsetAt] = 2; f[deviceOffsetAt + 1] = 0; }},
        {"strings without terminators", [&](auto& f) { for (size_t i = NamesAt() + sizeof(DEVNAMES); i < ModeCountAt(); ++i) f[i] = 'A'; }},
        {"no DEVMODE count", [](auto& f) { f.resize(ModeCountAt()); }},
        {"DEVMODE cut short", [](auto& f) { f.resize(ModeAt() + 30); }},
        {"DEVMODE count past the end", [](auto& f) { PutCount(f, ModeCountAt(), 0xFFFFFFFF); }},
        {"DEVMODE count larger than its sizes", [](auto& f) { PutCount(f, ModeCountAt(), static_cast<uint32_t>(TestDevMode().size() + 2)); f.push_back(0); f.push_back(0); }},
        {"dmSize below the paper fields", [&](auto& f) { f[dmSizeAt] = 40; f[dmSizeAt + 1] = 0; }},
        {"driver extra past the block", [&](auto& f) { f[extraAt] = 0xFF; f[extraAt + 1] = 0xFF; }},
        {"device name without terminator", [](auto& f) { for (size_t i = 0; i < CCHDEVICENAME * 2; ++i) f[ModeAt() + i] = 'B'; }},
        {"trailing bytes", [](auto& f) { f.push_back(0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<BYTE> damaged = good;
        c.damage(damaged);
        WriteAll(m_path, damaged);
        PRINTDLGEXW loaded = {};
        EXPECT_FALSE(LoadPrintDataFile(m_path.c_str(), loaded));
        EXPECT_EQ(loaded.hDevNames, nullptr);
        EXPECT_EQ(loaded.hDevMode, nullptr);
    }

    PRINTDLGEXW loaded = {};
    EXPECT_FALSE(LoadPrintDataFile((m_scratch.Path() + L"\\missing.dat").c_str(), loaded));
    EXPECT_EQ(loaded.hDevMode, nullptr);
}
}  // namespace
