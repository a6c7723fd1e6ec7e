#include "text/ModifyString.h"
#include "cache/InfoFormat.h"
#include "reader/JwCADBase.h"
#include "text/ScaleTerms.h"
#include <cwchar>

namespace {
const wchar_t kCurrentTimePrefixes[] = L"$&%";
const wchar_t kFileTimePrefixes[] = L"_=";
const wchar_t kCodeLetters[] = L"YymdJjHhnNMSswTFf";

const wchar_t* const kWeekdays[] = {L"\x65E5", L"\x6708", L"\x706B", L"\x6C34", L"\x6728", L"\x91D1", L"\x571F"};
const wchar_t* const kWeekdayNames[] = {L"SUN", L"MON", L"TUE", L"WED", L"THU", L"FRI", L"SAT"};
const wchar_t* const kMonthNames[] = {L"JAN", L"FEB", L"MAR", L"APR", L"MAY", L"JUN",
                                      L"JUL", L"AUG", L"SEP", L"OCT", L"NOV", L"DEC"};
const wchar_t kMorning[] = L"\x524D";
const wchar_t kAfternoon[] = L"\x5F8C";

struct Era {
    int start;  // year x 10000 + month x 100 + day
    const wchar_t* name;
};
// Newest first: the first era that has begun applies.
const Era kEras[] = {
    {20190501, L"\x4EE4\x548C"}, {19890108, L"\x5E73\x6210"}, {19261225, L"\x662D\x548C"},
    {19120730, L"\x5927\x6B63"}, {18680125, L"\x660E\x6CBB"},
};
const wchar_t kFirstYear[] = L"\x5143";  // the era's first year
const wchar_t kYearMark[] = L"\x5E74";
const wchar_t kMonthMark[] = L"\x6708";
const wchar_t kDayMark[] = L"\x65E5";

// A time's local fields.
struct LocalTime {
    int year, month, day, hour, minute, second, weekday;  // weekday 0 Sunday
};

bool ToLocal(const CTime& time, LocalTime& local)
{
    struct tm fields;
    if (!time.GetLocalTm(&fields))
        return false;
    local = LocalTime{fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday, fields.tm_hour,
                      fields.tm_min,         fields.tm_sec,     fields.tm_wday};
    return true;
}

bool IsOneOf(wchar_t c, const wchar_t* set)
{
    return c != L'\0' && std::wcschr(set, c) != nullptr;
}

// The length test of a variable: exactly n characters.
bool HasLength(const wchar_t* text, int n)
{
    for (int i = 0; i < n; ++i) {
        if (text[i] == L'\0')
            return false;
    }
    return text[n] == L'\0';
}

CStringW Number(wchar_t prefix, int value)
{
    const wchar_t* form = prefix == L'$' ? L"%-2d" : prefix == L'%' || prefix == L'=' ? L"%02d" : L"%2d";
    CStringW text;
    text.Format(form, value);
    return text;
}

const Era* EraOf(const LocalTime& local)
{
    int date = local.year * 10000 + local.month * 100 + local.day;
    for (const Era& era : kEras) {
        if (era.start <= date)
            return &era;
    }
    return nullptr;
}

int EraYear(const LocalTime& local, const Era& era)
{
    return local.year - era.start / 10000 + 1;
}

CStringW EraDate(const LocalTime& local)
{
    CStringW text;
    const Era* era = EraOf(local);
    if (!era) {
        text.Format(L"%d/%02d/%02d", local.year, local.month, local.day);
        return text;
    }
    int year = EraYear(local, *era);
    if (year == 1)
        text.Format(L"%s%s%s%2d%s%2d%s", era->name, kFirstYear, kYearMark, local.month, kMonthMark, local.day,
                    kDayMark);
    else
        text.Format(L"%s%2d%s%2d%s%2d%s", era->name, year, kYearMark, local.month, kMonthMark, local.day, kDayMark);
    return text;
}

// The variables that read the same from the current and the file time; the
// era year only where an era applies, unless beforeEra is given.
bool CommonTimeLetter(wchar_t prefix, wchar_t letter, const LocalTime& t, const int* beforeEra, CStringW& out)
{
    switch (letter) {
    case L'Y': {
        const Era* era = EraOf(t);
        if (!era && !beforeEra)
            return false;
        out = Number(prefix, era ? EraYear(t, *era) : *beforeEra);
        return true;
    }
    case L'y': out = Number(prefix, t.year % 100); return true;
    case L'm': out = Number(prefix, t.month); return true;
    case L'd': out = Number(prefix, t.day); return true;
    case L'H': out = Number(prefix, t.hour); return true;
    case L'h': out = Number(prefix, t.hour >= 12 ? t.hour - 12 : t.hour); return true;
    case L'n': out = t.hour < 12 ? L"AM" : L"PM"; return true;
    case L'N': out = t.hour < 12 ? kMorning : kAfternoon; return true;
    case L'M': out = Number(prefix, t.minute); return true;
    case L'S': out = Number(prefix, t.second); return true;
    case L'w': out = kWeekdays[t.weekday]; return true;
    default: return false;
    }
}

// "ma" and "wa": the month's and the weekday's English names.
bool NameOf(const wchar_t* rest, const LocalTime& t, CStringW& out)
{
    if (std::wcscmp(rest, L"ma") == 0)
        out = kMonthNames[t.month - 1];
    else if (std::wcscmp(rest, L"wa") == 0)
        out = kWeekdayNames[t.weekday];
    else
        return false;
    return true;
}

CStringW FileName(const CStringW& path, bool withExtension)
{
    int slash = path.ReverseFind(L'\\');
    CStringW name = path.Mid(slash + 1);
    int dot = name.ReverseFind(L'.');
    return withExtension || dot < 0 ? name : name.Left(dot);
}

bool IsDateDigit(wchar_t c)
{
    return c >= L'1' && c <= L'9';
}
}

