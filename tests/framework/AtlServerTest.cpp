// The ATL server classes, through a module of this test program with two
// classes in its object map.
#include <atlbase.h>
#include <atlcom.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// {6D1C7F2A-0B7E-4C55-9C1E-3F0A9E2B7D01}, {6D1C7F2A-0B7E-4C55-9C1E-3F0A9E2B7D02}
const CLSID CLSID_TestWidget = {0x6d1c7f2a, 0x0b7e, 0x4c55, {0x9c, 0x1e, 0x3f, 0x0a, 0x9e, 0x2b, 0x7d, 0x01}};
const CLSID CLSID_TestBroken = {0x6d1c7f2a, 0x0b7e, 0x4c55, {0x9c, 0x1e, 0x3f, 0x0a, 0x9e, 0x2b, 0x7d, 0x02}};

// What the classes saw, kept outside them.
struct Tally
{
    int objectMainStarts = 0;
    int objectMainStops = 0;
    int finalConstructs = 0;
    int finalReleases = 0;
    int destroyed = 0;
    std::vector<std::string> registryCalls;
    HRESULT widgetRegistryResult = S_OK;
};
Tally g_tally;

template <class T>
class CTallied : public CComObjectRootEx<CComSingleThreadModel>
{
public:
    ~CTallied()
    {
        ++g_tally.destroyed;
    }
    void FinalRelease()
    {
        ++g_tally.finalReleases;
    }
    static void WINAPI ObjectMain(bool bStarting)
    {
        ++(bStarting ? g_tally.objectMainStarts : g_tally.objectMainStops);
    }
    static HRESULT WINAPI UpdateRegistry(BOOL bRegister)
    {
        g_tally.registryCalls.push_back(std::string(T::kName) + (bRegister ? "+" : "-"));
        return T::RegistryResult();
    }
};

class CTestWidget : public CTallied<CTestWidget>,
                    public CComCoClass<CTestWidget, &CLSID_TestWidget>,
                    public IPersist,
                    public IOleWindow
{
public:
    static constexpr const char* kName = "widget";
    static HRESULT RegistryResult()
    {
        return g_tally.widgetRegistryResult;
    }

    BEGIN_COM_MAP(CTestWidget)
    COM_INTERFACE_ENTRY(IPersist)
    COM_INTERFACE_ENTRY(IOleWindow)
    END_COM_MAP()

    HRESULT FinalConstruct()
    {
        ++g_tally.finalConstructs;
        return S_OK;
    }
    STDMETHODIMP GetClassID(CLSID* pClassID) override
    {
        *pClassID = CLSID_TestWidget;
        return S_OK;
    }
    STDMETHODIMP GetWindow(HWND* phwnd) override
    {
        *phwnd = NULL;
        return E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override
    {
        return E_NOTIMPL;
    }
};

// A class whose objects cannot be made.
class CTestBroken : public CTallied<CTestBroken>, public CComCoClass<CTestBroken, &CLSID_TestBroken>, public IPersist
{
public:
    static constexpr const char* kName = "broken";
    static HRESULT RegistryResult()
    {
        return S_OK;
    }

    BEGIN_COM_MAP(CTestBroken)
    COM_INTERFACE_ENTRY(IPersist)
    END_COM_MAP()

    HRESULT FinalConstruct()
    {
        return E_ABORT;
    }
    STDMETHODIMP GetClassID(CLSID* pClassID) override
    {
        *pClassID = CLSID_TestBroken;
        return S_OK;
    }
};

BEGIN_OBJECT_MAP(ObjectMap)
OBJECT_ENTRY(CLSID_TestWidget, CTestWidget)
OBJECT_ENTRY(CLSID_TestBroken, CTestBroken)
END_OBJECT_MAP()

class CServerTestModule : public CAtlDllModuleT<CServerTestModule>
{
public:
    CServerTestModule() : CAtlDllModuleT(ObjectMap)
    {
    }
};

CServerTestModule g_module;

CComPtr<IClassFactory> FactoryOf(const CLSID& clsid)
{
    CComPtr<IClassFactory> factory;
    EXPECT_EQ(S_OK, g_module.DllGetClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)));
    return factory;
}

class AtlServer : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(0, g_module.GetLockCount());
        g_tally.registryCalls.clear();
        g_tally.widgetRegistryResult = S_OK;
    }
};

} // namespace

TEST_F(AtlServer, ModuleStartedEveryClassOfItsMap)
{
    EXPECT_EQ(&g_module, _pAtlModule);
    EXPECT_EQ(2, g_tally.objectMainStarts);
    EXPECT_EQ(0, g_tally.objectMainStops);
}

TEST_F(AtlServer, QueryInterfaceFollowsTheComMap)
{
    CComPtr<IPersist> persist;
    ASSERT_EQ(S_OK, FactoryOf(CLSID_TestWidget)->CreateInstance(NULL, IID_IPersist, reinterpret_cast<void**>(&persist)));
    CComPtr<IOleWindow> window;
    EXPECT_EQ(S_OK, persist->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&window)));
    CComPtr<IUnknown> identity1, identity2;
    persist->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity1));
    window->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity2));
    EXPECT_EQ(identity1, identity2);
    EXPECT_EQ(static_cast<IUnknown*>(persist.p), identity1.p) << "IUnknown is the map's first interface";

    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(E_NOINTERFACE, persist->QueryInterface(IID_IDispatch, &none));
    EXPECT_EQ(NULL, none);
    EXPECT_EQ(E_POINTER, persist->QueryInterface(IID_IPersist, NULL));
}

