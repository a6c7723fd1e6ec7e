// PreviewHost.exe, the stand-in for the shell's preview host, driving the
// registered Lumivex.dll for each sample drawing: the handler is found
// through the extension's preview-handler key, created in-process and shown
// in the host's window.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

#include "LumivexTestSupport.h"
#include "PngFacts.h"
#include "QuilloraTestSupport.h"
#include "SampleDrawings.h"
#include "framework/WindowTestSupport.h"

namespace {

struct PreviewHostRun {
    ChildResult child;
    std::wstring png;
};

PreviewHostRun RunPreviewHost(const std::wstring& drawing, const std::wstring& png, const wchar_t* size = L"320x240")
{
    PreviewHostRun run;
    run.png = png;
    run.child = RunChild(Quoted(BinFile(L"PreviewHost.exe")) + L" " + Quoted(drawing) + L" " + Quoted(png) +
                         L" --size " + size);
    return run;
}

// The lines of the host's report that begin with the call's name.
std::vector<std::string> ReportLinesOf(const std::string& report, const std::string& call)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < report.size()) {
        size_t end = report.find('\n', start);
        std::string line = report.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.compare(0, call.size() + 1, call + ":") == 0)
            lines.push_back(line);
        start = end == std::string::npos ? report.size() : end + 1;
    }
    return lines;
}

std::wstring InfoCacheFile()
{
    wchar_t localAppData[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, localAppData);
    return std::wstring(localAppData) + L"Low\\Norvane\\Quillora\\Quillora.dat";
}

ULONGLONG LastWriteTimeOf(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (ULONGLONG(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

class PreviewHostRoad : public testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(0u, Regsvr32(LumivexDll()).exitCode); }

    // The host's window is taken, a size change before the preview has
    // nothing to move, the preview comes and shows the drawing, and Unload
    // leaves no window behind.
    static void ExpectHandlerContract(const PreviewHostRun& run)
    {
        const std::string& report = run.child.err;
        ASSERT_TRUE(run.child.finished);
        EXPECT_EQ(std::vector<std::string>{"preview handler: 0x00000000"}, ReportLinesOf(report, "preview handler"))
            << report;
        EXPECT_EQ(1u, ReportLinesOf(report, "Initialize").size()) << report;
        EXPECT_EQ(std::vector<std::string>{"SetSite: 0x00000000"}, ReportLinesOf(report, "SetSite")) << report;
        EXPECT_EQ(std::vector<std::string>{"SetWindow: 0x00000000"}, ReportLinesOf(report, "SetWindow")) << report;
        std::vector<std::string> setRects = ReportLinesOf(report, "SetRect");
        ASSERT_EQ(2u, setRects.size()) << report;
        EXPECT_EQ("SetRect: 0x80004005", setRects.front()) << "before DoPreview";
        EXPECT_EQ("SetRect: 0x00000000", setRects.back()) << "after DoPreview";
        EXPECT_EQ(std::vector<std::string>{"DoPreview: 0x00000000"}, ReportLinesOf(report, "DoPreview")) << report;
        EXPECT_EQ(0u, run.child.exitCode) << report;
        EXPECT_EQ(std::vector<std::string>{"Unload: 0x00000000"}, ReportLinesOf(report, "Unload")) << report;
        std::vector<std::string> windows = ReportLinesOf(report, "windows");
        ASSERT_EQ(1u, windows.size()) << report;
        int before = -1;
        int after = -2;
        ASSERT_EQ(2, sscanf(windows.front().c_str(), "windows: %d before, %d after Unload", &before, &after));
        EXPECT_EQ(before, after) << "Unload destroys the preview and the host window";
        PngFacts picture = ReadPngFacts(run.png);
        ASSERT_TRUE(picture.read) << Utf8(run.png);
        EXPECT_EQ(320, picture.width);
        EXPECT_EQ(240, picture.height);
        // The drawing shows in the middle of the pane, even a sparse one of a
        // few thin lines.
        EXPECT_GT(picture.centreInkPixels, 20) << Utf8(run.png);
    }

    ScratchFolder folder_;
};

TEST_F(PreviewHostRoad, EverySampleDrawingGoesThroughTheHandlersContract)
{
    std::vector<std::wstring> samples = SampleDrawingFiles();
    if (samples.empty())
        GTEST_SKIP() << "no sample drawings";
    for (const std::wstring& sample : samples) {
        SCOPED_TRACE(SampleTrace(sample));
        const std::wstring name = sample.substr(sample.find_last_of(L'\\') + 1);
        ExpectHandlerContract(RunPreviewHost(sample, TestOutputFolder() + L"\\preview-" + name + L".png"));
    }
}

TEST_F(PreviewHostRoad, ViewsReachTheInfoCacheFileWhenTheHostEnds)
{
    DrawingFixtures drawings;
    const ULONGLONG before = LastWriteTimeOf(InfoCacheFile());
    PreviewHostRun run = RunPreviewHost(drawings.Drawing(), folder_.At(L"preview.png"));
    ExpectHandlerContract(run);
    EXPECT_GT(LastWriteTimeOf(InfoCacheFile()), before) << Utf8(InfoCacheFile());
}

TEST_F(PreviewHostRoad, WrongCommandLineIsRefused)
{
    ChildResult child = RunChild(Quoted(BinFile(L"PreviewHost.exe")) + L" a.jww --size 0x5");
    ASSERT_TRUE(child.finished);
    EXPECT_EQ(2u, child.exitCode);
}

}  // namespace