bool CModifyString::ExpandVariable(const wchar_t* text, CStringW& out)
{
    if (!text || !(IsOneOf(text[0], kCurrentTimePrefixes) || IsOneOf(text[0], kFileTimePrefixes)) ||
        !IsOneOf(text[1], kCodeLetters))
        return false;
    if (IsOneOf(text[0], kFileTimePrefixes))
        return ExpandFileTime(text, out);
    return ExpandCurrentTime(text, out) || (text[0] == L'%' && ExpandDrawingText(text, out));
}

bool CModifyString::ExpandCurrentTime(const wchar_t* text, CStringW& out)
{
    CTime now = m_clock ? m_clock() : CTime::GetCurrentTime();
    if (HasLength(text, 2))
        return CurrentTimeLetter(text[0], text[1], now, out);
    if (!HasLength(text, 3))
        return false;
    LocalTime t;
    if (ToLocal(now, t) && NameOf(text + 1, t, out))
        return true;
    // Era dates with a digit have no settled form: known, and drawn empty.
    return (text[1] == L'J' || text[1] == L'j') && IsDateDigit(text[2]);
}

bool CModifyString::CurrentTimeLetter(wchar_t prefix, wchar_t letter, const CTime& now, CStringW& out)
{
    LocalTime t;
    if (!ToLocal(now, t))
        return false;
    const int beforeEra = -1;
    if (CommonTimeLetter(prefix, letter, t, &beforeEra, out))
        return true;
    switch (letter) {
    case L'J': out = EraDate(t); return true;
    case L'j': out.Format(L"%d/%2d/%2d", t.year, t.month, t.day); return true;
    case L'T': {
        uint32_t seconds = m_reader->GetHeaderTime();
        if (seconds == 0)
            return false;
        out = CTimeSpan(static_cast<__time64_t>(seconds)).Format(L"%H:%M");
        return true;
    }
    case L'F': out = m_reader->m_path; return true;
    case L'f': out = FileName(m_reader->m_path, prefix == L'%'); return true;
    default: return false;
    }
}

// Variables of the file's last change; none when its status cannot be read.
bool CModifyString::ExpandFileTime(const wchar_t* text, CStringW& out)
{
    bool two = HasLength(text, 2);
    if (!two && !HasLength(text, 3))
        return false;
    CFileStatus status;
    LocalTime t;
    if (!CFile::GetStatus(m_reader->m_path, status) || !ToLocal(status.m_mtime, t))
        return false;
    if (!two)
        return NameOf(text + 1, t, out);
    if (CommonTimeLetter(text[0], text[1], t, nullptr, out))
        return true;
    if (text[1] == L'F')
        out = status.m_mtime.Format(L"%Y/%m/%d %H:%M:%S");
    else if (text[1] == L'f')
        out = status.m_mtime.Format(L"%Y/%m/%d");
    else
        return false;
    return true;
}

// The scale and the memo, three characters each.
bool CModifyString::ExpandDrawingText(const wchar_t* text, CStringW& out)
{
    if (!HasLength(text, 3))
        return false;
    wchar_t letter = text[1], last = text[2];
    if (letter == L'S' && IsOneOf(last, L"PSs")) {
        out.Format(L"%s/%u", ScaleNumeratorText().GetString(), ScaleTermsOf(m_reader->GetScale()).denominator);
        return true;
    }
    if (letter == L's' && IsOneOf(last, L"Pps")) {
        out = ScaleNumeratorText();
        return true;
    }
    if (letter != L'm' || !IsOneOf(last, L"12m"))
        return false;
    CStringW memo = m_reader->GetMemo();
    int feed = memo.Find(L'\n');
    bool split = feed > 0;
    if (last == L'1') {
        out = split ? memo.Left(feed) : memo;
    } else if (last == L'2') {
        out = split ? memo.Mid(feed + 1) : CStringW();
    } else {
        out = memo;
        out.Replace(L'\n', L' ');
    }
    return true;
}

// "1" for scales of 1 and above; "2" or "2.5" for enlargements. The terms
// stay within the signed range the info text's formatter takes.
CStringW CModifyString::ScaleNumeratorText() const
{
    return FormatScaleNumerator(static_cast<int32_t>(ScaleTermsOf(m_reader->GetScale()).numerator10));
}
