#pragma once

class CInfoCache;
class CInfoCacheEntry;

// Releases an entry that CInfoCache::GetEntry handed out when the scope ends.
class CInfoCachePin {
public:
    CInfoCachePin(CInfoCache& cache, CInfoCacheEntry* entry) : m_cache(cache), m_entry(entry) {}
    ~CInfoCachePin();
    CInfoCachePin(const CInfoCachePin&) = delete;
    CInfoCachePin& operator=(const CInfoCachePin&) = delete;

private:
    CInfoCache& m_cache;
    CInfoCacheEntry* m_entry;
};
