#include "PreviewDrawingUse.h"
#include <map>
#include <mutex>
#include "app/TavrenaApp.h"
#include "cache/PathKeyLess.h"

namespace {
// Previews live on the threads that made them: the preview host's, and
// Explorer's or a scripting client's through GetImageView.
std::mutex& PreviewUseLock()
{
    static std::mutex lock;
    return lock;
}

// Keyed as the info cache keys its drawings: one file, one count.
std::map<CStringW, int, PathKeyLess>& PreviewUseCounts()
{
    static std::map<CStringW, int, PathKeyLess> counts;
    return counts;
}
}  // namespace

void CPreviewDrawingUse::Begin(const CStringW& path)
{
    End();
    std::lock_guard<std::mutex> lock(PreviewUseLock());
    ++PreviewUseCounts()[path];
    m_path = path;
    m_begun = true;
}

void CPreviewDrawingUse::End()
{
    if (!m_begun)
        return;
    m_begun = false;
    {
        std::lock_guard<std::mutex> lock(PreviewUseLock());
        auto& counts = PreviewUseCounts();
        auto found = counts.find(m_path);
        if (found != counts.end() && --found->second > 0)
            return;
        if (found != counts.end())
            counts.erase(found);
    }
    theApp.m_infoCache.ReleaseRenderCore(m_path);
}
