// The robustness suite: thousands of damaged drawings of every kind through
// the exported functions. Every call must come back with its result or its
// failure, quickly, and leave no handle or GDI object behind.
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <memory>
#include <string>
#include "support/LibraryModule.h"
#include "support/ScratchFolder.h"
#include "support/TavrenaLibrary.h"
#include "../render/DibPixels.h"
#include "DrawingMutator.h"
#include "SeedDrawings.h"

namespace {
const HRESULT kFailed = static_cast<HRESULT>(0x80004001);
const int kFiles = 2000;
const int kWarmUpFiles = 40;
// Damaged files rotate through a few names, so that the info cache keeps a
// few readers, not thousands.
const int kSlots = 16;
const DWORD kSlowCallMs = 2000;

struct ResourceCounts {
    DWORD handles = 0;
    DWORD gdiObjects = 0;
};

// Where the system cannot count (Wine answers 0), the handles and GDI
// objects are counted by trying every handle value they can have.
DWORD CountHandles()
{
    DWORD count = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &count) && count > 0)
        return count;
    for (ULONG_PTR value = 4; value < 0x40000; value += 4) {
        DWORD flags = 0;
        count += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) ? 1 : 0;
    }
    return count;
}

DWORD CountGdiObjects()
{
    DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (count > 0)
        return count;
    for (ULONG_PTR index = 1; index < 0x10000; ++index)
        count += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0 ? 1 : 0;
    return count;
}

ResourceCounts Counts()
{
    ResourceCounts counts;
    counts.handles = CountHandles();
    counts.gdiObjects = CountGdiObjects();
    return counts;
}

std::wstring Extension(const std::wstring& name)
{
    size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos ? L".jww" : name.substr(dot);
}

// Each write gets a later time, so the cache reads the new damage.
void SetWriteTime(const std::wstring& path, int round)
{
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    SYSTEMTIME base = {2020, 1, 0, 1, 0, 0, 0, 0};
    FILETIME time;
    SystemTimeToFileTime(&base, &time);
    ULARGE_INTEGER t = {{time.dwLowDateTime, time.dwHighDateTime}};
    t.QuadPart += static_cast<ULONGLONG>(round) * 2 * 10000000ULL;
    time.dwLowDateTime = t.LowPart;
    time.dwHighDateTime = t.HighPart;
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
}

class MutatedDrawings : public ::testing::Test {
protected:
    MutatedDrawings() : m_module(L"Tavrena.dll"), m_library(m_module.Handle()) {}

    // One damaged file through both exports. The first calls of a process
    // (fonts, GDI+, the cache folder) are not timed.
    void Check(const std::wstring& path, const std::string& what, bool timed)
    {
        ATL::CComBSTR text;
        DWORD start = GetTickCount();
        HRESULT info = m_library.GetZumenInfo(path.c_str(), std::addressof(text));
        DWORD infoTime = GetTickCount() - start;
        EXPECT_TRUE(info == S_OK || info == kFailed) << what << ": GetZumenInfo " << std::hex << info;
        HBITMAP sentinel = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(0x5A5A));
        HBITMAP bitmap = sentinel;
        start = GetTickCount();
        HRESULT image = m_library.GetZumenImage(256, path.c_str(), &bitmap, nullptr);
        DWORD imageTime = GetTickCount() - start;
        if (timed) {
            m_slowest = std::max({m_slowest, infoTime, imageTime});
            EXPECT_LT(std::max(infoTime, imageTime), kSlowCallMs) << what;
        }
        if (image == S_OK) {
            ++m_thumbnails;
            DibPixels pixels(bitmap);
            EXPECT_TRUE(pixels.Valid() && pixels.Width() == 256 && pixels.Height() == 256) << what;
            DeleteObject(bitmap);
        } else {
            EXPECT_EQ(image, kFailed) << what;
            EXPECT_EQ(bitmap, sentinel) << what << ": a failure writes no bitmap";
        }
    }

    LibraryModule m_module;
    TavrenaLibrary m_library;
    ScratchFolder m_folder;
    DWORD m_slowest = 0;
    int m_thumbnails = 0;
};
}

TEST_F(MutatedDrawings, EveryCallReturnsAndNothingLeaks)
{
    ASSERT_TRUE(m_module.IsLoaded());
    ASSERT_TRUE(m_library.Complete());
    std::vector<SeedDrawing> seeds = SeedDrawings();
    ASSERT_GE(seeds.size(), 5u);
    DrawingMutator mutator(20240611);
    ResourceCounts before;
    for (int round = 0; round < kFiles; ++round) {
        if (round == kWarmUpFiles)
            before = Counts();
        const SeedDrawing& seed = seeds[round % seeds.size()];
        auto kind = static_cast<DrawingMutator::Kind>(round / seeds.size() % int(DrawingMutator::Kind::Count));
        std::string note;
        std::vector<uint8_t> bytes = mutator.Mutate(seed.bytes, kind, note);
        std::wstring name = L"slot" + std::to_wstring(round % kSlots) + Extension(seed.name);
        std::wstring path = m_folder.Write(name, std::string(bytes.begin(), bytes.end()));
        SetWriteTime(path, round);
        std::string what = "round " + std::to_string(round) + " (" + note + ")";
        Check(path, what, round >= kWarmUpFiles);
        if (HasFailure())
            break;
    }
    ResourceCounts after = Counts();
    EXPECT_LE(after.handles, before.handles + 4) << "handles";
    EXPECT_LE(after.gdiObjects, before.gdiObjects) << "GDI objects";
    std::printf("[ robustness ] %d damaged files, %d thumbnails, slowest call %lu ms, handles %lu -> %lu, GDI "
                "objects %lu -> %lu\n",
                kFiles, m_thumbnails, static_cast<unsigned long>(m_slowest), static_cast<unsigned long>(before.handles),
                static_cast<unsigned long>(after.handles), static_cast<unsigned long>(before.gdiObjects),
                static_cast<unsigned long>(after.gdiObjects));
}
