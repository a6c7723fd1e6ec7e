#include "cache/InfoFormat.h"

namespace {
const uint64_t kKilobyte = 1024;
const uint64_t kMegabyte = kKilobyte * 1024;
const uint64_t kGigabyte = kMegabyte * 1024;
const int kGroupDigits = 3;
}

CStringW FormatCount(uint64_t value)
{
    CStringW digits;
    digits.Format(L"%llu", static_cast<unsigned long long>(value));
    CStringW grouped;
    int length = digits.GetLength();
    for (int i = 0; i < length; ++i) {
        if (i > 0 && (length - i) % kGroupDigits == 0)
            grouped += L',';
        grouped += digits[i];
    }
    return grouped;
}

CStringW FormatFileTime(const CTime& time)
{
    return time.Format(L"%Y/%m/%d %H:%M");
}

CStringW FormatFileSize(uint64_t size)
{
    CStringW text;
    if (size < kKilobyte)
        text.Format(L"%d B", static_cast<int>(size));
    else if (size < kMegabyte)
        text.Format(L"%.1f KB", static_cast<double>(size) / kKilobyte);
    else if (size < kGigabyte)
        text.Format(L"%.1f MB", static_cast<double>(size) / kMegabyte);
    else
        text.Format(L"%.1f GB", static_cast<double>(size) / kGigabyte);
    return text;
}

CStringW FormatScaleNumerator(int32_t numerator10)
{
    CStringW text(L"1");
    if (numerator10 > 1) {
        int32_t whole = numerator10 / 10, tenths = numerator10 % 10;
        if (tenths != 0)
            text.Format(L"%d.%d", whole, tenths);
        else
            text.Format(L"%d", whole);
    }
    return text;
}
