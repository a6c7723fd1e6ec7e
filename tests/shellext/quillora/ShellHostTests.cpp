// The road Explorer goes, through ShellHost.exe: the registered handlers,
// created in-process, give the library's info tip and thumbnail.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "PngFacts.h"
#include "QuilloraServer.h"
#include "QuilloraTestSupport.h"
#include "SampleDrawings.h"

namespace {

std::string HexResult(HRESULT hr)
{
    char text[16];
    snprintf(text, sizeof(text), "0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

struct HostRun {
    ChildResult child;
    std::wstring png;
};

HostRun RunShellHost(const ScratchFolder& folder, const std::wstring& drawing)
{
    HostRun run;
    run.png = folder.At(std::filesystem::path(drawing).filename().wstring() + L".png");
    run.child = RunChild(Quoted(BinFile(L"ShellHost.exe")) + L" " + Quoted(drawing) + L" " + Quoted(run.png));
    return run;
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// inkExpected: a drawing with entities, rather than a bare header.
void ExpectExplorersView(const std::wstring& drawing, bool inkExpected)
{
    SCOPED_TRACE(Utf8(drawing));
    ScratchFolder folder;
    HostRun run = RunShellHost(folder, drawing);
    ASSERT_TRUE(run.child.finished);

    EXPECT_EQ(Utf8(LibraryInfoText(drawing)) + "\n", run.child.out);
    EXPECT_TRUE(Contains(run.child.err, "GetInfoTip: 0x00000000")) << run.child.err;
    // Explorer asks asynchronously: E_PENDING, with the location filled.
    EXPECT_TRUE(Contains(run.child.err, "GetLocation: 0x8000000A " + Utf8(drawing))) << run.child.err;

    LibraryImage library = LibraryThumbnail(drawing, 256);
    EXPECT_TRUE(Contains(run.child.err, "Extract: " + HexResult(library.result))) << run.child.err;
    if (library.result != S_OK) {
        EXPECT_EQ(1u, run.child.exitCode);
        return;
    }
    EXPECT_EQ(0u, run.child.exitCode) << run.child.err;
    // Explorer's 96-pixel request still gets the library's 256 pixels.
    EXPECT_TRUE(Contains(run.child.err, "Extract: 0x00000000 256 x 256, 24 bits")) << run.child.err;
    PngFacts png = ReadPngFacts(run.png);
    ASSERT_TRUE(png.read);
    EXPECT_EQ(256, png.width);
    EXPECT_EQ(256, png.height);
    EXPECT_EQ(8, png.bitDepth);
    EXPECT_EQ(2, png.colorType);
    EXPECT_EQ(library.inkPixels, png.inkPixels) << "the library's picture, unchanged";
    if (inkExpected) {
        EXPECT_GT(png.inkPixels, 0);
    }
}

TEST(ShellHostRoad, SampleDrawingsShowTheLibrarysTipAndThumbnail)
{
    std::vector<std::wstring> samples = SampleDrawingFiles();
    if (samples.empty())
        GTEST_SKIP() << "no sample drawings";
    for (const std::wstring& sample : samples)
        ExpectExplorersView(sample, true);
}

TEST(ShellHostRoad, EachDrawingKindShowsTheLibrarysTipAndThumbnail)
{
    DrawingFixtures fixtures;
    for (size_t i = 0; i < fixtures.Paths().size(); ++i)
        ExpectExplorersView(fixtures.Paths()[i], i < 2);
}

TEST(ShellHostRoad, FileWithoutHandlerIsReported)
{
    ScratchFolder folder;
    std::wstring text = folder.Write(L"note.jwq", "not a drawing");
    HostRun run = RunShellHost(folder, text);
    ASSERT_TRUE(run.child.finished);
    EXPECT_EQ(1u, run.child.exitCode);
    EXPECT_TRUE(Contains(run.child.err, "info tip handler: " + HexResult(REGDB_E_CLASSNOTREG))) << run.child.err;
    EXPECT_TRUE(Contains(run.child.err, "thumbnail handler: " + HexResult(REGDB_E_CLASSNOTREG))) << run.child.err;
}

}  // namespace
