// The ATL client classes: CComBSTR, CComPtr, CComQIPtr, CComVariant, and
// the resource modules of _AtlBaseModule.
#include <afx.h>

#include <gtest/gtest.h>
#include <utility>

#include "TestModules.h"

namespace
{

// The reference count and fate of a CCountedUnknown, kept outside it.
struct RefTally
{
    ULONG nRefs = 1;
    bool bDestroyed = false;
};

// An object that counts its references and reports when it goes.
class CCountedUnknown final : public IUnknown
{
public:
    explicit CCountedUnknown(RefTally* pTally) : m_pTally(pTally)
    {
    }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid != IID_IUnknown)
        {
            *ppv = NULL;
            return E_NOINTERFACE;
        }
        *ppv = this;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override
    {
        return ++m_pTally->nRefs;
    }
    // Not inlined: the compiler cannot see that a held object survives.
    [[gnu::noinline]] STDMETHODIMP_(ULONG) Release() override
    {
        if (--m_pTally->nRefs != 0)
            return m_pTally->nRefs;
        m_pTally->bDestroyed = true;
        delete this;
        return 0;
    }

private:
    RefTally* m_pTally;
};

} // namespace

TEST(CComBSTR, HoldsExactlyOneBstr)
{
    static_assert(sizeof(CComBSTR) == sizeof(BSTR), "CComBSTR crosses the export boundary as a BSTR");
    CComBSTR bstr(L"abc");
    EXPECT_EQ(3u, bstr.Length());
    EXPECT_EQ(6u, bstr.ByteLength());
    BSTR* pbstr = &bstr;
    EXPECT_EQ(static_cast<void*>(&bstr.m_str), static_cast<void*>(pbstr));
}

TEST(CComBSTR, AppendAndCompare)
{
    CComBSTR bstr(L"ab");
    EXPECT_EQ(S_OK, bstr.Append(L"cd"));
    EXPECT_EQ(S_OK, bstr.Append("\x82\xA0"));
    EXPECT_EQ(S_OK, bstr.Append(L'!'));
    EXPECT_TRUE(bstr == L"abcd\x3042!");
    EXPECT_EQ(S_OK, bstr.Append(static_cast<LPCOLESTR>(NULL), 0));
    EXPECT_EQ(E_INVALIDARG, bstr.Append(static_cast<LPCOLESTR>(NULL), 1));
    EXPECT_EQ(E_INVALIDARG, bstr.Append(L"x", -1));
    bstr += CComBSTR(L"?");
    EXPECT_EQ(7u, bstr.Length());

    EXPECT_TRUE(CComBSTR() == CComBSTR(L""));
    EXPECT_TRUE(CComBSTR() == static_cast<LPCOLESTR>(NULL));
    EXPECT_TRUE(CComBSTR(L"a") < CComBSTR(L"b"));
    EXPECT_TRUE(CComBSTR(L"a") < CComBSTR(L"ab"));
    EXPECT_TRUE(CComBSTR(L"a") != L"A");

    CComBSTR empty;
    EXPECT_EQ(S_OK, empty.Append(L"x"));
    EXPECT_TRUE(empty == L"x");
}

TEST(CComBSTR, EmbeddedTerminatorsAndOwnership)
{
    CComBSTR bstr(3, L"a\0b");
    EXPECT_EQ(3u, bstr.Length());
    CComBSTR copy(bstr);
    EXPECT_EQ(3u, copy.Length());
    EXPECT_NE(bstr.m_str, copy.m_str);
    EXPECT_TRUE(copy == bstr);

    BSTR raw = copy.Detach();
    EXPECT_EQ(nullptr, copy.m_str);
    copy.Attach(raw);
    EXPECT_EQ(raw, copy.m_str);
    copy.Empty();
    EXPECT_TRUE(!copy);

    BSTR out = NULL;
    EXPECT_EQ(S_OK, bstr.CopyTo(&out));
    EXPECT_EQ(3u, SysStringLen(out));
    SysFreeString(out);
    EXPECT_EQ(E_POINTER, bstr.CopyTo(static_cast<BSTR*>(NULL)));

    CComBSTR moved(std::move(bstr));
    EXPECT_EQ(nullptr, bstr.m_str);
    EXPECT_EQ(3u, moved.Length());
}

