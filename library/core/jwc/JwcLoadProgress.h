#pragma once
#include <windows.h>
#include <atomic>
#include <cstdint>

// Counts the records of a load. With a progress window it posts
// WM_DRAWPROGRESS (the total first, then the remaining count every total/360
// records); without one (thumbnails, info tips) it caps each section instead,
// so such a load stays short however large the drawing.
class JwcLoadProgress {
public:
    static const int kPointLimit = 3000;   // header points and point records
    static const int kRecordLimit = 8000;  // lines, curves and texts

    JwcLoadProgress(HWND window, const std::atomic<bool>& cancel, int64_t total);

    bool Cancelled() const { return m_cancel; }
    // Starts a section that, without a progress window, ends after limit + 1
    // records.
    void BeginSection(int limit);
    // Counts one processed record; false when the section has to end.
    bool Count();
    // Whether every record of the total was processed.
    bool AllProcessed() const { return m_remaining <= 0; }

private:
    void Post(WPARAM kind, int64_t count) const;

    HWND m_window;
    const std::atomic<bool>& m_cancel;
    int64_t m_step;
    int64_t m_remaining;
    int m_sectionLimit = 0;
    int m_sectionCount = 0;
};
