// KesmariLib: the automation class. It gives scripting clients the
// library's thumbnail, preview window and info-cache load and save; every
// failure of the library answers E_NOTIMPL.
#pragma once

#include <atlbase.h>
#include <atlcom.h>

#include "Quillora.h"
#include "resource.h"

class CKesmariLib : public ATL::CComObjectRootEx<ATL::CComSingleThreadModel>,
                    public ATL::CComCoClass<CKesmariLib, &CLSID_KesmariLib>,
                    public ATL::IDispatchImpl<IKesmariLib, &IID_IKesmariLib, &LIBID_QuilloraLib, 1, 0>
{
public:
    DECLARE_REGISTRY_RESOURCEID(IDR_KESMARILIB)

    BEGIN_COM_MAP(CKesmariLib)
    COM_INTERFACE_ENTRY(IKesmariLib)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    // A square thumbnail of the drawing (the library renders at least 256
    // pixels and shrinks to size); the library's result code is passed on.
    // The caller owns the bitmap.
    STDMETHOD(GetImage)(int size, BSTR szFile, HBITMAP* phBmp) override;
    // The library's preview window, a modeless child of hParent on the
    // calling thread that deletes itself when its window is destroyed.
    STDMETHOD(GetImageView)(BSTR szFile, RECT* rect, HWND hParent, HWND* phWnd) override;
    // The library's info cache file (NULL: the default one); pRc is 1 or 0.
    STDMETHOD(InfoLoad)(BSTR szFile, CHAR* pRc) override;
    STDMETHOD(InfoSave)(BSTR szFile, CHAR* pRc) override;
};
