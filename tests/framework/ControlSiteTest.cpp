// CWnd::CreateControl: an OLE control of the test's own, registered for the
// process, activated in place in a child window and closed with it.
#include <afxwin.h>

#include <gtest/gtest.h>

#include "WindowTestSupport.h"

namespace
{

// {6B1F3C52-7E0A-4C41-9D3B-2A7E51C0F4A8}
const CLSID CLSID_TestControl = {0x6b1f3c52, 0x7e0a, 0x4c41, {0x9d, 0x3b, 0x2a, 0x7e, 0x51, 0xc0, 0xf4, 0xa8}};

// What the control saw of its site.
struct ControlLog
{
    bool hadSite = false;
    bool initialised = false;
    HWND activatedIn = NULL;
    HWND window = NULL;
    RECT lastRect = {};
    int deactivations = 0;
    bool closed = false;
    bool siteTakenBack = false;
    bool destroyed = false;
};

// The control: in-place activation makes a static child in the site's window.
class CTestControl : public IOleObject, public IOleInPlaceObject
{
public:
    explicit CTestControl(ControlLog* pLog) : m_pLog(pLog) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        *ppv = NULL;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleObject))
            *ppv = static_cast<IOleObject*>(this);
        else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceObject))
            *ppv = static_cast<IOleInPlaceObject*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_nRef; }
    STDMETHODIMP_(ULONG) Release() override
    {
        if (--m_nRef != 0)
            return m_nRef;
        m_pLog->destroyed = true;
        delete this;
        return 0;
    }

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* pSite) override
    {
        if (m_pSite)
            m_pSite->Release();
        m_pSite = pSite;
        if (pSite)
        {
            pSite->AddRef();
            m_pLog->hadSite = true;
        }
        else
        {
            m_pLog->siteTakenBack = true;
        }
        return S_OK;
    }
    STDMETHODIMP GetClientSite(IOleClientSite** ppSite) override
    {
        *ppSite = m_pSite;
        if (m_pSite)
            m_pSite->AddRef();
        return S_OK;
    }
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP Close(DWORD) override
    {
        m_pLog->closed = true;
        return S_OK;
    }
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP DoVerb(LONG iVerb, LPMSG, IOleClientSite* pSite, LONG, HWND hwndParent, LPCRECT lprcPosRect) override
    {
        if (iVerb != OLEIVERB_INPLACEACTIVATE || !pSite)
            return E_NOTIMPL;
        IOleInPlaceSite* pInPlace = NULL;
        if (FAILED(pSite->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&pInPlace))))
            return E_FAIL;
        HWND hwndSite = NULL;
        pInPlace->GetWindow(&hwndSite);
        HRESULT hr = pInPlace->CanInPlaceActivate();
        if (hr == S_OK)
            pInPlace->OnInPlaceActivate();
        pInPlace->Release();
        if (hr != S_OK || hwndSite != hwndParent)
            return E_FAIL;
        m_pLog->activatedIn = hwndParent;
        m_pLog->window = ::CreateWindowExW(0, L"STATIC", L"control", WS_CHILD | WS_VISIBLE, lprcPosRect->left,
                                           lprcPosRect->top, lprcPosRect->right - lprcPosRect->left,
                                           lprcPosRect->bottom - lprcPosRect->top, hwndParent, NULL, NULL, NULL);
        return S_OK;
    }
    STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID* pClsid) override
    {
        *pClsid = CLSID_TestControl;
        return S_OK;
    }
    STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
    STDMETHODIMP SetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    STDMETHODIMP GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    STDMETHODIMP Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unadvise(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    STDMETHODIMP GetMiscStatus(DWORD, DWORD* pStatus) override
    {
        *pStatus = 0;
        return S_OK;
    }
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleInPlaceObject
    STDMETHODIMP GetWindow(HWND* phwnd) override
    {
        *phwnd = m_pLog->window;
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP InPlaceDeactivate() override
    {
        ++m_pLog->deactivations;
        return S_OK;
    }
    STDMETHODIMP UIDeactivate() override { return S_OK; }
    STDMETHODIMP SetObjectRects(LPCRECT lprcPosRect, LPCRECT) override
    {
        m_pLog->lastRect = *lprcPosRect;
        ::MoveWindow(m_pLog->window, lprcPosRect->left, lprcPosRect->top, lprcPosRect->right - lprcPosRect->left,
                     lprcPosRect->bottom - lprcPosRect->top, TRUE);
        return S_OK;
    }
    STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }

private:
    virtual ~CTestControl()
    {
        if (m_pSite)
            m_pSite->Release();
    }

    ULONG m_nRef = 1;
    ControlLog* m_pLog;
    IOleClientSite* m_pSite = NULL;
};

