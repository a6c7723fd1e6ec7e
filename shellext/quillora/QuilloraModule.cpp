#include "QuilloraModule.h"

#include <new>

#include "ClassesRootCleaner.h"
#include "JwCADImage.h"
#include "JwCADTip.h"
#include "KesmariLib.h"

namespace
{

BEGIN_OBJECT_MAP(ObjectMap)
OBJECT_ENTRY(CLSID_JwCADTip, CJwCADTip)
OBJECT_ENTRY(CLSID_JwCADImage, CJwCADImage)
OBJECT_ENTRY(CLSID_KesmariLib, CKesmariLib)
END_OBJECT_MAP()

const wchar_t kInfoTipHandler[] = L"{00021500-0000-0000-C000-000000000046}";
const wchar_t kThumbnailHandler[] = L"{BB2E617C-0920-11d1-9A0B-00C04FC2D6C1}";

// Sets the thread's locale for one scope.
class CScopedThreadLocale
{
public:
    explicit CScopedThreadLocale(LCID lcid) noexcept : m_previous(::GetThreadLocale())
    {
        ::SetThreadLocale(lcid);
    }
    ~CScopedThreadLocale()
    {
        ::SetThreadLocale(m_previous);
    }
    CScopedThreadLocale(const CScopedThreadLocale&) = delete;
    CScopedThreadLocale& operator=(const CScopedThreadLocale&) = delete;

private:
    LCID m_previous;
};

HRESULT DeleteKeys()
{
    CClassesRootCleaner::DeleteAppId(CQuilloraModule::GetAppId());
    // The shell keys go only with their class, so a second unregistration
    // leaves alone what another server may have put there since.
    if (SUCCEEDED(CClassesRootCleaner::DeleteClass(CLSID_JwCADTip)))
        CClassesRootCleaner::DeleteHandlerKeys(kInfoTipHandler);
    if (SUCCEEDED(CClassesRootCleaner::DeleteClass(CLSID_JwCADImage)))
        CClassesRootCleaner::DeleteHandlerKeys(kThumbnailHandler);
    return CClassesRootCleaner::DeleteClass(CLSID_KesmariLib);
}

} // namespace

CQuilloraModule _AtlModule;

CQuilloraModule::CQuilloraModule() noexcept : CAtlDllModuleT(ObjectMap)
{
}

HRESULT CQuilloraModule::DllRegisterServer()
{
    CScopedThreadLocale systemLocale(LOCALE_SYSTEM_DEFAULT);
    return CAtlDllModuleT::DllRegisterServer();
}

HRESULT CQuilloraModule::DllUnregisterServer()
{
    try
    {
        return DeleteKeys();
    }
    catch (const std::bad_alloc&)
    {
        return E_OUTOFMEMORY;
    }
}
