#pragma once
#include <windows.h>
#include <string>
#include "TestPaths.h"

// Loads one of the built modules from the build's bin folder and frees it
// when the test ends.
class LibraryModule {
public:
    explicit LibraryModule(const wchar_t* fileName)
        : m_module(LoadLibraryW(BuiltModulePath(fileName).c_str())) {}
    ~LibraryModule() { if (m_module) FreeLibrary(m_module); }
    LibraryModule(const LibraryModule&) = delete;
    LibraryModule& operator=(const LibraryModule&) = delete;

    bool IsLoaded() const { return m_module != nullptr; }
    HMODULE Handle() const { return m_module; }
    template <class Function> Function Proc(const char* name) const
    {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(m_module, name)));
    }

private:
    HMODULE m_module;
};
