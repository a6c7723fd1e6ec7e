#include "foundation/base/KvoManageState.h"
#include "foundation/base/KvoResourceManager.h"
#include <afxwin.h>

CKvoManageState::CKvoManageState() : m_switched(false), m_saved(nullptr)
{
    if (!g_kvoResourceModule)
        return;
    m_saved = AfxGetResourceHandle();
    AfxSetResourceHandle(g_kvoResourceModule);
    m_switched = true;
}

CKvoManageState::~CKvoManageState()
{
    if (m_switched)
        AfxSetResourceHandle(m_saved);
}
