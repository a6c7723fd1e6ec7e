// The printf engine behind CStringT::Format. It keeps the Microsoft rules
// whatever the C library in use does: %s and %c take the format's own width
// and %S and %C the other one, h and l (or w) name the width outright, and
// I64, I32, I, ll, l, h, hh, j, z and t size integers (l is 32-bit). Numbers
// are printed by the C99 printf of the mingw run time; %n writes nothing.
#include <atlstr.h>

#include <stdio.h>
#include <stdint.h>
#include <string.h>
#include <wchar.h>

#include <climits>
#include <string>

namespace ATL
{

namespace
{

enum class SizePrefix
{
    None,
    Char,     // hh
    Short,    // h
    Long,     // l
    LongLong, // ll, I64, j
    Int32,    // I32
    Pointer,  // I, z, t
    LongDouble, // L
    Wide      // w
};

struct FormatSpec
{
    bool bLeft = false;
    bool bZero = false;
    std::string strFlags;
    int nWidth = -1;
    int nPrecision = -1;
    SizePrefix size = SizePrefix::None;
    char chType = 0;
};

void AppendConverted(std::wstring& strOut, const wchar_t* pch, int nLength)
{
    strOut.append(pch, nLength);
}

void AppendConverted(std::wstring& strOut, const char* pch, int nLength)
{
    strOut += AtlMultiByteToWide(pch, nLength, _AtlGetConversionACP());
}

void AppendConverted(std::string& strOut, const char* pch, int nLength)
{
    strOut.append(pch, nLength);
}

void AppendConverted(std::string& strOut, const wchar_t* pch, int nLength)
{
    strOut += AtlWideToMultiByte(pch, nLength, _AtlGetConversionACP());
}

// Source characters of a string argument that the precision lets through;
// a narrow cut never splits a double-byte character.
int PrecisionLength(const wchar_t* psz, int nPrecision)
{
    return static_cast<int>(nPrecision >= 0 ? wcsnlen(psz, nPrecision) : wcslen(psz));
}

int PrecisionLength(const char* psz, int nPrecision)
{
    if (nPrecision < 0)
        return static_cast<int>(strlen(psz));
    const char* p = psz;
    for (;;)
    {
        if (*p == 0)
            break;
        const char* pNext = ChTraitsCRT<char>::CharNext(p);
        if (pNext - psz > nPrecision)
            break;
        p = pNext;
    }
    return static_cast<int>(p - psz);
}

template <typename VALUE>
std::string PrintNumber(const std::string& strSpec, VALUE value)
{
    int nLength = __mingw_snprintf(NULL, 0, strSpec.c_str(), value);
    if (nLength <= 0)
        return std::string();
    std::string strNumber(nLength, '\0');
    __mingw_snprintf(&strNumber[0], nLength + 1, strSpec.c_str(), value);
    return strNumber;
}

template <typename XCHAR>
class CFormatEngine
{
public:
    CFormatEngine(std::basic_string<XCHAR>& strOut, va_list* pArgs) : m_strOut(strOut), m_pArgs(pArgs)
    {
    }

    void Run(const XCHAR* pszFormat)
    {
        const XCHAR* p = pszFormat;
        while (*p != 0)
        {
            if (*p != '%')
            {
                const XCHAR* pRun = p;
                while (*p != 0 && *p != '%')
                    ++p;
                m_strOut.append(pRun, p);
                continue;
            }
            const XCHAR* pSpecStart = p++;
            if (*p == '%')
            {
                m_strOut += XCHAR('%');
                ++p;
                continue;
            }
            FormatSpec spec;
            p = ParseSpec(p, spec);
            if (*p == 0)
            {
                // The format ends inside a conversion: keep it as text.
                m_strOut.append(pSpecStart, p);
                break;
            }
            ++p;
            Emit(spec, pSpecStart, p);
        }
    }

private:
    static bool IsDigit(XCHAR ch)
    {
        return ch >= '0' && ch <= '9';
    }

    int ParseCount(const XCHAR*& p)
    {
        if (*p == '*')
        {
            ++p;
            return va_arg(*m_pArgs, int);
        }
        int nValue = 0;
        for (; IsDigit(*p); ++p)
        {
            if (nValue <= (INT_MAX - 9) / 10)
                nValue = nValue * 10 + (*p - '0');
        }
        return nValue;
    }

    const XCHAR* ParseFlags(const XCHAR* p, FormatSpec& spec)
    {
        for (;; ++p)
        {
            switch (*p)
            {
            case '-':
                spec.bLeft = true;
                break;
            case '0':
                spec.bZero = true;
                break;
            case '+':
            case ' ':
            case '#':
                break;
            default:
                return p;
            }
            spec.strFlags += static_cast<char>(*p);
        }
    }

