#include "cache/InfoCachePin.h"
#include "cache/InfoCache.h"

CInfoCachePin::~CInfoCachePin()
{
    m_cache.ReleaseEntry(m_entry);
}
