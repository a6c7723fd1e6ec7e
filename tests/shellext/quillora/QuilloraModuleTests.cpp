// The server's exports: class objects made once and kept, and the unload
// answer that follows every object and lock.
#include <gtest/gtest.h>

#include <atlbase.h>

#include "LibraryModule.h"
#include "QuilloraServer.h"
#include "QuilloraTestSupport.h"

namespace {

class QuilloraModuleTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server_.IsLoaded());
        getClassObject_ = server_.Proc<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>("DllGetClassObject");
        canUnloadNow_ = server_.Proc<HRESULT(WINAPI*)()>("DllCanUnloadNow");
        ASSERT_NE(nullptr, getClassObject_);
        ASSERT_NE(nullptr, canUnloadNow_);
    }

    ATL::CComPtr<IClassFactory> FactoryOf(const CLSID& clsid)
    {
        ATL::CComPtr<IClassFactory> factory;
        EXPECT_EQ(S_OK, getClassObject_(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)));
        return factory;
    }

    ComApartment apartment_;
    LibraryModule server_{L"Quillora.dll"};
    HRESULT(WINAPI* getClassObject_)(REFCLSID, REFIID, void**) = nullptr;
    HRESULT(WINAPI* canUnloadNow_)() = nullptr;
};

TEST_F(QuilloraModuleTest, ClassObjectsAreMadeOnceAndKept)
{
    for (const CLSID* clsid : {&CLSID_JwCADTip, &CLSID_JwCADImage, &CLSID_KesmariLib}) {
        ATL::CComPtr<IClassFactory> first = FactoryOf(*clsid);
        ATL::CComPtr<IClassFactory> second = FactoryOf(*clsid);
        ASSERT_TRUE(first);
        EXPECT_EQ(first, second);
    }
    EXPECT_NE(FactoryOf(CLSID_JwCADTip), FactoryOf(CLSID_JwCADImage));
}

TEST_F(QuilloraModuleTest, UnknownClassesAndMissingOutPointer)
{
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, getClassObject_(IID_IDispatch, IID_IClassFactory, &object));
    EXPECT_EQ(nullptr, object);
    EXPECT_EQ(E_POINTER, getClassObject_(CLSID_JwCADTip, IID_IClassFactory, nullptr));
}

TEST_F(QuilloraModuleTest, ObjectsCannotBeAggregated)
{
    ATL::CComPtr<IClassFactory> factory = FactoryOf(CLSID_JwCADTip);
    ASSERT_TRUE(factory);
    ATL::CComPtr<IUnknown> outer;
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&outer)));
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(CLASS_E_NOAGGREGATION, factory->CreateInstance(outer, IID_IUnknown, &object));
    EXPECT_EQ(nullptr, object);
}

TEST_F(QuilloraModuleTest, CannotUnloadWhileAnObjectOrALockLives)
{
    ASSERT_EQ(S_OK, canUnloadNow_());
    for (const CLSID* clsid : {&CLSID_JwCADTip, &CLSID_JwCADImage, &CLSID_KesmariLib}) {
        SCOPED_TRACE(Utf8(GuidText(*clsid)));
        ATL::CComPtr<IClassFactory> factory = FactoryOf(*clsid);
        ASSERT_TRUE(factory);
        EXPECT_EQ(S_FALSE, canUnloadNow_());  // the factory given out

        ATL::CComPtr<IUnknown> object;
        ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&object)));
        factory.Release();
        EXPECT_EQ(S_FALSE, canUnloadNow_());
        object.Release();
        EXPECT_EQ(S_OK, canUnloadNow_());

        ASSERT_EQ(S_OK, FactoryOf(*clsid)->LockServer(TRUE));
        EXPECT_EQ(S_FALSE, canUnloadNow_());
        FactoryOf(*clsid)->LockServer(FALSE);
        EXPECT_EQ(S_OK, canUnloadNow_());
    }
}

}  // namespace
