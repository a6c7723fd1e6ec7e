#pragma once
#include <windows.h>

// The paper of a drawing by its code: 0 to 4 for A0 to A4, 8 to 11 for 2A to
// 5A, 12 to 14 for 10m, 50m and 100m.

// Width and height in millimetres; the A3 size for codes that name no paper.
SIZE GetPaperSizeMm(int code);
// "A0" ... "100m"; empty for codes that name no paper.
const wchar_t* GetPaperName(int code);