TEST(CComBSTR, CaseAndNarrowSource)
{
    CComBSTR bstr("\x82\xA0" "Ab");
    EXPECT_TRUE(bstr == L"\x3042" L"Ab");
    bstr.ToUpper();
    EXPECT_TRUE(bstr == L"\x3042" L"AB");
    bstr.ToLower();
    EXPECT_TRUE(bstr == L"\x3042" L"ab");
}

class CAtlResources : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, m_lang.Get());
        ASSERT_NE(nullptr, m_startup.Get());
    }
    void TearDown() override
    {
        _AtlBaseModule.RemoveResourceInstance(m_startup.Get());
        _AtlBaseModule.SetResourceInstance(NULL);
    }

    CTestModule m_lang{FW_LANG_DLL};
    CTestModule m_startup{FW_STARTUP_DLL};
};

TEST_F(CAtlResources, LoadStringLooksInTheResourceModulesInTurn)
{
    EXPECT_EQ(GetModuleHandleW(NULL), _AtlBaseModule.GetResourceInstance());
    EXPECT_EQ(GetModuleHandleW(NULL), _AtlBaseModule.SetResourceInstance(m_lang.Get()));
    EXPECT_TRUE(_AtlBaseModule.AddResourceInstance(m_startup.Get()));

    CComBSTR bstr;
    EXPECT_TRUE(bstr.LoadString(IDS_TEST_HELLO));
    EXPECT_TRUE(bstr == L"Hello from the language DLL");
    EXPECT_TRUE(bstr.LoadString(IDS_TEST_STARTUP_ONLY));
    EXPECT_TRUE(bstr == L"only in the startup DLL");
    EXPECT_FALSE(bstr.LoadString(IDS_TEST_MISSING));
    EXPECT_EQ(nullptr, bstr.m_str);

    EXPECT_TRUE(bstr.LoadString(m_startup.Get(), IDS_TEST_HELLO));
    EXPECT_TRUE(bstr == L"Hello from the startup DLL");
    EXPECT_EQ(m_startup.Get(), AtlFindStringResourceInstance(IDS_TEST_STARTUP_ONLY));
}

TEST_F(CAtlResources, WithoutLanguageModuleNothingIsFound)
{
    CComBSTR bstr(L"old");
    EXPECT_FALSE(bstr.LoadString(IDS_TEST_HELLO));
    EXPECT_EQ(nullptr, bstr.m_str);
}

TEST(CComPtr, CountsReferences)
{
    RefTally tally;
    CCountedUnknown* pObject = new CCountedUnknown(&tally);
    {
        CComPtr<IUnknown> p1(pObject);
        EXPECT_EQ(2u, tally.nRefs);
        CComPtr<IUnknown> p2 = p1;
        EXPECT_EQ(3u, tally.nRefs);
        p2 = NULL;
        EXPECT_EQ(2u, tally.nRefs);
        IUnknown* pOut = NULL;
        EXPECT_EQ(S_OK, p1.CopyTo(&pOut));
        pOut->Release();
        EXPECT_TRUE(p1.IsEqualObject(pObject));
    }
    EXPECT_EQ(1u, tally.nRefs);
    CComPtr<IUnknown> pOwner;
    pOwner.Attach(pObject);
    pOwner.Release();
    EXPECT_TRUE(tally.bDestroyed);
}

