#include <gtest/gtest.h>
#include <afxwin.h>

namespace {
// A command target with one interface of its own, an IUnknown whose
// reference count is the target's, as interface parts delegate in the class
// library.
class InterfaceHookTarget : public CCmdTarget {
public:
    class XUnknown : public IUnknown {
    public:
        explicit XUnknown(InterfaceHookTarget* outer) : m_outer(outer) {}
        STDMETHOD(QueryInterface)(REFIID riid, void** object) override
        {
            return static_cast<HRESULT>(m_outer->ExternalQueryInterface(&riid, object));
        }
        STDMETHOD_(ULONG, AddRef)() override { return m_outer->ExternalAddRef(); }
        STDMETHOD_(ULONG, Release)() override { return m_outer->ExternalRelease(); }

    private:
        InterfaceHookTarget* m_outer;
    };

    XUnknown m_xUnknown{this};

protected:
    LPUNKNOWN GetInterfaceHook(const void* iid) override
    {
        return IsEqualIID(*static_cast<const IID*>(iid), IID_IUnknown) ? &m_xUnknown : NULL;
    }
};
}

TEST(CmdTargetInterface, QueriesAnswerTheHookedInterfacesWithAReference)
{
    CCmdTarget plain;
    void* found = reinterpret_cast<void*>(1);
    EXPECT_EQ(plain.ExternalQueryInterface(&IID_IUnknown, &found), static_cast<DWORD>(E_NOINTERFACE));
    EXPECT_EQ(found, nullptr) << "no interfaces without a hook";
    EXPECT_EQ(plain.InternalQueryInterface(&IID_IUnknown, NULL), static_cast<DWORD>(E_POINTER));

    auto* target = new InterfaceHookTarget;
    EXPECT_EQ(target->ExternalQueryInterface(&IID_IUnknown, &found), static_cast<DWORD>(S_OK));
    EXPECT_EQ(found, static_cast<void*>(&target->m_xUnknown));
    EXPECT_EQ(target->m_dwRef, 2) << "the answer is add-referenced";
    EXPECT_EQ(target->ExternalQueryInterface(&IID_IDispatch, &found), static_cast<DWORD>(E_NOINTERFACE));
    EXPECT_EQ(found, nullptr);

    IUnknown* unknown = &target->m_xUnknown;
    EXPECT_EQ(unknown->AddRef(), 3u);
    EXPECT_EQ(unknown->Release(), 2u);
    EXPECT_EQ(unknown->Release(), 1u);
    EXPECT_EQ(target->ExternalRelease(), 0u) << "the last release deletes the target";
}
