#include "Utf8Text.h"
#include <windows.h>

std::string Utf8(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), length, &bytes[0], size, nullptr, nullptr);
    return bytes;
}
