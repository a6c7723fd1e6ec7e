#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "cache/InfoCacheEntry.h"
#include "figures/B_Base.h"
#include "reader/BCN_CImpJWK.h"
#include "records/ZumenInfo.h"
#include "writer/JwcWriter.h"

// A drawing file written into a scratch folder and loaded through the reader
// factory and the load thread, the way the info cache loads it.
class LoadedDrawing {
public:
    LoadedDrawing(const std::vector<uint8_t>& bytes, const wchar_t* name, HWND progress = nullptr);
    ~LoadedDrawing();
    LoadedDrawing(const LoadedDrawing&) = delete;
    LoadedDrawing& operator=(const LoadedDrawing&) = delete;

    CJwCADBase* Reader() const { return m_entry.doc; }
    // The load thread ran and read every record.
    bool Complete() const;
    std::vector<B_Base*> Figures() const;
    template <class Kind>
    std::vector<Kind*> FiguresOf() const
    {
        std::vector<Kind*> found;
        for (B_Base* fig : Figures()) {
            if (Kind* kind = FigCast<Kind>(fig))
                found.push_back(kind);
        }
        return found;
    }
    bool IsLayerUsed(int layer) const;
    const std::wstring& Path() const { return m_path; }

private:
    ScratchFolder m_folder;
    std::wstring m_path;
    CInfoCacheEntry m_entry;
};

// A drawing of that many distinct lines, then that many points.
jwwrite::JwcDrawing ManyRecords(size_t lines, size_t points);

// The header answers of a file, read with a fresh reader as the info tip reads
// them.
struct HeaderAnswers {
    bool infoRead = false;
    bool layersRead = false;
    ZumenInfo info;
    ZumenLayers layers;
};
HeaderAnswers ReadHeaderAnswers(const std::wstring& path);

// A message-only window that collects the WM_DRAWPROGRESS messages posted
// to it.
class ProgressSink {
public:
    ProgressSink();
    ~ProgressSink();
    ProgressSink(const ProgressSink&) = delete;
    ProgressSink& operator=(const ProgressSink&) = delete;

    HWND Window() const { return m_window; }
    // (wParam, lParam) of the progress messages that have arrived.
    std::vector<std::pair<WPARAM, LPARAM>> Take();
    // Takes progress messages as they arrive until one is the count'th that
    // wanted accepts; false when none more came for twenty seconds.
    bool WaitFor(const std::function<bool(WPARAM, LPARAM)>& wanted, int count = 1);

private:
    HWND m_window;
};

// Reader members the tests look at.
struct JwcProbe : BCN_CImpJWC {
    using BCN_CImpJWC::m_curvePos;
    using BCN_CImpJWC::m_lineCount;
    using BCN_CImpJWC::m_linePos;
    using BCN_CImpJWC::m_pointPos;
    using BCN_CImpJWC::m_scale;
    using BCN_CImpJWC::m_stringPos;
    using BCN_CImpJWC::m_stringSize;
    using BCN_CImpJWC::m_textPos;
};

struct JwkProbe : BCN_CImpJWK {
    using BCN_CImpJWC::m_curveCount;
    using BCN_CImpJWC::m_curvePos;
    using BCN_CImpJWC::m_lineCount;
    using BCN_CImpJWC::m_linePos;
    using BCN_CImpJWC::m_pointCount;
    using BCN_CImpJWC::m_pointPos;
    using BCN_CImpJWC::m_scale;
    using BCN_CImpJWC::m_stringPos;
    using BCN_CImpJWC::m_stringSize;
    using BCN_CImpJWC::m_textCount;
    using BCN_CImpJWC::m_textPos;
};

// A file's bytes as an in-memory file that a reader can be handed.
class MemoryDrawing {
public:
    explicit MemoryDrawing(std::vector<uint8_t> bytes)
        : m_bytes(std::move(bytes)), m_file(m_bytes.data(), static_cast<UINT>(m_bytes.size()))
    {
    }
    CFile* File() { return &m_file; }

private:
    std::vector<uint8_t> m_bytes;
    CMemFile m_file;
};
