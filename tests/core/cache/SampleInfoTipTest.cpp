// The info tip of each real drawing in the shared samples folder, through the
// library's export, against the test's own reading of the file's header.
#include <gtest/gtest.h>
#include <afx.h>
#include <atlbase.h>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>
#include "SampleDrawings.h"
#include "LanguageIds.h"
#include "SavedCacheFile.h"
#include "support/LibraryModule.h"
#include "support/TavrenaLibrary.h"

namespace {
// What the tip shows of a drawing header, read without the library.
struct HeaderPeek {
    bool read = false;
    uint32_t version = 0;
    std::wstring memo;
    uint32_t paper = 0;
    double scale = 0;  // of the write group
};

class Bytes {
public:
    explicit Bytes(const std::vector<uint8_t>& bytes) : m_bytes(bytes) {}

    template <class T>
    bool Take(T& value)
    {
        if (m_at + sizeof value > m_bytes.size())
            return false;
        std::memcpy(&value, m_bytes.data() + m_at, sizeof value);
        m_at += sizeof value;
        return true;
    }
    bool Skip(size_t count)
    {
        m_at += count;
        return m_at <= m_bytes.size();
    }
    // A string of the stream: Shift-JIS bytes or UTF-16 units.
    bool Text(std::wstring& text)
    {
        bool utf16 = false;
        uint32_t length = 0;
        if (!Length(length, utf16))
            return false;
        size_t size = length * (utf16 ? 2 : 1);
        if (m_at + size > m_bytes.size())
            return false;
        const char* start = reinterpret_cast<const char*>(m_bytes.data() + m_at);
        if (utf16) {
            text.assign(reinterpret_cast<const wchar_t*>(start), length);
        } else {
            text.resize(length);
            int units = static_cast<int>(length);
            text.resize(MultiByteToWideChar(932, 0, start, units, &text[0], units));
        }
        m_at += size;
        return true;
    }

private:
    bool Length(uint32_t& length, bool& utf16)
    {
        uint8_t small = 0;
        uint16_t word = 0;
        if (!Take(small))
            return false;
        if (small < 0xFF) {
            length = small;
            return true;
        }
        if (!Take(word))
            return false;
        if (word == 0xFFFE) {
            utf16 = true;
            return Length(length, utf16);
        }
        if (word < 0xFFFF) {
            length = word;
            return true;
        }
        return Take(length);
    }

    const std::vector<uint8_t>& m_bytes;
    size_t m_at = 0;
};

HeaderPeek Peek(const std::wstring& path)
{
    const size_t kGroupRecord = 4 + 4 + 8 + 4 + 16 * 8;
    HeaderPeek peek;
    std::vector<uint8_t> bytes = ReadFileBytes(path);
    Bytes in(bytes);
    uint32_t writeGroup = 0;
    if (!in.Skip(8) || !in.Take(peek.version) || !in.Text(peek.memo) || !in.Take(peek.paper) ||
        !in.Take(writeGroup) || !in.Skip((writeGroup & 15) * kGroupRecord + 8) || !in.Take(peek.scale))
        return peek;
    peek.read = true;
    return peek;
}

// The memo's first line, as the tip shows it.
std::wstring FirstLine(std::wstring memo)
{
    const wchar_t kSpace[] = L" \t\r\n";
    memo.erase(0, memo.find_first_not_of(kSpace));
    return memo.substr(0, memo.find_first_of(L"\r\n"));
}

const wchar_t* PaperName(uint32_t code)
{
    const wchar_t* const kNames[] = {L"A0", L"A1", L"A2", L"A3", L"A4", L"", L"", L"", L"2A",
                                     L"3A", L"4A", L"5A", L"10m", L"50m", L"100m"};
    return code < 15 ? kNames[code] : L"";
}

std::string Narrow(const std::wstring& text)
{
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &narrow[0], size, nullptr, nullptr);
    narrow.resize(size - 1);
    return narrow;
}

template <class... Args>
CStringW Filled(const std::wstring& format, Args... args)
{
    CStringW text;
    text.Format(format.c_str(), args...);
    return text;
}

// The main template of a drawing filled from the peeked header.
CStringW MainText(const TavrenaLibrary& library, const std::wstring& name, const std::wstring& path,
                  const HeaderPeek& peek)
{
    CFileStatus status;
    CFile::GetStatus(path.c_str(), status);
    CStringW size = Filled(L"%.1f KB", status.m_size / 1024.0);
    CStringW numerator = L"1";
    int32_t denominator = peek.scale >= 1.0 ? static_cast<int32_t>(peek.scale) : 1;
    if (peek.scale > 0 && peek.scale < 1) {
        int32_t tenths = static_cast<int32_t>(std::lround(10 / peek.scale));
        numerator = tenths % 10 ? Filled(L"%d.%d", tenths / 10, tenths % 10) : Filled(L"%d", tenths / 10);
        denominator = 1;
    }
    std::wstring title = name.substr(0, name.rfind(L'.'));
    return Filled(library.LanguageString(IDS_INFO_DRAWING), L"JWW", size.GetString(), title.c_str(),
                  FirstLine(peek.memo).c_str(), status.m_mtime.Format(L"%Y/%m/%d %H:%M").GetString(),
                  PaperName(peek.paper), numerator.GetString(), denominator);
}
}

TEST(SampleInfoTip, EachDrawingShowsItsHeader)
{
    std::vector<std::wstring> paths = SampleDrawingFiles({L"*.jww"});
    if (paths.empty())
        GTEST_SKIP() << "no sample drawings";
    LibraryModule module(L"Tavrena.dll");
    ASSERT_TRUE(module.IsLoaded());
    TavrenaLibrary library(module.Handle());
    ASSERT_TRUE(library.Complete());
    std::wstring countText = library.LanguageString(IDS_INFO_ENTITY_COUNT);
    std::wstring countLead = countText.substr(0, countText.find(L'%'));
    ASSERT_FALSE(countLead.empty());

    for (const std::wstring& path : paths) {
        std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
        SCOPED_TRACE(Narrow(name));
        HeaderPeek peek = Peek(path);
        ASSERT_TRUE(peek.read);
        ATL::CComBSTR text;
        ASSERT_EQ(library.GetZumenInfo(path.c_str(), std::addressof(text)), S_OK);
        std::wstring tip(text.m_str ? text.m_str : L"");

        std::wstring main(MainText(library, name, path, peek).GetString());
        EXPECT_EQ(tip.substr(0, main.size()), main) << Narrow(tip);
        std::wstring version(Filled(library.LanguageString(IDS_INFO_VERSION), peek.version / 100.0).GetString());
        ASSERT_GE(tip.size(), version.size());
        EXPECT_EQ(tip.substr(tip.size() - version.size()), version);
        EXPECT_EQ(tip.find(countLead), std::wstring::npos) << "the tip reads the header only";
    }
}
