#include <shlobj.h>

#include "QuilloraServer.h"
#include "ShellHandlerFixture.h"

namespace {

class JwCADTipTest : public ShellHandlerTest {
protected:
    ATL::CComPtr<IQueryInfo> TipOf(const std::wstring& path)
    {
        return CreateLoaded<IQueryInfo>(CLSID_JwCADTip, path, IID_IQueryInfo);
    }
};

// Watches the allocations of one size made through the task allocator,
// which is the shell's allocator too, and can fail the n-th of them. COM may
// call a revoked spy until the blocks allocated under it are freed, so the
// one spy lives as long as the process.
class AllocationSpy : public IMallocSpy {
public:
    static AllocationSpy& Instance()
    {
        static AllocationSpy spy;
        return spy;
    }
    // failAt: the 1-based number of the allocation of that size to fail; 0
    // fails none.
    void Watch(SIZE_T size, int failAt)
    {
        size_ = size;
        failAt_ = failAt;
        seen_ = 0;
    }
    int Seen() const { return seen_; }

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        *object = nullptr;
        if (iid != IID_IUnknown && iid != IID_IMallocSpy)
            return E_NOINTERFACE;
        *object = static_cast<IMallocSpy*>(this);
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    // Zero makes the allocation fail.
    STDMETHODIMP_(SIZE_T) PreAlloc(SIZE_T request) override
    {
        if (size_ == 0 || request != size_)
            return request;
        return ++seen_ == failAt_ ? 0 : request;
    }
    STDMETHODIMP_(void*) PostAlloc(void* actual) override { return actual; }
    STDMETHODIMP_(void*) PreFree(void* request, BOOL) override { return request; }
    STDMETHODIMP_(void) PostFree(BOOL) override {}
    STDMETHODIMP_(SIZE_T) PreRealloc(void* request, SIZE_T size, void** newRequest, BOOL) override
    {
        *newRequest = request;
        return size;
    }
    STDMETHODIMP_(void*) PostRealloc(void* actual, BOOL) override { return actual; }
    STDMETHODIMP_(void*) PreGetSize(void* request, BOOL) override { return request; }
    STDMETHODIMP_(SIZE_T) PostGetSize(SIZE_T actual, BOOL) override { return actual; }
    STDMETHODIMP_(void*) PreDidAlloc(void* request, BOOL) override { return request; }
    STDMETHODIMP_(int) PostDidAlloc(void*, BOOL, int actual) override { return actual; }
    STDMETHODIMP_(void) PreHeapMinimize() override {}
    STDMETHODIMP_(void) PostHeapMinimize() override {}

private:
    AllocationSpy() = default;