// Moving hands the one reference over; the source's operator& (which would
// release what it holds) plays no part.
TEST(CComPtr, MoveAssignmentHandsTheReferenceOver)
{
    RefTally tally;
    CCountedUnknown* pObject = new CCountedUnknown(&tally);
    CComPtr<IUnknown> source(pObject);
    pObject->Release();
    CComPtr<IUnknown> target;
    target = std::move(source);
    EXPECT_EQ(1u, tally.nRefs);
    EXPECT_FALSE(tally.bDestroyed);
    EXPECT_EQ(nullptr, source.p);
    EXPECT_TRUE(target.IsEqualObject(pObject));
    target = std::move(target);
    EXPECT_EQ(1u, tally.nRefs);
    target.Release();
    EXPECT_TRUE(tally.bDestroyed);
}

TEST(CComPtr, AddressOfReleasesAHeldPointer)
{
#ifndef NDEBUG
    GTEST_SKIP() << "debug builds assert instead";
#endif
    RefTally tally;
    CComPtr<IUnknown> p;
    p.Attach(new CCountedUnknown(&tally));
    IUnknown** pp = &p;
    EXPECT_TRUE(tally.bDestroyed);
    EXPECT_EQ(nullptr, *pp);
}

TEST(CComQIPtr, QueriesForItsInterface)
{
    CComPtr<IStream> pStream;
    ASSERT_EQ(S_OK, CreateStreamOnHGlobal(NULL, TRUE, &pStream));
    IUnknown* pUnknown = pStream;
    CComQIPtr<IStream> pQueried(pUnknown);
    EXPECT_TRUE(pQueried.IsEqualObject(pStream));
    CComQIPtr<IDispatch> pNone(pUnknown);
    EXPECT_TRUE(!pNone);
    CComQIPtr<IPersist> pMissing;
    pMissing = pUnknown;
    EXPECT_TRUE(!pMissing);
}

TEST(CComVariant, TypesCopiesAndConversions)
{
    CComVariant varInt(42);
    EXPECT_EQ(VT_I4, varInt.vt);
    CComVariant varText(L"42");
    EXPECT_EQ(VT_BSTR, varText.vt);
    CComVariant varNarrow("\x82\xA0");
    EXPECT_STREQ(L"\x3042", varNarrow.bstrVal);
    EXPECT_EQ(VT_BOOL, CComVariant(true).vt);
    EXPECT_EQ(VARIANT_TRUE, CComVariant(true).boolVal);
    EXPECT_EQ(VT_R8, CComVariant(1.5).vt);
    EXPECT_EQ(VT_I8, CComVariant(LONGLONG(5)).vt);

    CComVariant copy(varText);
    EXPECT_NE(varText.bstrVal, copy.bstrVal);
    EXPECT_TRUE(copy == varText);
    EXPECT_FALSE(copy == varInt);

    BSTR bstr = NULL;
    EXPECT_EQ(S_OK, varInt.CopyTo(&bstr));
    EXPECT_STREQ(L"42", bstr);
    SysFreeString(bstr);

    EXPECT_EQ(S_OK, varText.ChangeType(VT_I4));
    EXPECT_TRUE(varText == varInt);

    VARIANT raw;
    VariantInit(&raw);
    EXPECT_EQ(S_OK, copy.Detach(&raw));
    EXPECT_EQ(VT_EMPTY, copy.vt);
    EXPECT_EQ(S_OK, copy.Attach(&raw));
    EXPECT_EQ(VT_BSTR, copy.vt);
    EXPECT_EQ(VT_EMPTY, raw.vt);
}

TEST(CComVariant, HoldsAReferenceToInterfaces)
{
    RefTally tally;
    CCountedUnknown* pObject = new CCountedUnknown(&tally);
    {
        CComVariant var(static_cast<IUnknown*>(pObject));
        EXPECT_EQ(VT_UNKNOWN, var.vt);
        EXPECT_EQ(2u, tally.nRefs);
        var = static_cast<IUnknown*>(pObject);
        EXPECT_EQ(2u, tally.nRefs);
    }
    EXPECT_EQ(1u, tally.nRefs);
    pObject->Release();
    EXPECT_TRUE(tally.bDestroyed);
}
