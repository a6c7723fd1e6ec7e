#include "text/HalfWidth.h"
#include <windows.h>

std::vector<bool> HalfWidthCharacters(const CStringW& text)
{
    int length = text.GetLength();
    std::vector<WORD> types(length + 1, 0);
    if (length > 0)
        GetStringTypeExW(LOCALE_SYSTEM_DEFAULT, CT_CTYPE3, text, length, types.data());
    std::vector<bool> half(length);
    for (int i = 0; i < length; ++i)
        half[i] = (types[i] & C3_HALFWIDTH) != 0;
    return half;
}

int HalfWidthCells(const CStringW& text)
{
    int cells = 0;
    for (bool half : HalfWidthCharacters(text))
        cells += half ? 1 : 2;
    return cells;
}