    SIZE_T size_ = 0;
    int failAt_ = 0;
    int seen_ = 0;
};

// GetInfoTip under the spy; the allocations of the tip's size it made.
HRESULT SpiedInfoTip(IQueryInfo* tip, SIZE_T tipSize, int failAt, PWSTR* text, int* seen)
{
    AllocationSpy& spy = AllocationSpy::Instance();
    spy.Watch(tipSize, failAt);
    EXPECT_EQ(S_OK, CoRegisterMallocSpy(&spy));
    HRESULT hr = tip->GetInfoTip(QITIPF_DEFAULT, text);
    *seen = spy.Seen();
    spy.Watch(0, 0);
    CoRevokeMallocSpy();
    return hr;
}

TEST_F(JwCADTipTest, TipIsTheLibrarysTextOfEachDrawingKind)
{
    for (const std::wstring& path : fixtures_.Paths()) {
        SCOPED_TRACE(Utf8(path));
        ATL::CComPtr<IQueryInfo> tip = TipOf(path);
        ASSERT_TRUE(tip);
        PWSTR text = nullptr;
        EXPECT_EQ(S_OK, tip->GetInfoTip(QITIPF_DEFAULT, &text));
        ASSERT_NE(nullptr, text);
        EXPECT_EQ(LibraryInfoText(path), text);
        CoTaskMemFree(text);
    }
}

TEST_F(JwCADTipTest, MissingFileStillGivesATip)
{
    const std::wstring missing = fixtures_.Folder().At(L"missing.jww");
    ATL::CComPtr<IQueryInfo> tip = TipOf(missing);
    ASSERT_TRUE(tip);
    PWSTR text = nullptr;
    EXPECT_EQ(S_OK, tip->GetInfoTip(QITIPF_DEFAULT, &text));
    ASSERT_NE(nullptr, text);
    EXPECT_EQ(LibraryInfoText(missing), text);
    CoTaskMemFree(text);
}

TEST_F(JwCADTipTest, FailedAllocationOfTheTipAnswersOutOfMemory)
{
    ATL::CComPtr<IQueryInfo> tip = TipOf(fixtures_.Drawing());
    ASSERT_TRUE(tip);
    const SIZE_T tipSize = (LibraryInfoText(fixtures_.Drawing()).size() + 1) * sizeof(WCHAR);
    // The library may make blocks of the same size: the tip's own is the
    // last one of the call.
    PWSTR text = nullptr;
    int seen = 0;
    ASSERT_EQ(S_OK, SpiedInfoTip(tip, tipSize, 0, &text, &seen));
    CoTaskMemFree(text);
    ASSERT_GE(seen, 1);

    text = reinterpret_cast<PWSTR>(1);
    EXPECT_EQ(E_OUTOFMEMORY, SpiedInfoTip(tip, tipSize, seen, &text, &seen));
    EXPECT_EQ(nullptr, text);
}

TEST_F(JwCADTipTest, NullOutPointersAndInfoFlags)
{
    ATL::CComPtr<IQueryInfo> tip = TipOf(fixtures_.Drawing());
    ASSERT_TRUE(tip);
    EXPECT_EQ(E_POINTER, tip->GetInfoTip(QITIPF_DEFAULT, nullptr));
    EXPECT_EQ(E_POINTER, tip->GetInfoFlags(nullptr));
    DWORD flags = 7;
    EXPECT_EQ(E_NOTIMPL, tip->GetInfoFlags(&flags));
    EXPECT_EQ(0u, flags);
}

TEST_F(JwCADTipTest, AnswersItsInterfacesAndNoOthers)
{
    ATL::CComPtr<IQueryInfo> tip = TipOf(fixtures_.Drawing());
    ASSERT_TRUE(tip);
    ATL::CComPtr<IUnknown> identity;
    ASSERT_EQ(S_OK, tip->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)));
    for (const IID* iid : {&IID_IJwCADTip, &IID_IQueryInfo, &IID_IPersistFile, &IID_IDispatch}) {
        ATL::CComPtr<IUnknown> answer;
        EXPECT_EQ(S_OK, tip->QueryInterface(*iid, reinterpret_cast<void**>(&answer))) << Utf8(GuidText(*iid));
        ATL::CComPtr<IUnknown> answerIdentity;
        answer->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&answerIdentity));
        EXPECT_EQ(identity, answerIdentity);
    }
    ATL::CComPtr<IUnknown> none;
    EXPECT_EQ(E_NOINTERFACE, tip->QueryInterface(IID_IExtractImage, reinterpret_cast<void**>(&none)));
    EXPECT_EQ(nullptr, none);

    ATL::CComQIPtr<IDispatch> dispatch(tip.p);
    ASSERT_TRUE(dispatch);
    UINT count = 0;
    EXPECT_EQ(S_OK, dispatch->GetTypeInfoCount(&count));
    EXPECT_EQ(1u, count);
    ATL::CComPtr<ITypeInfo> typeInfo;
    ASSERT_EQ(S_OK, dispatch->GetTypeInfo(0, 0, &typeInfo));
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(S_OK, typeInfo->GetTypeAttr(&attributes));
    EXPECT_EQ(IID_IJwCADTip, attributes->guid);
    typeInfo->ReleaseTypeAttr(attributes);
}

TEST_F(JwCADTipTest, PersistFileOnlyLoads)
{
    ATL::CComPtr<IPersistFile> file = CreateLoaded<IPersistFile>(CLSID_JwCADTip, fixtures_.Drawing(), IID_IPersistFile);
    ASSERT_TRUE(file);
    CLSID clsid;
    LPOLESTR current = nullptr;
    EXPECT_EQ(E_NOTIMPL, file->GetClassID(&clsid));
    EXPECT_EQ(E_NOTIMPL, file->IsDirty());
    EXPECT_EQ(E_NOTIMPL, file->Save(L"x.jww", TRUE));
    EXPECT_EQ(E_NOTIMPL, file->SaveCompleted(L"x.jww"));
    EXPECT_EQ(E_NOTIMPL, file->GetCurFile(&current));
    EXPECT_EQ(E_POINTER, file->Load(nullptr, STGM_READ));
}

}  // namespace
