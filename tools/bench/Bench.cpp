// Bench [--copies N] [FOLDER]: prints the platform's cost of one worker
// thread, then, for synthetic drawings of 6.5k, 10k, 100k and 1M figures and
// for every drawing in FOLDER, the first thumbnail call (load and render),
// the load and render apart, both split into their phases, the load
// throughput and the peak working set. The library is the Tavrena.dll beside
// the program. Figures only: nothing is judged.
//
// Each drawing is measured in a process of its own ("Bench --measure PATH
// LABEL ENTITIES COPIES [empty|full]"), warm: after one load of it that is not counted,
// each measured load reads a fresh copy under a new name, so that the info
// cache loads it anew. Times are the minimum and the median over the copies.
// Each drawing is measured twice, from an empty info cache and from a full
// one (see BenchCacheState.h), through a cache folder of the benchmark's own.
// The phases come from a second round of copies with the library's phase
// sink installed, so that its timers cost the totals nothing. "Bench --write
// COUNT PATH" writes a synthetic drawing for a profiler's runs of --measure.
#include <windows.h>
#include <psapi.h>
#include <algorithm>
#include <numeric>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>
#include "BenchCacheState.h"
#include "SyntheticDrawing.h"
#include "Utf8Text.h"
#include "timing/PhaseTimer.h"

