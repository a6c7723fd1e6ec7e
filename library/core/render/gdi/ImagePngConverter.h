#pragma once
#include <atlstr.h>

struct B_ImageParams;

// Writes the record's image as the PNG file name with its key colour made
// fully transparent; false when the image cannot be read, no PNG encoder is
// installed or the file cannot be written. GDI+ must be started.
bool ConvertToPng(const B_ImageParams& record, const CStringW& name);