class CTestControlFactory : public IClassFactory
{
public:
    ControlLog log;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        *ppv = NULL;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IClassFactory))
            return E_NOINTERFACE;
        *ppv = this;
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) override
    {
        *ppv = NULL;
        if (pOuter)
            return CLASS_E_NOAGGREGATION;
        CTestControl* pControl = new CTestControl(&log);
        HRESULT hr = pControl->QueryInterface(riid, ppv);
        pControl->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

class ControlSiteTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(NULL)));
        ASSERT_TRUE(SUCCEEDED(::CoRegisterClassObject(CLSID_TestControl, &factory, CLSCTX_INPROC_SERVER,
                                                      REGCLS_MULTIPLEUSE, &cookie)));
        ASSERT_TRUE(CreateTestPopup(parent));
    }
    void TearDown() override
    {
        parent.DestroyWindow();
        ::CoRevokeClassObject(cookie);
        ::OleUninitialize();
    }

    CTestControlFactory factory;
    DWORD cookie = 0;
    CWnd parent;
};

} // namespace

TEST_F(ControlSiteTest, ControlIsActivatedInPlaceInTheChildAndClosedWithIt)
{
    CWnd host;
    ASSERT_TRUE(host.CreateControl(CLSID_TestControl, NULL, WS_CHILD | WS_VISIBLE, CRect(5, 5, 105, 65), &parent, 77));
    const ControlLog& log = factory.log;
    EXPECT_TRUE(log.hadSite);
    EXPECT_EQ(host.GetSafeHwnd(), log.activatedIn);
    EXPECT_EQ(77, host.GetDlgCtrlID());
    ASSERT_TRUE(::IsWindow(log.window));
    EXPECT_EQ(host.GetSafeHwnd(), ::GetParent(log.window));
    CRect child;
    ::GetClientRect(log.window, &child);
    EXPECT_EQ(CSize(100, 60), child.Size());

    IOleObject* pObject = NULL;
    ASSERT_NE(nullptr, host.GetControlUnknown());
    EXPECT_EQ(S_OK, host.GetControlUnknown()->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&pObject)));
    pObject->Release();

    host.MoveWindow(0, 0, 200, 120);
    EXPECT_EQ(200, log.lastRect.right);
    EXPECT_EQ(120, log.lastRect.bottom);
    ::GetClientRect(log.window, &child);
    EXPECT_EQ(CSize(200, 120), child.Size()) << "the control follows its window";

    host.DestroyWindow();
    EXPECT_EQ(1, log.deactivations);
    EXPECT_TRUE(log.closed);
    EXPECT_TRUE(log.siteTakenBack);
    EXPECT_TRUE(log.destroyed) << "every reference released";
    EXPECT_EQ(nullptr, host.GetControlUnknown());
}

TEST_F(ControlSiteTest, AnUnknownControlMakesNoWindow)
{
    const CLSID unknown = {0x11111111, 0x2222, 0x3333, {4, 4, 4, 4, 4, 4, 4, 4}};
    CWnd host;
    EXPECT_FALSE(host.CreateControl(unknown, NULL, WS_CHILD, CRect(0, 0, 10, 10), &parent, 1));
    EXPECT_EQ(NULL, host.GetSafeHwnd());
    EXPECT_EQ(nullptr, host.GetControlUnknown());
    int children = 0;
    for (HWND child = ::GetWindow(parent.GetSafeHwnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        ++children;
    EXPECT_EQ(0, children);
}

TEST(WndToolHitTest, AWindowHasNoToolByDefault)
{
    CWnd window;
    ASSERT_TRUE(CreateTestPopup(window));
    TOOLINFO info = {};
    EXPECT_EQ(-1, window.OnToolHitTest(CPoint(5, 5), &info));
    window.DestroyWindow();
}
