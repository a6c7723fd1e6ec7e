#include "cache/PathKeyLess.h"
#include "app/TavrenaApp.h"
#include <string.h>

bool PathKeyLess::operator()(const CStringW& left, const CStringW& right) const
{
    return _wcsicmp_l(left, right, theApp.GetLocale()) < 0;
}
