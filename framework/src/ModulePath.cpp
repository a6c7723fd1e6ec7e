#include "ModulePath.h"

namespace ATL
{

std::wstring AtlModulePath(HINSTANCE hInstance)
{
    // Paths may be longer than MAX_PATH; a full buffer means the path was cut.
    for (DWORD cch = MAX_PATH; cch <= 32768; cch *= 2)
    {
        std::wstring path(cch, L'\0');
        DWORD cchPath = ::GetModuleFileNameW(hInstance, &path[0], cch);
        if (cchPath == 0)
            return std::wstring();
        if (cchPath < cch)
        {
            path.resize(cchPath);
            return path;
        }
    }
    return std::wstring();
}

} // namespace ATL
