#pragma once

#include <atlbase.h>
#include <gtest/gtest.h>
#include <objidl.h>

#include <string>

#include "QuilloraTestSupport.h"

// Shell-extension objects created the way Explorer creates them: through
// the registry, in-process, in the test thread's single-threaded apartment,
// with a drawing handed over through IPersistFile::Load.
class ShellHandlerTest : public testing::Test {
protected:
    template <class Interface>
    ATL::CComPtr<Interface> CreateLoaded(const CLSID& clsid, const std::wstring& path, REFIID iid)
    {
        ATL::CComPtr<IPersistFile> persistFile;
        EXPECT_EQ(S_OK, persistFile.CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER));
        ATL::CComPtr<Interface> handler;
        if (persistFile && SUCCEEDED(persistFile->Load(path.c_str(), STGM_READ)))
            persistFile->QueryInterface(iid, reinterpret_cast<void**>(&handler));
        return handler;
    }

    ComApartment apartment_;
    DrawingFixtures fixtures_;
};
