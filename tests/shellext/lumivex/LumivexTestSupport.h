#pragma once

#include <windows.h>

#include <string>

// The build's Lumivex.dll of the test's width.
std::wstring LumivexDll();

// HKCR\<extension>\shellex\<the shell's preview-handler key>.
std::wstring PreviewHandlerKeyOf(const wchar_t* extension);
