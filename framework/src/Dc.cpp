#include <afxwin.h>

#include "HandleMap.h"

IMPLEMENT_DYNCREATE(CDC, CObject)

namespace
{

CObject* CreateTempDC(HANDLE h)
{
    CDC* pDC = new CDC;
    pDC->m_hDC = pDC->m_hAttribDC = static_cast<HDC>(h);
    return pDC;
}

void DeleteTempDC(CObject* pObject)
{
    CDC* pDC = static_cast<CDC*>(pObject);
    pDC->m_hDC = pDC->m_hAttribDC = NULL;
    delete pDC;
}

} // namespace

CHandleMap* AFXAPI afxMapHDC()
{
    static CHandleMap map(CHandleMap::kDeviceContexts, &CreateTempDC, &DeleteTempDC);
    return &map;
}

CDC::CDC() : m_hDC(NULL), m_hAttribDC(NULL), m_bPrinting(FALSE)
{
}

CDC::~CDC()
{
    DeleteDC();
}

CDC* PASCAL CDC::FromHandle(HDC hDC)
{
    return static_cast<CDC*>(afxMapHDC()->FromHandle(hDC));
}

void PASCAL CDC::DeleteTempMap()
{
    afxMapHDC()->DeleteTemp();
}

BOOL CDC::Attach(HDC hDC)
{
    if (hDC == NULL || m_hDC != NULL)
        return FALSE;
    m_hDC = hDC;
    afxMapHDC()->SetPermanent(hDC, this);
    SetAttribDC(hDC);
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    if (hDC != NULL)
        afxMapHDC()->RemoveHandle(hDC, this);
    ReleaseAttribDC();
    m_hDC = NULL;
    return hDC;
}

void CDC::SetAttribDC(HDC hDC)
{
    m_hAttribDC = hDC;
}

void CDC::SetOutputDC(HDC hDC)
{
    m_hDC = hDC;
}

void CDC::ReleaseAttribDC()
{
    m_hAttribDC = NULL;
}

void CDC::ReleaseOutputDC()
{
    m_hDC = NULL;
}

BOOL CDC::CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData)
{
    HDC hDC = ::CreateDCW(lpszDriverName, lpszDeviceName, lpszOutput, static_cast<const DEVMODEW*>(lpInitData));
    if (Attach(hDC))
        return TRUE;
    if (hDC != NULL)
        ::DeleteDC(hDC);
    return FALSE;
}

BOOL CDC::CreateIC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData)
{
    HDC hDC = ::CreateICW(lpszDriverName, lpszDeviceName, lpszOutput, static_cast<const DEVMODEW*>(lpInitData));
    if (Attach(hDC))
        return TRUE;
    if (hDC != NULL)
        ::DeleteDC(hDC);
    return FALSE;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    HDC hDC = ::CreateCompatibleDC(pDC != NULL ? pDC->m_hDC : NULL);
    if (Attach(hDC))
        return TRUE;
    if (hDC != NULL)
        ::DeleteDC(hDC);
    return FALSE;
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == NULL)
        return FALSE;
    return ::DeleteDC(Detach());
}

int CDC::SaveDC()
{
    int nRetVal = 0;
    if (m_hAttribDC != NULL)
        nRetVal = ::SaveDC(m_hAttribDC);
    if (m_hDC != m_hAttribDC && ::SaveDC(m_hDC) != 0)
        nRetVal = -1;  // the two DCs are saved at different levels
    return nRetVal;
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    BOOL bRetVal = TRUE;
    if (m_hDC != m_hAttribDC)
        bRetVal = ::RestoreDC(m_hDC, nSavedDC);
    if (m_hAttribDC != NULL)
        bRetVal = bRetVal && ::RestoreDC(m_hAttribDC, nSavedDC);
    return bRetVal;
}

int CDC::GetDeviceCaps(int nIndex) const
{
    return ::GetDeviceCaps(m_hAttribDC, nIndex);
}
