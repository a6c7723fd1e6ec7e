#include "cache/PaperSize.h"
#include <iterator>

namespace {
struct Paper {
    int code;
    const wchar_t* name;
    SIZE size;
};

const Paper kPapers[] = {
    {0, L"A0", {1189, 841}},         {1, L"A1", {841, 594}},           {2, L"A2", {594, 420}},
    {3, L"A3", {420, 297}},          {4, L"A4", {297, 210}},           {8, L"2A", {1682, 1189}},
    {9, L"3A", {2378, 1682}},        {10, L"4A", {3364, 2378}},        {11, L"5A", {4756, 3364}},
    {12, L"10m", {10000, 7073}},     {13, L"50m", {50000, 35366}},     {14, L"100m", {100000, 70732}},
};
const SIZE kOtherSize = {420, 297};

const Paper* FindPaper(int code)
{
    for (const Paper& paper : kPapers) {
        if (paper.code == code)
            return &paper;
    }
    return nullptr;
}
}

SIZE GetPaperSizeMm(int code)
{
    const Paper* paper = FindPaper(code);
    return paper ? paper->size : kOtherSize;
}

const wchar_t* GetPaperName(int code)
{
    const Paper* paper = FindPaper(code);
    return paper ? paper->name : L"";
}
