#include <afxwin.h>

#include "HandleMap.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)

namespace
{

// The temporary object has the class of the handle's kind, so that a cast
// from CGdiObject* to that class is sound.
CGdiObject* NewObjectOfKind(HGDIOBJ hObject)
{
    switch (::GetObjectType(hObject))
    {
    case OBJ_PEN:
    case OBJ_EXTPEN:
        return new CPen;
    case OBJ_BRUSH:
        return new CBrush;
    case OBJ_FONT:
        return new CFont;
    case OBJ_BITMAP:
        return new CBitmap;
    case OBJ_PAL:
        return new CPalette;
    case OBJ_REGION:
        return new CRgn;
    default:
        return new CGdiObject;
    }
}

CObject* CreateTempGdiObject(HANDLE h)
{
    CGdiObject* pObject = NewObjectOfKind(h);
    pObject->m_hObject = h;
    return pObject;
}

void DeleteTempGdiObject(CObject* pObject)
{
    CGdiObject* pGdiObject = static_cast<CGdiObject*>(pObject);
    pGdiObject->m_hObject = NULL;
    delete pGdiObject;
}

} // namespace

CHandleMap* AFXAPI afxMapHGDIOBJ()
{
    static CHandleMap map(CHandleMap::kGdiObjects, &CreateTempGdiObject, &DeleteTempGdiObject);
    return &map;
}

CGdiObject::CGdiObject() : m_hObject(NULL)
{
}

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return static_cast<CGdiObject*>(afxMapHGDIOBJ()->FromHandle(hObject));
}

void PASCAL CGdiObject::DeleteTempMap()
{
    afxMapHGDIOBJ()->DeleteTemp();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (hObject == NULL || m_hObject != NULL)
        return FALSE;
    m_hObject = hObject;
    afxMapHGDIOBJ()->SetPermanent(hObject, this);
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    if (hObject != NULL)
        afxMapHGDIOBJ()->RemoveHandle(hObject, this);
    m_hObject = NULL;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == NULL)
        return FALSE;
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    return ::GetObjectW(m_hObject, nCount, lpObject);
}

UINT CGdiObject::GetObjectType() const
{
    return ::GetObjectType(m_hObject);
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    return Attach(::GetStockObject(nIndex));
}

BOOL CGdiObject::UnrealizeObject()
{
    return ::UnrealizeObject(m_hObject);
}
