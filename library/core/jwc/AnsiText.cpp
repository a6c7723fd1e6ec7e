#include "jwc/AnsiText.h"
#include <windows.h>
#include <cstring>

CStringW AnsiTextToWide(const char* bytes, size_t size)
{
    const void* nul = std::memchr(bytes, 0, size);
    int length = static_cast<int>(nul ? static_cast<const char*>(nul) - bytes : size);
    if (length == 0)
        return CStringW();
    int units = MultiByteToWideChar(CP_THREAD_ACP, 0, bytes, length, nullptr, 0);
    CStringW text;
    if (units > 0) {
        MultiByteToWideChar(CP_THREAD_ACP, 0, bytes, length, text.GetBuffer(units), units);
        text.ReleaseBuffer(units);
    }
    return text;
}
