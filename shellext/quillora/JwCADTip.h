// JwCADTip: the info tip of a Jw_cad drawing. Explorer finds it through the
// IQueryInfo handler key of the drawing's extension.
#pragma once

#include <atlbase.h>
#include <atlcom.h>
#include <shlobj.h>

#include "DrawingFilePersist.h"
#include "Quillora.h"
#include "resource.h"

class CJwCADTip : public ATL::CComObjectRootEx<ATL::CComSingleThreadModel>,
                  public ATL::CComCoClass<CJwCADTip, &CLSID_JwCADTip>,
                  public ATL::IDispatchImpl<IJwCADTip, &IID_IJwCADTip, &LIBID_QuilloraLib, 1, 0>,
                  public IQueryInfo,
                  public CDrawingFilePersist
{
public:
    DECLARE_REGISTRY_RESOURCEID(IDR_JWCADTIP)

    BEGIN_COM_MAP(CJwCADTip)
    COM_INTERFACE_ENTRY(IJwCADTip)
    COM_INTERFACE_ENTRY_IID(IID_IQueryInfo, IQueryInfo)
    COM_INTERFACE_ENTRY(IPersistFile)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    // Takes the shell's allocator, which the tip's text is given in; without
    // it the object still lives but gives no tip.
    HRESULT FinalConstruct();

    // Called after Load: the library's header text of the drawing, or its
    // failure text when it cannot read the file.
    STDMETHOD(GetInfoTip)(DWORD dwFlags, PWSTR* ppwszTip) override;
    STDMETHOD(GetInfoFlags)(DWORD* pdwFlags) override;

private:
    ATL::CComPtr<IMalloc> m_pShellMalloc;
};
