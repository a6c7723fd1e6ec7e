#pragma once
#include <gtest/gtest.h>
#include <string>
#include "app/TavrenaApp.h"

// Loads the built language module that the library would choose, as start-up
// does, and gives the templates it holds.
class LanguageFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        theApp.LoadLanguageModule((std::wstring(JW_BIN_DIR) + L"\\Tavrena.dll").c_str());
        ASSERT_NE(theApp.m_hLangResourceDLL, nullptr);
    }
    void TearDown() override { theApp.FreeLanguageModule(); }

    static CStringW Template(UINT id)
    {
        const wchar_t* text = nullptr;
        int length = LoadStringW(theApp.m_hLangResourceDLL, id, reinterpret_cast<wchar_t*>(&text), 0);
        return CStringW(text, length);
    }

    template <class... Args>
    static CStringW Filled(UINT id, Args... args)
    {
        CStringW text;
        text.Format(Template(id), args...);
        return text;
    }
};
