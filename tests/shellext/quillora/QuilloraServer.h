#pragma once

#include <windows.h>

#include <string>

#include "Quillora.h"

// Fixed facts of the server that the type library does not carry.
extern const wchar_t kQuilloraAppId[];
extern const wchar_t kInfoTipHandlerKey[];
extern const wchar_t kThumbnailHandlerKey[];
extern const wchar_t* const kDrawingExtensions[4];

// The build's Quillora.dll of the test's width.
std::wstring QuilloraDll();
bool SamePath(const std::wstring& a, const std::wstring& b);
