#include <gtest/gtest.h>
#include <afxwin.h>
#include <chrono>
#include "foundation/base/KvoAccessible.h"

namespace {
// {618736E0-3C3D-11CF-810C-00AA00389B71}, written out: the GUID of IAccessible.
const GUID kAccessibleGuid = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
}

// A command target with the accessibility mix-in, as a command bar is.
class AccessibleTestTarget : public CCmdTarget, public CKvoAccessible {
public:
    CCmdTarget* GetAccessible() override { return this; }
    HRESULT get_accName(VARIANT child, BSTR* name) override
    {
        if (!name)
            return E_INVALIDARG;
        *name = SysAllocString(GetChildIndex(&child) == CHILDID_SELF ? L"Test bar" : L"Test item");
        return S_OK;
    }
    HRESULT get_accRole(VARIANT, VARIANT* role) override
    {
        VariantInit(role);
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_TOOLBAR;
        return S_OK;
    }

protected:
    LPUNKNOWN GetInterfaceHook(const void* iid) override { return GetAccessibleInterface(iid); }
};

TEST(KvoAccessible, InterfaceIdIsTheGuidItself)
{
    EXPECT_TRUE(IsEqualGUID(__uuidof(IAccessible), kAccessibleGuid));
    AccessibleTestTarget target;
    EXPECT_EQ(target.GetAccessibleInterface(&kAccessibleGuid), static_cast<IAccessible*>(&target.m_xAccessible));
    EXPECT_NE(target.GetAccessibleInterface(&IID_IDispatch), nullptr);
    EXPECT_NE(target.GetAccessibleInterface(&IID_IUnknown), nullptr);
    EXPECT_EQ(target.GetAccessibleInterface(&IID_IOleWindow), nullptr);
}

TEST(KvoAccessible, InterfaceTakesItsIdentityFromTheCommandTarget)
{
    auto* target = new AccessibleTestTarget;
    IAccessible* accessible = &target->m_xAccessible;
    EXPECT_EQ(accessible->AddRef(), 2u);
    EXPECT_EQ(target->m_dwRef, 2);

    for (const IID* iid : {&kAccessibleGuid, &IID_IDispatch, &IID_IUnknown}) {
        void* found = nullptr;
        EXPECT_EQ(accessible->QueryInterface(*iid, &found), S_OK);
        EXPECT_EQ(found, static_cast<void*>(accessible));
        static_cast<IUnknown*>(found)->Release();
    }
    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(accessible->QueryInterface(IID_IOleWindow, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(target->m_dwRef, 2);

    EXPECT_EQ(accessible->Release(), 1u);
    EXPECT_EQ(accessible->Release(), 0u) << "the last release deletes the command target";
}

TEST(KvoAccessible, MethodsReachTheOuterObjectOrTheirDefaults)
{
    AccessibleTestTarget target;
    IAccessible* accessible = &target.m_xAccessible;
    VARIANT self;
    VariantInit(&self);
    BSTR name = nullptr;
    ASSERT_EQ(accessible->get_accName(self, &name), S_OK);
    EXPECT_STREQ(name, L"Test bar");
    SysFreeString(name);
    VARIANT role;
    ASSERT_EQ(accessible->get_accRole(self, &role), S_OK);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_TOOLBAR);

    VARIANT out;
    VariantInit(&out);
    long count = 0, left = 0, top = 0, width = 0, height = 0;
    IDispatch* parent = nullptr;
    BSTR text = nullptr;
    EXPECT_EQ(accessible->get_accChildCount(&count), E_NOTIMPL);
    EXPECT_EQ(accessible->get_accParent(&parent), E_NOTIMPL);
    EXPECT_EQ(accessible->get_accDescription(self, &text), E_NOTIMPL);
    EXPECT_EQ(accessible->get_accState(self, &out), E_NOTIMPL);
    EXPECT_EQ(accessible->accLocation(&left, &top, &width, &height, self), E_NOTIMPL);
    EXPECT_EQ(accessible->accHitTest(1, 1, &out), E_NOTIMPL);
    EXPECT_EQ(accessible->accDoDefaultAction(self), E_NOTIMPL);
    EXPECT_EQ(accessible->put_accName(self, nullptr), E_NOTIMPL);
    EXPECT_EQ(accessible->get_accFocus(&out), S_FALSE);
    EXPECT_EQ(accessible->get_accSelection(&out), S_FALSE);
    UINT typeInfoCount = 0;
    EXPECT_EQ(accessible->GetTypeInfoCount(&typeInfoCount), E_NOTIMPL);
    EXPECT_EQ(accessible->Invoke(0, IID_NULL, 0, 0, nullptr, nullptr, nullptr, nullptr), E_NOTIMPL);
}

TEST(KvoAccessible, ChildIndexOfEveryVariantKind)
{
    LONG four = 4;
    SHORT three = 3;
    VARIANT inner;
    VariantInit(&inner);
    inner.vt = VT_I4;
    inner.lVal = 5;
    VARIANT text;
    VariantInit(&text);
    text.vt = VT_BSTR;

    struct Case {
        const char* what;
        VARTYPE type;
        void* pointer;
        LONG value;
        int expected;
    } const cases[] = {
        {"empty", VT_EMPTY, nullptr, 0, 0},
        {"I4", VT_I4, nullptr, 7, 7},
        {"I4 self", VT_I4, nullptr, CHILDID_SELF, 0},
        {"I2", VT_I2, nullptr, 2, 2},
        {"I4 by reference", VT_BYREF | VT_I4, &four, 0, 4},
        {"I2 by reference", VT_BYREF | VT_I2, &three, 0, 3},
        {"null I4 reference", VT_BYREF | VT_I4, nullptr, 0, -1},
        {"null I2 reference", VT_BYREF | VT_I2, nullptr, 0, -1},
        {"variant holding I4 5", VT_BYREF | VT_VARIANT, &inner, 0, 5},
        {"variant holding a string", VT_BYREF | VT_VARIANT, &text, 0, -1},
        {"null variant reference", VT_BYREF | VT_VARIANT, nullptr, 0, -1},
        {"string", VT_BSTR, nullptr, 0, -1},
        {"unsigned", VT_UI4, nullptr, 9, -1},
    };
    for (const Case& c : cases) {
        VARIANT child;
        VariantInit(&child);
        child.vt = c.type;
        if (c.type & VT_BYREF)
            child.byref = c.pointer;
        else if (c.type == VT_I2)
            child.iVal = static_cast<SHORT>(c.value);
        else
            child.lVal = c.value;
        EXPECT_EQ(CKvoAccessible::GetChildIndex(&child), c.expected) << c.what;
    }
    EXPECT_EQ(CKvoAccessible::GetChildIndex(nullptr), -1);
}

namespace {
// A window whose client object is the test target, answered through the
// toolkit's safe LresultFromObject.
AccessibleTestTarget* g_windowAccessible = nullptr;

LRESULT CALLBACK AccessibleTestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT && g_windowAccessible)
        return g_windowAccessible->LresultFromObjectSafe(__uuidof(IAccessible), wParam,
                                                         &g_windowAccessible->m_xAccessible);
    return DefWindowProcW(window, message, wParam, lParam);
}

