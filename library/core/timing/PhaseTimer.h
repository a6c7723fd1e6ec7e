#pragma once
#include <windows.h>

// The phases of a load and of a render that the benchmark reports.
enum class TimedPhase {
    Entry,         // the info cache's entry of the file, its load included
    Load,          // the load on its worker thread, the thread included
    LoadBody,      // the load's own work on that thread
    FileRead,      // the reads of the drawing file (within ObjectStream)
    ObjectStream,  // the archive's objects out of that memory
    Conversion,    // entities into figures, blocks and text variables included
    Extent,        // the figures' bounds and the drawing's extent (within Conversion)
    RenderSetup,   // request, view and canvas
    FigurePass,    // the figure lists drawn onto the canvas
    Text,          // the texts of the figure pass (within FigurePass)
    Dib,           // the canvas handed out as a bitmap
    Layers,        // the shown layers, from the file's layer table
    Count
};

// Receives each timed span of a phase, in performance-counter ticks. None is
// installed in the product, where a timer costs one test of a pointer; the
// benchmark installs one to split a load and a render into their phases.
typedef void (*PhaseSink)(TimedPhase phase, LONGLONG ticks);

// Exported by name for the benchmark; null uninstalls.
extern "C" void SetPhaseSink(PhaseSink sink);
PhaseSink GetPhaseSink();

// Times its own lifetime as one span of a phase, when a sink is installed.
class CPhaseTimer {
public:
    explicit CPhaseTimer(TimedPhase phase) : m_sink(GetPhaseSink()), m_phase(phase), m_start()
    {
        if (m_sink)
            QueryPerformanceCounter(&m_start);
    }
    ~CPhaseTimer()
    {
        if (!m_sink)
            return;
        LARGE_INTEGER end;
        QueryPerformanceCounter(&end);
        m_sink(m_phase, end.QuadPart - m_start.QuadPart);
    }

    CPhaseTimer(const CPhaseTimer&) = delete;
    CPhaseTimer& operator=(const CPhaseTimer&) = delete;

private:
    PhaseSink m_sink;
    TimedPhase m_phase;
    LARGE_INTEGER m_start;
};
