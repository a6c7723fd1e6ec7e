// The server's ATL module: its object map (JwCADTip, JwCADImage,
// KesmariLib), AppID and type library, and its registration.
#pragma once

#include <atlbase.h>
#include <atlmodule.h>

#include "Quillora.h"
#include "resource.h"

class CQuilloraModule : public ATL::CAtlDllModuleT<CQuilloraModule>
{
public:
    CQuilloraModule() noexcept;

    DECLARE_LIBID(LIBID_QuilloraLib)
    DECLARE_REGISTRY_APPID_RESOURCEID(IDR_QUILLORA, "{2B923585-F8FE-4DCB-8B30-37A9AD2C432D}")

    // Runs the scripts with the system's default locale, so that they read
    // the same on every system, then registers the type library.
    HRESULT DllRegisterServer();
    // Deletes the AppID, the class keys and the shell handler keys; the
    // ProgIDs, the approved-extension entry and the type library stay. The
    // result is the one of the last class key (0x80070002 when the server
    // was not registered).
    HRESULT DllUnregisterServer();
};

extern CQuilloraModule _AtlModule;
