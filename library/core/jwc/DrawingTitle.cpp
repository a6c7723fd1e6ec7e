#include "jwc/DrawingTitle.h"
#include <algorithm>

CStringW DrawingTitleOf(const wchar_t* path)
{
    CStringW name(path);
    int slash = std::max(name.ReverseFind(L'\\'), name.ReverseFind(L'/'));
    name = name.Mid(slash + 1);
    int dot = name.ReverseFind(L'.');
    return dot < 0 ? name : name.Left(dot);
}
