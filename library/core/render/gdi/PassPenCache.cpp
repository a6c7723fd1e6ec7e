#include "render/gdi/PassPenCache.h"

namespace {
// Enough for the colours and line types of one drawing; past it a draw
// makes pens as it did without the cache.
const size_t kMostPens = 256;
}

CPen* CPassPenCache::Find(const PenKey& key)
{
    if (m_lastHit < m_pens.size() && m_pens[m_lastHit].key == key)
        return m_pens[m_lastHit].pen.get();
    for (size_t i = 0; i < m_pens.size(); ++i) {
        if (m_pens[i].key == key) {
            m_lastHit = i;
            return m_pens[i].pen.get();
        }
    }
    return nullptr;
}

bool CPassPenCache::IsFull() const
{
    return m_pens.size() >= kMostPens;
}

CPen* CPassPenCache::Add(const PenKey& key, std::unique_ptr<CPen> pen)
{
    m_pens.push_back(Entry{key, std::move(pen)});
    m_lastHit = m_pens.size() - 1;
    return m_pens.back().pen.get();
}

void CPassPenCache::Clear()
{
    m_pens.clear();
    m_lastHit = 0;
}

void CPassPenCache::BeginPass(HDC dc)
{
    m_passDC = dc;
    m_passOwnPen = dc ? ::GetCurrentObject(dc, OBJ_PEN) : nullptr;
    m_passSelected = m_passOwnPen;
}

void CPassPenCache::EndPass()
{
    if (m_passDC && m_passOwnPen)
        Select(m_passOwnPen);
    m_passDC = nullptr;
    m_passOwnPen = m_passSelected = nullptr;
}

bool CPassPenCache::Select(HGDIOBJ pen)
{
    if (pen == m_passSelected)
        return true;
    if (!::SelectObject(m_passDC, pen))
        return false;
    m_passSelected = pen;
    return true;
}

bool CPassPenCache::SelectForPass(HDC dc, CPen* pen)
{
    if (!m_passDC || !m_passOwnPen || dc != m_passDC || !pen || !pen->GetSafeHandle())
        return false;
    return Select(pen->GetSafeHandle());
}

bool CPassPenCache::RestoreForPass(HDC dc)
{
    if (!m_passDC || !m_passOwnPen || dc != m_passDC)
        return false;
    return Select(m_passOwnPen);
}
