#pragma once
#include <afxwin.h>

// Holds one reference to a reference-counted command target for a scope and
// releases it (InternalRelease, which deletes the target at 0) at the end.
class CKvoReleaseHolder {
public:
    explicit CKvoReleaseHolder(CCmdTarget* target = nullptr) : m_target(target) {}
    ~CKvoReleaseHolder()
    {
        if (m_target)
            m_target->InternalRelease();
    }
    CKvoReleaseHolder(const CKvoReleaseHolder&) = delete;
    CKvoReleaseHolder& operator=(const CKvoReleaseHolder&) = delete;

    CCmdTarget* Get() const { return m_target; }

private:
    CCmdTarget* m_target;
};
