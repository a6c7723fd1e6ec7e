#pragma once
#include <string>

// The text in UTF-8, for consoles, traces and files that expect it.
std::string Utf8(const std::wstring& text);
