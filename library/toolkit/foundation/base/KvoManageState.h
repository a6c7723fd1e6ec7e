#pragma once
#include <windows.h>

// For its scope, makes the toolkit resource module the class library's
// current resource handle, so that loads by id inside the class library find
// the toolkit's resources. Without a toolkit module it changes nothing.
class CKvoManageState {
public:
    CKvoManageState();
    ~CKvoManageState();
    CKvoManageState(const CKvoManageState&) = delete;
    CKvoManageState& operator=(const CKvoManageState&) = delete;

private:
    bool m_switched;
    HINSTANCE m_saved;
};
