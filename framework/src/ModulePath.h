// The full path of a loaded module, for the registrar, the type library and
// the application's names.
#pragma once

#include <windows.h>

#include <string>

namespace ATL
{

// Empty when the path cannot be read.
std::wstring AtlModulePath(HINSTANCE hInstance);

} // namespace ATL
