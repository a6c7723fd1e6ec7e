// Damaged .jwc and .jwk files: the readers keep what they could read, mark
// the load failed, never read outside their buffers, never allocate more
// than the file holds and never loop for long.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>

#include "JwcTestSupport.h"
#include "cache/InfoText.h"
#include "core/figures/AllocationCounter.h"
#include "figures/B_FigLine.h"
#include "figures/B_FigText.h"
#include "records/DrawData.h"
#include "writer/JwcWriter.h"

using namespace jwwrite;

namespace {

const int kAnyCount = -1;

struct MalformedCase {
    const char* name;
    std::vector<uint8_t> bytes;
    const wchar_t* fileName;
    int figures;     // figures kept by a load without progress window
    bool complete;   // whether that load read every record
};

JwcDrawing BaseDrawing()
{
    JwcDrawing drawing;
    drawing.headerPoints = {{1, 1, 0}, {2, 2, 0}};
    drawing.lines = {{0, 0, 1, 1, 1, 1, 0}, {0, 0, 2, 2, 1, 2, 1}, {0, 0, 3, 3, 1, 3, 2}};
    drawing.curves = {{5, 5, 1}, {5, 5, 2, 5000, 0, 90 * 65536, 0}};
    JwcText second;
    second.stringOffset = 3;
    drawing.texts = {JwcText{}, second};
    drawing.strings = std::string("ab\0cd\0", 6);
    drawing.points = {{1, 2, 0, 1, 0}, {3, 4, 0, 1, 0x40}};
    return drawing;
}

std::vector<uint8_t> Jwc(const std::function<void(JwcDrawing&)>& change)
{
    JwcDrawing drawing = BaseDrawing();
    change(drawing);
    return WriteJwc(drawing);
}

JwkSymbol BaseSymbol()
{
    JwkSymbol symbol;
    symbol.lines = {{0, 0, 1, 1, 1, 1, 0}, {0, 0, 2, 2, 1, 1, 0}, {0, 0, 3, 3, 1, 1, 0}};
    symbol.curves = {{0, 0, 4}};
    symbol.points = {{1, 1, 0, 1, 0}};
    JwcText second;
    second.stringOffset = 3;
    symbol.texts = {JwcText{}, second};
    symbol.strings = std::string("ab\0cd\0", 6);
    return symbol;
}

std::vector<uint8_t> Jwk(const std::function<void(JwkSymbol&)>& change)
{
    JwkSymbol symbol = BaseSymbol();
    change(symbol);
    return WriteJwk(symbol);
}

std::vector<uint8_t> Cut(std::vector<uint8_t> bytes, size_t length)
{
    bytes.resize(length);
    return bytes;
}

// Sections of the base drawing: header 1829 + layer block 560, then 3 lines,
// 2 curves, 2 texts, 6 string bytes, 2 points, names.
const size_t kLines = 2389, kCurves = kLines + 66, kTexts = kCurves + 64, kStrings = kTexts + 48,
             kPoints = kStrings + 6, kNames = kPoints + 24;
// Sections of the base part: 3 lines, 1 curve, 1 point, 2 texts, strings.
const size_t kPartCurves = 400 + 66, kPartPoints = kPartCurves + 32, kPartTexts = kPartPoints + 12,
             kPartStrings = kPartTexts + 48;

std::vector<MalformedCase> Cases()
{
    auto main = [](int field, const char* value) {
        return [=](JwcDrawing& d) { d.mainFields[field] = value; };
    };
    auto part = [](int field, const char* value) {
        return [=](JwkSymbol& s) { s.fields[field] = value; };
    };
    std::vector<uint8_t> jwc = WriteJwc(BaseDrawing());
    std::vector<uint8_t> jwk = WriteJwk(BaseSymbol());
    std::vector<uint8_t> noisyHeader = jwc;
    std::fill(noisyHeader.begin() + 20, noisyHeader.begin() + 2400, 0xFF);
    return {
        {"valid drawing", jwc, L"a.jwc", 11, true},
        {"negative line count", Jwc(main(1, "-5")), L"a.jwc", kAnyCount, false},
        {"largest line count", Jwc(main(1, "2147483647")), L"a.jwc", kAnyCount, false},
        {"line count beyond 32 bits", Jwc(main(1, "1e30")), L"a.jwc", kAnyCount, false},
        {"curve count of 4 GiB records", Jwc(main(2, "4294967295")), L"a.jwc", kAnyCount, false},
        {"count not a number", Jwc(main(3, "nan")), L"a.jwc", kAnyCount, true},
        {"500 header points", Jwc(main(5, "500")), L"a.jwc", 109, false},
        {"negative header points", Jwc(main(5, "-1")), L"a.jwc", kAnyCount, false},
        {"string area of 4 GiB", Jwc([](JwcDrawing& d) { d.stringPointers = "0,0,ffff,ffff,"; }), L"a.jwc", 9, false},
        {"negative string area", Jwc([](JwcDrawing& d) { d.stringPointers = "0,20,0,0,"; }), L"a.jwc", kAnyCount, false},
        {"string pointers not hex", Jwc([](JwcDrawing& d) { d.stringPointers = "zz"; }), L"a.jwc", kAnyCount, true},
        {"text offsets outside the area",
         Jwc([](JwcDrawing& d) {
             d.texts[0].stringOffset = 0xFFFFFFFF;
             d.texts[1].stringOffset = 70000;
             d.texts.push_back(JwcText{});
             d.texts.back().stringOffset = 1000;
             d.mainFields[3] = "3";
         }),
         L"a.jwc", 12, true},
        {"scale and view not numbers",
         Jwc([](JwcDrawing& d) {
             d.mainFields[10] = "nan";
             d.mainFields[31] = "-1";
             d.viewFields = {{26, "1e308"}, {27, "-1e308"}, {28, "nan"}};
         }),
         L"a.jwc", 11, true},
        {"main text without separators", Jwc([](JwcDrawing& d) { d.mainFields = {{1, std::string(199, '7')}}; }),
         L"a.jwc", kAnyCount, true},
        {"header all 0xFF", noisyHeader, L"a.jwc", 0, true},
        {"one byte short of a header", Cut(jwc, 2399), L"a.jwc", 0, false},
        {"cut after the header", Cut(jwc, 2400), L"a.jwc", 2, false},
        {"cut inside the lines", Cut(jwc, kLines + 2 * 22 + 10), L"a.jwc", 4, false},
        {"cut inside the curves", Cut(jwc, kCurves + 40), L"a.jwc", 6, false},
        {"cut inside the string area", Cut(jwc, kStrings + 4), L"a.jwc", 9, false},
        {"cut inside the points", Cut(jwc, kPoints + 13), L"a.jwc", 10, false},
        {"cut inside the names", Cut(jwc, kNames + 100), L"a.jwc", 11, true},
        {"valid part", jwk, L"a.jwk", 7, true},
        {"part line count -1", Jwk(part(1, "-1")), L"a.jwk", kAnyCount, false},
        {"part string area beyond the file", Jwk(part(8, "65535")), L"a.jwk", 7, false},
        {"part counts beyond 16 bits", Jwk(part(2, "1e30")), L"a.jwk", kAnyCount, false},
        {"part scale zero", Jwk(part(7, "0")), L"a.jwk", 7, true},
        {"part cut at its records", Cut(jwk, 400), L"a.jwk", 0, false},
        {"part cut inside the curves", Cut(jwk, kPartCurves + 31), L"a.jwk", 3, false},
        {"part cut inside the texts", Cut(jwk, kPartTexts + 30), L"a.jwk", 6, false},
        {"part cut inside the strings", Cut(jwk, kPartStrings + 2), L"a.jwk", 7, false},
        {"part of 399 bytes", Cut(jwk, 399), L"a.jwk", 0, false},
        {"part of 250 bytes", Cut(jwk, 250), L"a.jwk", 0, false},
    };
}

// Draws nothing, but runs every view set-up on whatever was read.
void SetUpViews(CJwCADBase* reader)
{
    for (bool whole : {true, false}) {
        reader->m_wholeDrawing = whole;
        reader->SetupView();
    }
    DrawData request;
    request.viewWidth = 300;
    request.viewHeight = 200;
    reader->FitForPreview(&request);
}

// The largest block the road of a load and a header read needs whatever the
// file holds (the reader, the load thread's state), taken with a tiny file.
size_t FixedCostOfALoad()
{
    std::vector<uint8_t> tiny = Cut(WriteJwk(JwkSymbol()), 400);
    ResetLargestAllocation();
    {
        LoadedDrawing loaded(tiny, L"tiny.jwk");
        ReadHeaderAnswers(loaded.Path());
    }
    return LargestAllocation();
}

TEST(JwcMalformed, DamagedFilesKeepWhatWasRead)
{
    const size_t fixedCost = FixedCostOfALoad();
    for (const MalformedCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        auto started = std::chrono::steady_clock::now();
        ResetLargestAllocation();
        LoadedDrawing loaded(c.bytes, c.fileName);
        ProgressSink sink;
        LoadedDrawing withProgress(c.bytes, c.fileName, sink.Window());
        HeaderAnswers answers = ReadHeaderAnswers(loaded.Path());
        size_t largest = LargestAllocation();
        BSTR text = nullptr;
        BuildZumenInfo(loaded.Path().c_str(), &text);
        SysFreeString(text);
        ASSERT_NE(loaded.Reader(), nullptr);
        SetUpViews(loaded.Reader());
        SetUpViews(withProgress.Reader());
        auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);

        EXPECT_LE(largest, std::max(c.bytes.size(), fixedCost));
        EXPECT_LT(elapsed.count(), 1000);
        if (c.figures != kAnyCount) {
            EXPECT_EQ(loaded.Figures().size(), static_cast<size_t>(c.figures));
        }
        EXPECT_EQ(loaded.Complete(), c.complete);
        EXPECT_EQ(withProgress.Complete(), c.complete);
        sink.Take();
    }
}

