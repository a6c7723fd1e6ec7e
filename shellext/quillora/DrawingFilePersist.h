// IPersistFile as both shell extensions need it: the shell hands over the
// path of the drawing with Load, and nothing else is supported.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <string>

class CDrawingFilePersist : public IPersistFile
{
public:
    // Called by the shell before it asks for the tip or the thumbnail; keeps
    // a copy of the path (the mode is not used: the file is only read).
    STDMETHOD(Load)(LPCOLESTR pszFileName, DWORD dwMode) override;
    STDMETHOD(GetClassID)(CLSID* pClassID) override;
    STDMETHOD(IsDirty)() override;
    STDMETHOD(Save)(LPCOLESTR pszFileName, BOOL fRemember) override;
    STDMETHOD(SaveCompleted)(LPCOLESTR pszFileName) override;
    STDMETHOD(GetCurFile)(LPOLESTR* ppszFileName) override;

protected:
    const wchar_t* DrawingPath() const noexcept
    {
        return m_path.c_str();
    }

private:
    std::wstring m_path;
};
