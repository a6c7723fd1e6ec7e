#include "jwc/JwcLoadProgress.h"
#include "records/DrawData.h"
#include <algorithm>
#include <climits>

JwcLoadProgress::JwcLoadProgress(HWND window, const std::atomic<bool>& cancel, int64_t total)
    : m_window(window), m_cancel(cancel), m_step(total / 360), m_remaining(total)
{
    if (!m_cancel)
        Post(0, total);
}

void JwcLoadProgress::BeginSection(int limit)
{
    m_sectionLimit = limit;
    m_sectionCount = 0;
}

bool JwcLoadProgress::Count()
{
    --m_remaining;
    if (m_window && !m_cancel) {
        if (m_step < 2 || m_remaining % m_step == 0)
            Post(1, m_remaining);
        return true;
    }
    return ++m_sectionCount <= m_sectionLimit;
}

void JwcLoadProgress::Post(WPARAM kind, int64_t count) const
{
    if (m_window)
        PostMessageW(m_window, WM_DRAWPROGRESS, kind, static_cast<LPARAM>(std::min<int64_t>(count, LONG_MAX)));
}
