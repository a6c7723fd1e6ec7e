#include "render/gdi/PassBrushCache.h"

namespace {
// Enough for the fill colours of one drawing; past it a draw makes brushes
// as it did without the cache.
const size_t kMostBrushes = 256;
}

CBrush* CPassBrushCache::Get(const BrushKey& key)
{
    if (m_lastHit < m_brushes.size() && m_brushes[m_lastHit].key == key)
        return m_brushes[m_lastHit].brush.get();
    for (size_t i = 0; i < m_brushes.size(); ++i) {
        if (m_brushes[i].key == key) {
            m_lastHit = i;
            return m_brushes[i].brush.get();
        }
    }
    if (m_brushes.size() >= kMostBrushes)
        return nullptr;
    std::unique_ptr<CBrush> brush(new CBrush);
    BOOL made = key.hatched ? brush->CreateHatchBrush(HS_FDIAGONAL, key.colour) : brush->CreateSolidBrush(key.colour);
    if (!made)
        return nullptr;
    m_brushes.push_back(Entry{key, std::move(brush)});
    m_lastHit = m_brushes.size() - 1;
    return m_brushes.back().brush.get();
}

void CPassBrushCache::Clear()
{
    m_brushes.clear();
    m_lastHit = 0;
}
