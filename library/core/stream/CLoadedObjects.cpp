#include "stream/CLoadedObjects.h"

#include <algorithm>

CLoadedObjects::~CLoadedObjects()
{
    for (auto object = m_objects.rbegin(); object != m_objects.rend(); ++object)
        delete *object;
}

void CLoadedObjects::TakeFrom(CArchive& ar)
{
    m_objects = ar.ReleaseLoadedObjects();
    m_searchFrom = 0;
}

// The search starts after the last object freed, so freeing a whole list
// in order costs one pass over the objects.
void CLoadedObjects::Free(CObject* object)
{
    if (!object)
        return;
    auto found = std::find(m_objects.begin() + m_searchFrom, m_objects.end(), object);
    if (found == m_objects.end())
        return;
    *found = nullptr;
    m_searchFrom = static_cast<size_t>(found - m_objects.begin()) + 1;
    delete object;
}
