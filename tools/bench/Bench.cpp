// Bench [FOLDER]: prints, for synthetic drawings of 10k, 100k and 1M figures
// and for every drawing in FOLDER, the file size, the load time, the time of
// a 256-pixel thumbnail, the load throughput and the peak working set. The
// library is the Tavrena.dll beside the program. Figures only: nothing is
// judged. Each drawing is measured in a process of its own ("Bench
// --measure PATH LABEL"), so that the peak working set is that drawing's.
#include <windows.h>
#include <psapi.h>
#include <cstdio>
#include <string>
#include <vector>
#include "SyntheticDrawing.h"
#include "Utf8Text.h"

namespace {
typedef HRESULT (*GetZumenImageFunction)(int, const wchar_t*, HBITMAP*, unsigned long*);

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Seconds of one thumbnail call; negative when it failed.
double TimeThumbnail(GetZumenImageFunction getImage, const std::wstring& path)
{
    HBITMAP bitmap = nullptr;
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    HRESULT result = getImage(256, path.c_str(), &bitmap, nullptr);
    QueryPerformanceCounter(&end);
    if (result != S_OK)
        return -1.0;
    DeleteObject(bitmap);
    return Seconds(start, end);
}

double PeakWorkingSetMB()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

ULONGLONG FileSize(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The first thumbnail loads and draws; the second, from the cache, only
// draws: the load is the difference.
void Measure(GetZumenImageFunction getImage, const std::wstring& path, const std::wstring& label)
{
    double first = TimeThumbnail(getImage, path);
    double second = TimeThumbnail(getImage, path);
    double megabytes = static_cast<double>(FileSize(path)) / (1024.0 * 1024.0);
    if (first < 0 || second < 0) {
        std::printf("%-28s %10.2f  no thumbnail\n", Utf8(label).c_str(), megabytes);
        return;
    }
    double load = first > second ? first - second : 0.0;
    double rate = load > 0 ? megabytes / load : 0.0;
    std::printf("%-28s %10.2f %10.3f %10.3f %10.1f %10.1f\n", Utf8(label).c_str(), megabytes, load, second, rate,
                PeakWorkingSetMB());
}

std::wstring TempFolder()
{
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    return temp;
}

// Measures path in a fresh process that prints its own row.
void MeasureApart(const std::wstring& path, const std::wstring& label)
{
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" --measure \"" + path + L"\" \"" + label + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::fflush(stdout);
    if (!CreateProcessW(self, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        std::fprintf(stderr, "Bench: cannot start a measuring process\n");
        return;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

void MeasureFolder(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*.jw?").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        MeasureApart(folder + L"\\" + found.cFileName, found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

int MeasureOne(const std::wstring& path, const std::wstring& label)
{
    HMODULE library = LoadLibraryW(L"Tavrena.dll");
    auto getImage = library ? reinterpret_cast<GetZumenImageFunction>(reinterpret_cast<void*>(
                                  GetProcAddress(library, "_Z13GetZumenImageiPKwPP9HBITMAP__Pm")))
                            : nullptr;
    if (!getImage) {
        std::fputs("Bench: Tavrena.dll or its GetZumenImage is missing\n", stderr);
        return 1;
    }
    Measure(getImage, path, label);
    return 0;
}
}

int wmain(int argc, wchar_t** argv)
{
    if (argc == 4 && std::wstring(argv[1]) == L"--measure")
        return MeasureOne(argv[2], argv[3]);
    std::printf("%d-bit build\n", static_cast<int>(sizeof(void*) * 8));
    std::printf("%-28s %10s %10s %10s %10s %10s\n", "drawing", "size MB", "load s", "thumb s", "MB/s", "peak MB");
    for (size_t count : {10000u, 100000u, 1000000u}) {
        std::wstring path = TempFolder() + L"bench-" + std::to_wstring(count) + L".jww";
        if (!jwwrite::SaveFile(path, jwwrite::WriteDrawing(SyntheticDrawing(count)))) {
            std::fprintf(stderr, "Bench: cannot write %ls\n", path.c_str());
            continue;
        }
        MeasureApart(path, std::to_wstring(count) + L" figures");
        DeleteFileW(path.c_str());
    }
    if (argc > 1)
        MeasureFolder(argv[1]);
    return 0;
}
