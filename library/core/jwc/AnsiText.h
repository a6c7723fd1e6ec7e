#pragma once
#include <atlstr.h>
#include <cstddef>

// Text of the older files: bytes in the thread's ANSI code page, ending at
// the first NUL or after size bytes.
CStringW AnsiTextToWide(const char* bytes, size_t size);
