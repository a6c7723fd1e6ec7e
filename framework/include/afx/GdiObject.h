// GDI objects held by class-library objects: the object owns its handle and
// deletes it when it goes, unless the handle was detached first.
#pragma once

class CGdiObject : public CObject
{
    DECLARE_DYNAMIC(CGdiObject)
public:
    CGdiObject();
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    operator HGDIOBJ() const
    {
        return m_hObject;
    }
    HGDIOBJ GetSafeHandle() const
    {
        return m_hObject;
    }

    // Takes over hObject; FALSE for a NULL handle or when one is held.
    BOOL Attach(HGDIOBJ hObject);
    // Gives the handle up without deleting it.
    HGDIOBJ Detach();
    BOOL DeleteObject();

    HGDIOBJ m_hObject;
};

class CBitmap : public CGdiObject
{
    DECLARE_DYNAMIC(CBitmap)
public:
    CBitmap();
    ~CBitmap() override;

    operator HBITMAP() const
    {
        return static_cast<HBITMAP>(m_hObject);
    }

    // From the resource module (AfxFindResourceHandle).
    BOOL LoadBitmap(UINT nIDResource);
    BOOL LoadBitmap(LPCTSTR lpszResourceName);
};