// The bytes of a file that was cut after it was opened: it still tells its
// old length, but reads stop where the bytes now end.
struct ShrunkBytes {
    std::vector<uint8_t> bytes;
};

class ShrunkFile : private ShrunkBytes, public CMemFile {
public:
    ShrunkFile(std::vector<uint8_t> whole, size_t kept)
        : ShrunkBytes{std::move(whole)}, CMemFile(bytes.data(), static_cast<UINT>(kept)), m_told(bytes.size())
    {
    }
    ULONGLONG GetLength() const override { return m_told; }

private:
    ULONGLONG m_told;
};

// A short read ends the section there: no figure is made of the bytes a
// buffer held before (the lines of the previous chunk, or string bytes that
// never arrived), and the load fails.
TEST(JwcMalformed, ShortReadsEndTheSection)
{
    JwcDrawing many;
    for (int i = 0; i < 2100; ++i)  // more lines than one chunk of the reader holds
        many.lines.push_back({0, static_cast<float>(i), 1, static_cast<float>(i), 1, 1, 0});
    many.texts = BaseDrawing().texts;
    many.strings = BaseDrawing().strings;
    {
        JwcProbe reader;
        ShrunkFile file(WriteJwc(many), kLines + 2060 * 22 + 5);
        EXPECT_FALSE(reader.Load(&file));
        ASSERT_EQ(reader.m_figures.GetCount(), 2060);
        int index = 0;
        for (POSITION at = reader.m_figures.GetHeadPosition(); at; ++index) {
            B_FigLine* line = FigCast<B_FigLine>(reader.m_figures.GetNext(at)->fig);
            ASSERT_NE(line, nullptr);
            EXPECT_EQ(line->line.first.y, index);
        }
    }
    {
        JwcProbe reader;
        ShrunkFile file(WriteJwc(BaseDrawing()), kStrings + 3);  // "ab\0" of "ab\0cd\0"
        EXPECT_FALSE(reader.Load(&file));
        EXPECT_EQ(reader.m_figures.GetCount(), 9);
        std::vector<CStringW> texts;
        for (POSITION at = reader.m_figures.GetHeadPosition(); at;) {
            if (B_FigText* text = FigCast<B_FigText>(reader.m_figures.GetNext(at)->fig))
                texts.push_back(text->text);
        }
        EXPECT_EQ(texts, (std::vector<CStringW>{L"ab", L""}));
    }
}

}  // namespace