    const XCHAR* ParseSize(const XCHAR* p, FormatSpec& spec)
    {
        switch (*p)
        {
        case 'h':
            spec.size = p[1] == 'h' ? SizePrefix::Char : SizePrefix::Short;
            return p + (p[1] == 'h' ? 2 : 1);
        case 'l':
            spec.size = p[1] == 'l' ? SizePrefix::LongLong : SizePrefix::Long;
            return p + (p[1] == 'l' ? 2 : 1);
        case 'L':
            spec.size = SizePrefix::LongDouble;
            return p + 1;
        case 'w':
            spec.size = SizePrefix::Wide;
            return p + 1;
        case 'j':
            spec.size = SizePrefix::LongLong;
            return p + 1;
        case 'z':
        case 't':
            spec.size = SizePrefix::Pointer;
            return p + 1;
        case 'I':
            if (p[1] == '6' && p[2] == '4')
            {
                spec.size = SizePrefix::LongLong;
                return p + 3;
            }
            if (p[1] == '3' && p[2] == '2')
            {
                spec.size = SizePrefix::Int32;
                return p + 3;
            }
            spec.size = SizePrefix::Pointer;
            return p + 1;
        default:
            return p;
        }
    }

    const XCHAR* ParseSpec(const XCHAR* p, FormatSpec& spec)
    {
        p = ParseFlags(p, spec);
        spec.nWidth = ParseCount(p);
        if (spec.nWidth < 0)
        {
            // A negative width from '*' means left alignment.
            spec.bLeft = true;
            spec.strFlags += '-';
            spec.nWidth = spec.nWidth == INT_MIN ? INT_MAX : -spec.nWidth;
        }
        if (*p == '.')
        {
            ++p;
            spec.nPrecision = ParseCount(p);
        }
        p = ParseSize(p, spec);
        spec.chType = *p > 0 && *p < 0x80 ? static_cast<char>(*p) : '?';
        return p;
    }

    void Emit(const FormatSpec& spec, const XCHAR* pSpecStart, const XCHAR* pSpecEnd)
    {
        switch (spec.chType)
        {
        case 'd':
        case 'i':
            EmitSigned(spec);
            break;
        case 'u':
        case 'o':
        case 'x':
        case 'X':
            EmitUnsigned(spec);
            break;
        case 'e':
        case 'E':
        case 'f':
        case 'F':
        case 'g':
        case 'G':
        case 'a':
        case 'A':
            EmitFloat(spec);
            break;
        case 'p':
            EmitPointer(spec);
            break;
        case 'c':
        case 'C':
            EmitChar(spec);
            break;
        case 's':
        case 'S':
            EmitString(spec);
            break;
        case 'n':
            // Writing through the argument is refused, as by the Microsoft
            // run time; the pointer is still consumed.
            va_arg(*m_pArgs, void*);
            break;
        default:
            m_strOut.append(pSpecStart, pSpecEnd);
            break;
        }
    }

    std::string NumberSpec(const FormatSpec& spec, const char* pszLength) const
    {
        std::string strSpec = "%" + spec.strFlags;
        if (spec.nWidth > 0)
            strSpec += std::to_string(spec.nWidth);
        if (spec.nPrecision >= 0)
            strSpec += "." + std::to_string(spec.nPrecision);
        return strSpec + pszLength + spec.chType;
    }

    void EmitSigned(const FormatSpec& spec)
    {
        long long nValue;
        switch (spec.size)
        {
        case SizePrefix::Char:
            nValue = static_cast<signed char>(va_arg(*m_pArgs, int));
            break;
        case SizePrefix::Short:
            nValue = static_cast<short>(va_arg(*m_pArgs, int));
            break;
        case SizePrefix::Long:
            nValue = va_arg(*m_pArgs, long);
            break;
        case SizePrefix::LongLong:
            nValue = va_arg(*m_pArgs, long long);
            break;
        case SizePrefix::Pointer:
            nValue = va_arg(*m_pArgs, intptr_t);
            break;
        default:
            nValue = va_arg(*m_pArgs, int);
            break;
        }
        AppendAscii(PrintNumber(NumberSpec(spec, "ll"), nValue));
    }