int g_accessibleTestWinEvents = 0;
void CALLBACK CountAccessibleTestWinEvent(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD)
{
    ++g_accessibleTestWinEvents;
}
}

// The real road through Wine's oleacc: a client asks the window for its
// accessible object, the window answers with LresultFromObjectSafe, and the
// client reaches the target's own answers.
TEST(KvoAccessible, WindowHandsItsObjectToAnAccessibilityClient)
{
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = AccessibleTestWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"KvoAccessibleTestWindow";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"accessible", WS_POPUP | WS_VISIBLE, 30, 30, 100,
                                  50, nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    auto* target = new AccessibleTestTarget;
    g_windowAccessible = target;

    IAccessible* client = nullptr;
    HRESULT found = target->AccessibleObjectFromWindowSafe(window, static_cast<DWORD>(OBJID_CLIENT),
                                                           __uuidof(IAccessible), reinterpret_cast<void**>(&client));
    ASSERT_EQ(found, S_OK);
    ASSERT_NE(client, nullptr);
    VARIANT self;
    VariantInit(&self);
    BSTR name = nullptr;
    EXPECT_EQ(client->get_accName(self, &name), S_OK);
    EXPECT_STREQ(name, L"Test bar");
    SysFreeString(name);
    client->Release();

    // An accessibility event reaches an out-of-context hook.
    g_accessibleTestWinEvents = 0;
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, CountAccessibleTestWinEvent,
                                         GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    target->NotifyWinEventSafe(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
    ASSERT_NE(hook, nullptr);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (g_accessibleTestWinEvents == 0 && std::chrono::steady_clock::now() < deadline) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    EXPECT_EQ(g_accessibleTestWinEvents, 1);
    UnhookWinEvent(hook);

    g_windowAccessible = nullptr;
    DestroyWindow(window);
    EXPECT_EQ(target->m_dwRef, 1) << "oleacc gave back every reference it took";
    target->InternalRelease();
    CoUninitialize();
}
