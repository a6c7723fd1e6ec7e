// JwCADImage: the thumbnail of a Jw_cad drawing. Explorer finds it through
// the IExtractImage handler key of the drawing's extension.
#pragma once

#include <atlbase.h>
#include <atlcom.h>
#include <shobjidl.h>

#include "DrawingFilePersist.h"
#include "Quillora.h"
#include "resource.h"

class CJwCADImage : public ATL::CComObjectRootEx<ATL::CComSingleThreadModel>,
                    public ATL::CComCoClass<CJwCADImage, &CLSID_JwCADImage>,
                    public IExtractImage2,
                    public CDrawingFilePersist
{
public:
    // The library never renders a thumbnail smaller than this.
    static const int kMinimumSize = 256;

    DECLARE_REGISTRY_RESOURCEID(IDR_JWCADIMAGE)

    BEGIN_COM_MAP(CJwCADImage)
    COM_INTERFACE_ENTRY(IPersistFile)
    COM_INTERFACE_ENTRY(IExtractImage)
    COM_INTERFACE_ENTRY(IExtractImage2)
    END_COM_MAP()

    // Called after Load: gives the shell the path as the thumbnail's cache
    // key and keeps the size it asks for. With IEIFLAG_ASYNC the answer is
    // E_PENDING, and the shell calls Extract later, maybe on another thread.
    STDMETHOD(GetLocation)(LPWSTR pszPathBuffer, DWORD cch, DWORD* pdwPriority, const SIZE* prgSize,
                           DWORD dwRecClrDepth, DWORD* pdwFlags) override;
    // The library's square 24-bit rendering of the whole drawing, at least
    // kMinimumSize pixels wide; the caller owns the bitmap.
    STDMETHOD(Extract)(HBITMAP* phBmpThumbnail) override;
    // The drawing file's last-write time, which tells the shell when its
    // cached thumbnail is stale.
    STDMETHOD(GetDateStamp)(FILETIME* pDateStamp) override;

private:
    SIZE m_requestedSize = {};
};