    void EmitUnsigned(const FormatSpec& spec)
    {
        unsigned long long nValue;
        switch (spec.size)
        {
        case SizePrefix::Char:
            nValue = static_cast<unsigned char>(va_arg(*m_pArgs, unsigned int));
            break;
        case SizePrefix::Short:
            nValue = static_cast<unsigned short>(va_arg(*m_pArgs, unsigned int));
            break;
        case SizePrefix::Long:
            nValue = va_arg(*m_pArgs, unsigned long);
            break;
        case SizePrefix::LongLong:
            nValue = va_arg(*m_pArgs, unsigned long long);
            break;
        case SizePrefix::Pointer:
            nValue = va_arg(*m_pArgs, uintptr_t);
            break;
        default:
            nValue = va_arg(*m_pArgs, unsigned int);
            break;
        }
        AppendAscii(PrintNumber(NumberSpec(spec, "ll"), nValue));
    }

    void EmitFloat(const FormatSpec& spec)
    {
        if (spec.size == SizePrefix::LongDouble)
            AppendAscii(PrintNumber(NumberSpec(spec, "L"), va_arg(*m_pArgs, long double)));
        else
            AppendAscii(PrintNumber(NumberSpec(spec, ""), va_arg(*m_pArgs, double)));
    }

    void EmitPointer(const FormatSpec& spec)
    {
        // Upper-case hexadecimal, zero-padded to the pointer's width.
        uintptr_t nValue = reinterpret_cast<uintptr_t>(va_arg(*m_pArgs, void*));
        std::string strDigits =
            PrintNumber("%0" + std::to_string(sizeof(void*) * 2) + "llX", static_cast<unsigned long long>(nValue));
        std::basic_string<XCHAR> strBody(strDigits.begin(), strDigits.end());
        EmitPadded(strBody, spec, ' ');
    }

    bool IsWideArgument(const FormatSpec& spec) const
    {
        if (spec.size == SizePrefix::Short)
            return false;
        if (spec.size == SizePrefix::Long || spec.size == SizePrefix::Wide)
            return true;
        bool bOwnWidth = spec.chType == 'c' || spec.chType == 's';
        bool bFormatWide = sizeof(XCHAR) == sizeof(wchar_t);
        return bOwnWidth == bFormatWide;
    }

    void EmitChar(const FormatSpec& spec)
    {
        std::basic_string<XCHAR> strBody;
        if (IsWideArgument(spec))
        {
            wchar_t ch = static_cast<wchar_t>(va_arg(*m_pArgs, int));
            AppendConverted(strBody, &ch, 1);
        }
        else
        {
            char ch = static_cast<char>(va_arg(*m_pArgs, int));
            AppendConverted(strBody, &ch, 1);
        }
        EmitPadded(strBody, spec, spec.bZero ? '0' : ' ');
    }

    template <typename CHAR>
    void AppendStringArgument(std::basic_string<XCHAR>& strBody, const CHAR* psz, const CHAR* pszNull,
                              int nPrecision)
    {
        if (psz == NULL)
            psz = pszNull;
        AppendConverted(strBody, psz, PrecisionLength(psz, nPrecision));
    }

    void EmitString(const FormatSpec& spec)
    {
        std::basic_string<XCHAR> strBody;
        if (IsWideArgument(spec))
            AppendStringArgument(strBody, va_arg(*m_pArgs, const wchar_t*), L"(null)", spec.nPrecision);
        else
            AppendStringArgument(strBody, va_arg(*m_pArgs, const char*), "(null)", spec.nPrecision);
        EmitPadded(strBody, spec, spec.bZero ? '0' : ' ');
    }

    void EmitPadded(const std::basic_string<XCHAR>& strBody, const FormatSpec& spec, char chPad)
    {
        size_t nPad = spec.nWidth > 0 && static_cast<size_t>(spec.nWidth) > strBody.size()
                          ? static_cast<size_t>(spec.nWidth) - strBody.size()
                          : 0;
        if (!spec.bLeft)
            m_strOut.append(nPad, static_cast<XCHAR>(chPad));
        m_strOut += strBody;
        if (spec.bLeft)
            m_strOut.append(nPad, XCHAR(' '));
    }

    void AppendAscii(const std::string& strText)
    {
        m_strOut.append(strText.begin(), strText.end());
    }

    std::basic_string<XCHAR>& m_strOut;
    va_list* m_pArgs;
};

template <typename XCHAR>
void FormatAppend(std::basic_string<XCHAR>& strOut, const XCHAR* pszFormat, va_list args)
{
    va_list argsCopy;
    va_copy(argsCopy, args);
    CFormatEngine<XCHAR>(strOut, &argsCopy).Run(pszFormat);
    va_end(argsCopy);
}

} // namespace

void AtlFormatAppendV(std::wstring& strOut, const wchar_t* pszFormat, va_list args)
{
    FormatAppend(strOut, pszFormat, args);
}

void AtlFormatAppendV(std::string& strOut, const char* pszFormat, va_list args)
{
    FormatAppend(strOut, pszFormat, args);
}

} // namespace ATL
