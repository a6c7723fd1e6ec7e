#pragma once
#include <atlstr.h>

// The title the info tip shows for a drawing: its file name without folder
// and extension.
CStringW DrawingTitleOf(const wchar_t* path);
