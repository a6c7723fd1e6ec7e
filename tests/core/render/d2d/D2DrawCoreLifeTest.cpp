#include <gtest/gtest.h>
#include <objbase.h>
#include <thread>
#include "render/d2d/D2DrawCore.h"
#include "render/d2d/ColorDrawingEffect.h"
#include "render/d2d/D2DTextRenderer.h"
#include "render/d2d/Direct2DLibraries.h"
#include <atlbase.h>
#include <d2d1.h>

namespace {
// Whether this thread's COM is still in the multithreaded apartment.
bool StillMultithreaded()
{
    HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(result))
        CoUninitialize();
    return result == RPC_E_CHANGED_MODE;
}
}

// A core whose start failed in another apartment leaves that apartment
// alone when it goes.
TEST(D2DrawCoreLife, FailedStartDoesNotEndTheCallersCom)
{
    std::thread worker([] {
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        {
            CD2DrawCore core;
            EXPECT_FALSE(core.Init());
        }
        EXPECT_TRUE(StillMultithreaded());
        CoUninitialize();
    });
    worker.join();
}

// COM begun on one thread is ended there only: deleting the core on another
// thread leaves that thread's COM as it was.
TEST(D2DrawCoreLife, DeletedOnAnotherThread)
{
    CD2DrawCore* core = nullptr;
    std::thread maker([&core] {
        core = new CD2DrawCore();
        EXPECT_TRUE(core->Init());
    });
    maker.join();
    std::thread deleter([&core] {
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        delete core;
        EXPECT_TRUE(StillMultithreaded());
        CoUninitialize();
    });
    deleter.join();
}

// On its own thread the core begins and ends COM in balance.
TEST(D2DrawCoreLife, BalancedOnItsOwnThread)
{
    std::thread worker([] {
        {
            CD2DrawCore core;
            EXPECT_TRUE(core.Init());
        }
        HRESULT fresh = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        EXPECT_EQ(fresh, S_OK);
        if (SUCCEEDED(fresh))
            CoUninitialize();
    });
    worker.join();
}

// The text renderer and the colour effect answer for their own interfaces
// only, and say E_FAIL for any other.
TEST(D2DTextObjects, QueryInterface)
{
    ATL::CComPtr<ID2D1Factory> factory;
    ASSERT_TRUE(SUCCEEDED(Direct2DLibraries::Instance().createFactory(
        D2D1_FACTORY_TYPE_SINGLE_THREADED, __uuidof(ID2D1Factory), nullptr, reinterpret_cast<void**>(&factory))));
    D2D1_RENDER_TARGET_PROPERTIES properties = {D2D1_RENDER_TARGET_TYPE_DEFAULT,
                                                {DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_IGNORE}, 0, 0,
                                                D2D1_RENDER_TARGET_USAGE_NONE, D2D1_FEATURE_LEVEL_DEFAULT};
    ATL::CComPtr<ID2D1DCRenderTarget> target;
    ASSERT_TRUE(SUCCEEDED(factory->CreateDCRenderTarget(&properties, &target)));

    ATL::CComPtr<IDWriteTextRenderer> renderer(new D2DTextRenderer(factory, target));
    void* answer = reinterpret_cast<void*>(1);
    for (REFIID iid : {__uuidof(IDWriteTextRenderer), __uuidof(IDWritePixelSnapping), IID_IUnknown}) {
        ATL::CComPtr<IUnknown> same;
        EXPECT_EQ(renderer->QueryInterface(iid, reinterpret_cast<void**>(&same)), S_OK);
        EXPECT_EQ(same.p, static_cast<IUnknown*>(renderer.p));
    }
    EXPECT_EQ(renderer->QueryInterface(IID_IDispatch, &answer), E_FAIL);
    EXPECT_EQ(answer, nullptr);

    D2D1_COLOR_F red = {1, 0, 0, 1}, read = {};
    ATL::CComPtr<IUnknown> effect(new ColorDrawingEffect(red));
    ATL::CComPtr<ColorDrawingEffect> coloured;
    ASSERT_EQ(effect->QueryInterface(IID_ColorDrawingEffect, reinterpret_cast<void**>(&coloured)), S_OK);
    coloured->GetColor(&read);
    EXPECT_EQ(read.r, 1.0f);
    answer = reinterpret_cast<void*>(1);
    EXPECT_EQ(effect->QueryInterface(__uuidof(IDWriteTextRenderer), &answer), E_FAIL);
    EXPECT_EQ(answer, nullptr);
}
