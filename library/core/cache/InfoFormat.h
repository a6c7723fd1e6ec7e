#pragma once
#include <atlstr.h>
#include <atltime.h>
#include <cstdint>

// The pieces of the info text.

// Decimal digits with a comma before every group of three from the right:
// 1200000 gives "1,200,000".
CStringW FormatCount(uint64_t value);
// Local time as "%Y/%m/%d %H:%M".
CStringW FormatFileTime(const CTime& time);
// "1023 B", "1.0 KB", "1.0 MB", "1.0 GB" by the size's range.
CStringW FormatFileSize(uint64_t size);
// "a" of the scale "a:b" from ten times its value: "1" up to 1 (also for
// 0 and less), "2.5" for 25, "2" for 20.
CStringW FormatScaleNumerator(int32_t numerator10);
