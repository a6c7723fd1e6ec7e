#pragma once

#include <afx.h>

#include <cstddef>
#include <vector>

// The objects that an archive created, taken over from it once reading is
// done, so that the archive and its load table can go before the objects
// are used. What is not freed early is freed with this owner, newest first.
class CLoadedObjects {
public:
    CLoadedObjects() = default;
    ~CLoadedObjects();

    CLoadedObjects(const CLoadedObjects&) = delete;
    CLoadedObjects& operator=(const CLoadedObjects&) = delete;

    // Takes every object ar created so far; ar then frees none of them.
    // Called once, before anything is freed.
    void TakeFrom(CArchive& ar);

    // Frees object now, for a caller that knows nothing holds it any more.
    // Objects freed early must come in the order they were created (as a
    // list holds the objects that its own reading created); one created
    // before the last object freed is left for the end.
    void Free(CObject* object);

private:
    std::vector<CObject*> m_objects;  // in creation order; null once freed
    size_t m_searchFrom = 0;          // just past the last object freed early
};
