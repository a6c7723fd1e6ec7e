// What the colour control tests share: the English language module as the
// toolkit's resource module for the strings and page templates.
#pragma once
#include <afxwin.h>

#include "foundation/base/KvoResourceManager.h"
#include "support/LibraryModule.h"

class CColorLanguageScope
{
public:
    CColorLanguageScope() : m_module(L"TavrenaENU.dll"), m_hPrevious(CKvoResourceManager::Instance()->GetResourceHandle())
    {
        CKvoResourceManager::Instance()->SetResourceHandle(m_module.Handle());
    }
    ~CColorLanguageScope() { CKvoResourceManager::Instance()->SetResourceHandle(m_hPrevious); }
    bool IsLoaded() const { return m_module.IsLoaded(); }

private:
    LibraryModule m_module;
    HMODULE m_hPrevious;
};