namespace {
typedef HRESULT (*GetZumenImageFunction)(int, const wchar_t*, HBITMAP*, unsigned long*);
typedef void (*SetPhaseSinkFunction)(PhaseSink);
typedef bool (*InfoLoadFunction)(const wchar_t*);

const int kThumbnailSize = 256;
const int kDefaultCopies = 12;
const int kThreadRounds = 200;
// A thumbnail reads at most this many objects of the entity list.
const size_t kThumbnailObjectLimit = 64001;
const int kPhaseCount = static_cast<int>(TimedPhase::Count);

double TicksToMs(LONGLONG ticks)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(ticks) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

LONGLONG Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

// Minimum and median of a set of samples.
struct Spread {
    double min = 0.0;
    double median = 0.0;
};

Spread SpreadOf(std::vector<double> samples)
{
    Spread spread;
    if (samples.empty())
        return spread;
    std::sort(samples.begin(), samples.end());
    spread.min = samples.front();
    spread.median = samples[samples.size() / 2];
    return spread;
}

// The library's phase spans of the call under way, summed per phase.
LONGLONG g_phaseTicks[kPhaseCount];
bool g_phaseSeen[kPhaseCount];
long g_phaseSpans[kPhaseCount];

void SumPhase(TimedPhase phase, LONGLONG ticks)
{
    int index = static_cast<int>(phase);
    if (index >= 0 && index < kPhaseCount) {
        g_phaseTicks[index] += ticks;
        g_phaseSeen[index] = true;
        ++g_phaseSpans[index];
    }
}

// What one timed span adds to the phases around it: two reads of the
// performance counter and the sink's call, as the library's timers do them.
// The extent of every figure, the reads of the file and the texts of a pass
// are timed span by span, so their timers weigh on the phases that hold them.
double SpanCostMs()
{
    const int batches = 21;
    const int rounds = 5000;
    volatile PhaseSink sink = SumPhase;
    std::vector<double> perSpan;
    for (int batch = 0; batch < batches; ++batch) {
        LONGLONG start = Now();
        for (int i = 0; i < rounds; ++i) {
            LARGE_INTEGER a, b;
            QueryPerformanceCounter(&a);
            QueryPerformanceCounter(&b);
            sink(TimedPhase::Count, b.QuadPart - a.QuadPart);  // out of range: only the call counts
        }
        perSpan.push_back(TicksToMs(Now() - start) / rounds);
    }
    return SpreadOf(perSpan).median;
}

// The phases timed span by span inside each phase that the benchmark shows
// less its timers.
struct NestedSpans {
    TimedPhase outer;
    std::initializer_list<TimedPhase> inner;
};
const NestedSpans kNestedSpans[] = {
    {TimedPhase::LoadBody, {TimedPhase::ObjectStream, TimedPhase::FileRead, TimedPhase::Conversion, TimedPhase::Extent}},
    {TimedPhase::ObjectStream, {TimedPhase::FileRead}},
    {TimedPhase::Conversion, {TimedPhase::Extent}},
    {TimedPhase::FigurePass, {TimedPhase::Text}},
};

DWORD WINAPI EmptyThread(LPVOID)
{
    return 0;
}

// What a load pays the platform for its worker thread: create suspended,
// resume, wait, close.
Spread ThreadCost()
{
    std::vector<double> samples;
    for (int round = 0; round < kThreadRounds; ++round) {
        LONGLONG start = Now();
        HANDLE thread = CreateThread(nullptr, 0, EmptyThread, nullptr, CREATE_SUSPENDED, nullptr);
        if (!thread)
            continue;
        ResumeThread(thread);
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
        samples.push_back(TicksToMs(Now() - start));
    }
    return SpreadOf(samples);
}

ULONGLONG FileSize(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::wstring TempFolder()
{
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    return temp;
}

std::wstring Extension(const std::wstring& path)
{
    size_t dot = path.rfind(L'.');
    return dot == std::wstring::npos ? L"" : path.substr(dot);
}

// Copies of one drawing under names no earlier load has seen; deleted with
// the object.
class FreshCopies {
public:
    FreshCopies(const std::wstring& path, int count)
    {
        std::wstring stem = TempFolder() + L"bench-copy-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                            std::to_wstring(GetTickCount()) + L"-";
        for (int i = 0; i < count; ++i) {
            std::wstring copy = stem + std::to_wstring(s_made++) + Extension(path);
            if (CopyFileW(path.c_str(), copy.c_str(), FALSE))
                m_paths.push_back(copy);
        }
    }
    ~FreshCopies()
    {
        for (const std::wstring& path : m_paths)
            DeleteFileW(path.c_str());
    }
    FreshCopies(const FreshCopies&) = delete;
    FreshCopies& operator=(const FreshCopies&) = delete;

    const std::vector<std::wstring>& Paths() const { return m_paths; }

private:
    static int s_made;
    std::vector<std::wstring> m_paths;
};
int FreshCopies::s_made = 0;

class Library {
public:
    Library()
        : m_module(LoadLibraryW(L"Tavrena.dll")),
          m_getImage(reinterpret_cast<GetZumenImageFunction>(
              Proc("_Z13GetZumenImageiPKwPP9HBITMAP__Pm"))),
          m_setSink(reinterpret_cast<SetPhaseSinkFunction>(Proc("SetPhaseSink"))),
          m_infoLoad(reinterpret_cast<InfoLoadFunction>(Proc("InfoLoad")))
    {
    }
    bool Usable() const { return m_getImage && m_setSink && m_infoLoad; }

    // Milliseconds of one thumbnail call; negative when it failed.
    double TimeThumbnail(const std::wstring& path) const
    {
        HBITMAP bitmap = nullptr;
        LONGLONG start = Now();
        HRESULT result = m_getImage(kThumbnailSize, path.c_str(), &bitmap, nullptr);
        double ms = TicksToMs(Now() - start);
        if (result != S_OK)
            return -1.0;
        DeleteObject(bitmap);
        return ms;
    }
    void InstallSink(bool on) const { m_setSink(on ? SumPhase : nullptr); }
    // Empties the info cache and reads the cache file path into it.
    bool LoadInfoCache(const std::wstring& path) const { return m_infoLoad(path.c_str()); }

private:
    void* Proc(const char* name) const
    {
        return m_module ? reinterpret_cast<void*>(GetProcAddress(m_module, name)) : nullptr;
    }

    HMODULE m_module;
    GetZumenImageFunction m_getImage;
    SetPhaseSinkFunction m_setSink;
    InfoLoadFunction m_infoLoad;
};

SIZE_T WorkingSet(bool peak)
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return peak ? counters.PeakWorkingSetSize : counters.WorkingSetSize;
}

// Per phase, the samples of every measured first call and of every second.
// Each also less the cost of the timers of the spans nested in it.
struct PhaseSamples {
    std::vector<double> first[kPhaseCount];
    std::vector<double> cached[kPhaseCount];
    std::vector<double> firstLessTimers[kPhaseCount];
    std::vector<double> cachedLessTimers[kPhaseCount];
    std::vector<double> spans;  // timed spans per first call
    double spanCostMs = 0.0;
};

void ClearPhases()
{
    std::fill(std::begin(g_phaseTicks), std::end(g_phaseTicks), 0);
    std::fill(std::begin(g_phaseSeen), std::end(g_phaseSeen), false);
    std::fill(std::begin(g_phaseSpans), std::end(g_phaseSpans), 0);
}

void KeepPhases(std::vector<double> (&samples)[kPhaseCount], std::vector<double> (&lessTimers)[kPhaseCount],
                double spanCostMs)
{
    for (int i = 0; i < kPhaseCount; ++i) {
        if (g_phaseSeen[i])
            samples[i].push_back(TicksToMs(g_phaseTicks[i]));
    }
    for (const NestedSpans& nested : kNestedSpans) {
        int outer = static_cast<int>(nested.outer);
        if (!g_phaseSeen[outer])
            continue;
        long spans = 0;
        for (TimedPhase inner : nested.inner)
            spans += g_phaseSpans[static_cast<int>(inner)];
        lessTimers[outer].push_back(std::max(0.0, TicksToMs(g_phaseTicks[outer]) - spans * spanCostMs));
    }
}

// The first call of each fresh copy (load and render) and its second, cached
// call (render only); false when a call failed.
bool TimeCalls(const Library& library, const std::vector<std::wstring>& paths, std::vector<double>& first,
               std::vector<double>& render, PhaseSamples* phases)
{
    for (const std::wstring& path : paths) {
        ClearPhases();
        double load = library.TimeThumbnail(path);
        if (phases) {
            KeepPhases(phases->first, phases->firstLessTimers, phases->spanCostMs);
            phases->spans.push_back(static_cast<double>(std::accumulate(std::begin(g_phaseSpans), std::end(g_phaseSpans), 0L)));
        }
        ClearPhases();
        double draw = library.TimeThumbnail(path);
        if (phases)
            KeepPhases(phases->cached, phases->cachedLessTimers, phases->spanCostMs);
        if (load < 0 || draw < 0)
            return false;
        first.push_back(load);
        render.push_back(draw);
    }
    return true;
}

void PrintSpread(const char* name, const Spread& spread, double megabytes)
{
    std::printf("  %-34s %9.3f %9.3f", name, spread.min, spread.median);
    if (megabytes > 0 && spread.min > 0)
        std::printf(" %9.1f", megabytes / (spread.min / 1000.0));
    std::printf("\n");
}

struct NamedPhase {
    const char* name;
    TimedPhase phase;
};

void PrintPhases(const std::vector<double> (&samples)[kPhaseCount], std::initializer_list<NamedPhase> phases,
                 double megabytes)
{
    for (const NamedPhase& named : phases)
        PrintSpread(named.name, SpreadOf(samples[static_cast<int>(named.phase)]), megabytes);
}

int MeasureOne(const std::wstring& path, const std::wstring& label, size_t entities, int copies, CacheState state)
{
    Library library;
    if (!library.Usable()) {
        std::fputs("Bench: Tavrena.dll or its exports are missing\n", stderr);
        return 1;
    }
    BenchCacheFolder cacheFolder(state);
    if (cacheFolder.CacheFile().empty() || !library.LoadInfoCache(cacheFolder.CacheFile())) {
        std::fputs("Bench: cannot set the info cache's state\n", stderr);
        return 1;
    }
    double megabytes = static_cast<double>(FileSize(path)) / (1024.0 * 1024.0);
    std::printf("%s: %.1f KB", Utf8(label).c_str(), megabytes * 1024.0);
    if (entities)
        std::printf(", %zu figures", entities);
    std::printf(", info cache %ls\n", CacheStateName(state));

    // The working set one load adds, before anything else was loaded.
    FreshCopies warm(path, 1);
    SIZE_T before = WorkingSet(false);
    if (warm.Paths().empty() || library.TimeThumbnail(warm.Paths()[0]) < 0) {
        std::printf("  no thumbnail\n");
        return 0;
    }
    SIZE_T peak = WorkingSet(true);
    Spread thread = ThreadCost();

    FreshCopies timed(path, copies);
    std::vector<double> first, render;
    library.InstallSink(false);
    bool ok = TimeCalls(library, timed.Paths(), first, render, nullptr);
    FreshCopies split(path, copies);
    std::vector<double> splitFirst, splitRender;
    PhaseSamples phases;
    phases.spanCostMs = SpanCostMs();
    library.InstallSink(true);
    ok = ok && TimeCalls(library, split.Paths(), splitFirst, splitRender, &phases);
    library.InstallSink(false);
    if (!ok) {
        std::printf("  a thumbnail call failed\n");
        return 0;
    }

    std::vector<double> load, loadLessThread;
    for (size_t i = 0; i < first.size(); ++i) {
        load.push_back(std::max(0.0, first[i] - render[i]));
        loadLessThread.push_back(std::max(0.0, first[i] - render[i] - thread.min));
    }
    std::printf("  %-34s %9s %9s %9s\n", "ms (MB/s)", "min", "median", "MB/s");
    PrintSpread("worker thread", thread, 0);
    PrintSpread("first call (load + render)", SpreadOf(first), 0);
    PrintSpread("load", SpreadOf(load), megabytes);
    PrintSpread("load less worker thread", SpreadOf(loadLessThread), megabytes);
    PrintPhases(phases.first, {{"  cache entry", TimedPhase::Entry},
                               {"    load on its thread", TimedPhase::Load},
                               {"      the load's own work", TimedPhase::LoadBody},
                               {"        object stream", TimedPhase::ObjectStream},
                               {"          (file read)", TimedPhase::FileRead},
                               {"        conversion", TimedPhase::Conversion},
                               {"          (extent)", TimedPhase::Extent},
                               {"  layer table", TimedPhase::Layers}},
                megabytes);
    std::printf("  timed spans per first call %.0f, %.3f us each; less the nested spans' timers:\n",
                SpreadOf(phases.spans).median, phases.spanCostMs * 1000.0);
    PrintPhases(phases.firstLessTimers, {{"      the load's own work", TimedPhase::LoadBody},
                                         {"        object stream", TimedPhase::ObjectStream},
                                         {"        conversion", TimedPhase::Conversion}},
                megabytes);
    PrintSpread("render (cached call)", SpreadOf(render), 0);
    PrintPhases(phases.cached, {{"  cache entry", TimedPhase::Entry},
                                {"  layer table", TimedPhase::Layers},
                                {"  render setup", TimedPhase::RenderSetup},
                                {"  figure pass", TimedPhase::FigurePass},
                                {"    (text)", TimedPhase::Text},
                                {"  DIB", TimedPhase::Dib}},
                0);
    PrintPhases(phases.cachedLessTimers, {{"  figure pass less text timers", TimedPhase::FigurePass}}, 0);
    double added = static_cast<double>(peak > before ? peak - before : 0);
    std::printf("  peak working set %.1f MB, %.1f MB over the unloaded process", peak / (1024.0 * 1024.0),
                added / (1024.0 * 1024.0));
    if (entities)
        std::printf(", %.0f bytes per figure read",
                    added / static_cast<double>(std::min(entities, kThumbnailObjectLimit)));
    std::printf("\n");
    return 0;
}

// Measures path in a fresh process that prints its own lines.
void MeasureInProcess(const std::wstring& path, const std::wstring& label, size_t entities, int copies,
                      CacheState state)
{
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" --measure \"" + path + L"\" \"" + label + L"\" " +
                           std::to_wstring(entities) + L" " + std::to_wstring(copies) + L" " + CacheStateName(state);
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

void MeasureApart(const std::wstring& path, const std::wstring& label, size_t entities, int copies)
{
    for (CacheState state : {CacheState::Empty, CacheState::Full})
        MeasureInProcess(path, label, entities, copies, state);
}

void MeasureFolder(const std::wstring& folder, int copies)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*.jw?").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        MeasureApart(folder + L"\\" + found.cFileName, found.cFileName, 0, copies);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

bool WriteSynthetic(size_t count, const std::wstring& path)
{
    if (jwwrite::SaveFile(path, jwwrite::WriteDrawing(SyntheticDrawing(count))))
        return true;
    std::fprintf(stderr, "Bench: cannot write %ls\n", path.c_str());
    return false;
}

void MeasureSynthetic(size_t count, int copies)
{
    std::wstring path = TempFolder() + L"bench-" + std::to_wstring(count) + L".jww";
    if (!WriteSynthetic(count, path))
        return;
    MeasureApart(path, std::to_wstring(count) + L" figures", count, count >= 1000000 ? std::min(copies, 3) : copies);
    DeleteFileW(path.c_str());
}
}

int wmain(int argc, wchar_t** argv)
{
    // The cache state is optional for a profiler's runs: empty by default.
    CacheState state = CacheState::Empty;
    if ((argc == 6 || (argc == 7 && ParseCacheState(argv[6], &state))) && std::wstring(argv[1]) == L"--measure")
        return MeasureOne(argv[2], argv[3], static_cast<size_t>(_wtoi64(argv[4])), std::max(1, _wtoi(argv[5])),
                          state);
    // A synthetic drawing kept for a profiler's runs of --measure.
    if (argc == 4 && std::wstring(argv[1]) == L"--write")
        return WriteSynthetic(static_cast<size_t>(_wtoi64(argv[2])), argv[3]) ? 0 : 1;
    int copies = kDefaultCopies;
    int next = 1;
    if (argc > 2 && std::wstring(argv[1]) == L"--copies") {
        copies = std::max(1, _wtoi(argv[2]));
        next = 3;
    }
    std::printf("%d-bit build, %d fresh copies per drawing\n", static_cast<int>(sizeof(void*) * 8), copies);
    Spread thread = ThreadCost();
    std::printf("worker thread (create suspended, resume, wait): min %.3f ms, median %.3f ms\n", thread.min,
                thread.median);
    for (size_t count : {6500u, 10000u, 100000u, 1000000u})
        MeasureSynthetic(count, copies);
    if (argc > next)
        MeasureFolder(argv[next], copies);
    return 0;
}