TEST_F(AtlServer, EveryObjectAndHandedOutFactoryHoldsTheModule)
{
    EXPECT_EQ(S_OK, g_module.DllCanUnloadNow());
    CComPtr<IClassFactory> factory = FactoryOf(CLSID_TestWidget);
    EXPECT_EQ(1, g_module.GetLockCount());
    CComPtr<IPersist> first, second;
    factory->CreateInstance(NULL, IID_IPersist, reinterpret_cast<void**>(&first));
    factory->CreateInstance(NULL, IID_IPersist, reinterpret_cast<void**>(&second));
    EXPECT_EQ(3, g_module.GetLockCount());
    factory.Release();
    first.Release();
    EXPECT_EQ(S_FALSE, g_module.DllCanUnloadNow());
    second.Release();
    EXPECT_EQ(S_OK, g_module.DllCanUnloadNow());

    FactoryOf(CLSID_TestWidget)->LockServer(TRUE);
    EXPECT_EQ(S_FALSE, g_module.DllCanUnloadNow());
    FactoryOf(CLSID_TestWidget)->LockServer(FALSE);
    EXPECT_EQ(S_OK, g_module.DllCanUnloadNow());
}

TEST_F(AtlServer, ClassFactoryIsMadeOnceAndKept)
{
    CComPtr<IClassFactory> first = FactoryOf(CLSID_TestWidget);
    CComPtr<IClassFactory> second = FactoryOf(CLSID_TestWidget);
    EXPECT_EQ(first, second);
    EXPECT_NE(first, FactoryOf(CLSID_TestBroken));

    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, g_module.DllGetClassObject(IID_IPersist, IID_IClassFactory, &none));
    EXPECT_EQ(NULL, none);
    EXPECT_EQ(E_POINTER, g_module.DllGetClassObject(CLSID_TestWidget, IID_IClassFactory, NULL));
    EXPECT_EQ(E_NOINTERFACE, g_module.DllGetClassObject(CLSID_TestWidget, IID_IPersist, &none));
}

TEST_F(AtlServer, ObjectsRunFinalConstructAndFinalReleaseOnce)
{
    Tally before = g_tally;
    {
        CComPtr<IPersist> persist;
        ASSERT_EQ(S_OK, FactoryOf(CLSID_TestWidget)->CreateInstance(NULL, IID_IPersist, reinterpret_cast<void**>(&persist)));
        CComPtr<IOleWindow> window;
        persist->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&window));
        EXPECT_EQ(before.finalConstructs + 1, g_tally.finalConstructs);
        EXPECT_EQ(before.destroyed, g_tally.destroyed);
    }
    EXPECT_EQ(before.finalReleases + 1, g_tally.finalReleases);
    EXPECT_EQ(before.destroyed + 1, g_tally.destroyed);
}

TEST_F(AtlServer, FailedConstructionAndAggregationMakeNoObject)
{
    int destroyedBefore = g_tally.destroyed;
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(E_ABORT, FactoryOf(CLSID_TestBroken)->CreateInstance(NULL, IID_IPersist, &object));
    EXPECT_EQ(NULL, object);
    EXPECT_EQ(destroyedBefore + 1, g_tally.destroyed);
    EXPECT_EQ(0, g_module.GetLockCount());

    CComPtr<IUnknown> outer;
    FactoryOf(CLSID_TestWidget)->CreateInstance(NULL, IID_IUnknown, reinterpret_cast<void**>(&outer));
    EXPECT_EQ(CLASS_E_NOAGGREGATION, FactoryOf(CLSID_TestWidget)->CreateInstance(outer, IID_IUnknown, &object));
    EXPECT_EQ(NULL, object);
    // A class object's wrong interface leaves nothing behind either.
    EXPECT_EQ(E_NOINTERFACE, FactoryOf(CLSID_TestWidget)->CreateInstance(NULL, IID_IDispatch, &object));
}

TEST_F(AtlServer, CreateInstanceGivesAnObjectWithoutReferences)
{
    int destroyedBefore = g_tally.destroyed;
    CComObject<CTestWidget>* pWidget = NULL;
    ASSERT_EQ(S_OK, CComObject<CTestWidget>::CreateInstance(&pWidget));
    EXPECT_EQ(1, g_module.GetLockCount());
    EXPECT_EQ(1u, pWidget->AddRef());
    EXPECT_EQ(0u, pWidget->Release());
    EXPECT_EQ(destroyedBefore + 1, g_tally.destroyed);
    CComObject<CTestBroken>* pBroken = reinterpret_cast<CComObject<CTestBroken>*>(1);
    EXPECT_EQ(E_ABORT, CComObject<CTestBroken>::CreateInstance(&pBroken));
    EXPECT_EQ(NULL, pBroken);
}

TEST_F(AtlServer, RegistrationRunsTheMapInOrderUntilTheFirstFailure)
{
    EXPECT_EQ(S_OK, g_module.DllRegisterServer(FALSE));
    EXPECT_EQ((std::vector<std::string>{"widget+", "broken+"}), g_tally.registryCalls);

    g_tally.registryCalls.clear();
    EXPECT_EQ(S_OK, g_module.RegisterServer(FALSE, &CLSID_TestBroken));
    EXPECT_EQ((std::vector<std::string>{"broken+"}), g_tally.registryCalls);

    g_tally.registryCalls.clear();
    g_tally.widgetRegistryResult = E_ACCESSDENIED;
    EXPECT_EQ(E_ACCESSDENIED, g_module.DllRegisterServer(FALSE));
    EXPECT_EQ((std::vector<std::string>{"widget+"}), g_tally.registryCalls);

    g_tally.registryCalls.clear();
    g_tally.widgetRegistryResult = S_OK;
    EXPECT_EQ(S_OK, g_module.DllUnregisterServer(FALSE));
    EXPECT_EQ((std::vector<std::string>{"widget-", "broken-"}), g_tally.registryCalls);
}
