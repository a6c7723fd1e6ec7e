#include "render/gdi/PassPenCache.h"

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
