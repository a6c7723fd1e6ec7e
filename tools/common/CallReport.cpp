#include "CallReport.h"

#include <cstdio>

#include "Utf8Text.h"

void ReportCall(const char* call, HRESULT hr, const wchar_t* detail)
{
    fprintf(stderr, "%s: 0x%08lX", call, static_cast<unsigned long>(hr));
    if (*detail != L'\0')
        fputc(' ', stderr);
    fputs(Utf8(detail).c_str(), stderr);
    fputc('\n', stderr);
}
