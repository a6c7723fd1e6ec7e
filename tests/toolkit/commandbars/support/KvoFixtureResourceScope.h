// Makes the command-bar fixture module (menus and prompt strings) the
// toolkit's resource module for a scope; the toolkit has none afterwards.
#pragma once
#include <windows.h>
#include "foundation/base/KvoResourceManager.h"
#include "support/TestPaths.h"

class KvoFixtureResourceScope {
public:
    KvoFixtureResourceScope() : m_module(::LoadLibraryW(BesideTestProgram(L"KvoFixtureCommandBars.dll").c_str()))
    {
        CKvoResourceManager::Instance()->SetResourceHandle(m_module);
    }
    ~KvoFixtureResourceScope()
    {
        CKvoResourceManager::Instance()->SetResourceHandle(nullptr);
        if (m_module)
            ::FreeLibrary(m_module);
    }
    KvoFixtureResourceScope(const KvoFixtureResourceScope&) = delete;
    KvoFixtureResourceScope& operator=(const KvoFixtureResourceScope&) = delete;

    HMODULE Module() const { return m_module; }

private:
    HMODULE m_module;
};
