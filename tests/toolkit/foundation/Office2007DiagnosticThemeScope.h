#pragma once
#include <afxwin.h>
#include "foundation/images/KvoOffice2007Images.h"
#include "support/TestPaths.h"

// Serves the shared Office 2007 picture set from the diagnostic theme module
// (KvoFixtureOffice2007Black.dll) for as long as it lives, and gives the set
// back its previous module, the library's own theme, however the test ends.
// The diagnostic pictures paint every state cell and each of its nine parts
// in a flat colour of its own (Office2007BlackPartColour of
// Office2007BlackGeometry.h), so a test reads which cell and part was drawn
// where; the theme text is the library's.
class Office2007DiagnosticThemeScope {
public:
    Office2007DiagnosticThemeScope()
        : m_shared(CKvoOffice2007Images::Instance()), m_saved(m_shared->GetHandle()),
          m_module(::LoadLibraryW(BesideTestProgram(L"KvoFixtureOffice2007Black.dll").c_str()))
    {
        if (m_module != nullptr)
            m_shared->SetHandle(m_module);
    }
    ~Office2007DiagnosticThemeScope()
    {
        // The set lets go of the module before it is freed.
        m_shared->SetHandle(m_saved);
        if (m_module != nullptr)
            ::FreeLibrary(m_module);
    }
    Office2007DiagnosticThemeScope(const Office2007DiagnosticThemeScope&) = delete;
    Office2007DiagnosticThemeScope& operator=(const Office2007DiagnosticThemeScope&) = delete;

    // The diagnostic module, loaded while the scope lives: for sets of a
    // test's own.
    HMODULE Module() const { return m_module; }
    // Whether the shared set serves the diagnostic pictures: assert it first.
    bool IsInstalled() const { return m_module != nullptr && m_shared->GetHandle() == m_module && m_shared->IsValid(); }

private:
    CKvoOffice2007Images* m_shared;
    HMODULE m_saved;
    HMODULE m_module;
};
