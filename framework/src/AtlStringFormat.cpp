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

struct FormatField
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
std::string PrintNumber(const std::string& strField, VALUE value)
{
    int nLength = __mingw_snprintf(NULL, 0, strField.c_str(), value);
    if (nLength <= 0)
        return std::string();
    std::string strNumber(nLength, '\0');
    __mingw_snprintf(&strNumber[0], nLength + 1, strField.c_str(), value);
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
            const XCHAR* pFieldStart = p++;
            if (*p == '%')
            {
                m_strOut += XCHAR('%');
                ++p;
                continue;
            }
            FormatField field;
            p = ParseField(p, field);
            if (*p == 0)
            {
                // The format ends inside a conversion: keep it as text.
                m_strOut.append(pFieldStart, p);
                break;
            }
            ++p;
            Emit(field, pFieldStart, p);
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

    const XCHAR* ParseFlags(const XCHAR* p, FormatField& field)
    {
        for (;; ++p)
        {
            switch (*p)
            {
            case '-':
                field.bLeft = true;
                break;
            case '0':
                field.bZero = true;
                break;
            case '+':
            case ' ':
            case '#':
                break;
            default:
                return p;
            }
            field.strFlags += static_cast<char>(*p);
        }
    }

    const XCHAR* ParseSize(const XCHAR* p, FormatField& field)
    {
        switch (*p)
        {
        case 'h':
            field.size = p[1] == 'h' ? SizePrefix::Char : SizePrefix::Short;
            return p + (p[1] == 'h' ? 2 : 1);
        case 'l':
            field.size = p[1] == 'l' ? SizePrefix::LongLong : SizePrefix::Long;
            return p + (p[1] == 'l' ? 2 : 1);
        case 'L':
            field.size = SizePrefix::LongDouble;
            return p + 1;
        case 'w':
            field.size = SizePrefix::Wide;
            return p + 1;
        case 'j':
            field.size = SizePrefix::LongLong;
            return p + 1;
        case 'z':
        case 't':
            field.size = SizePrefix::Pointer;
            return p + 1;
        case 'I':
            if (p[1] == '6' && p[2] == '4')
            {
                field.size = SizePrefix::LongLong;
                return p + 3;
            }
            if (p[1] == '3' && p[2] == '2')
            {
                field.size = SizePrefix::Int32;
                return p + 3;
            }
            field.size = SizePrefix::Pointer;
            return p + 1;
        default:
            return p;
        }
    }

    const XCHAR* ParseField(const XCHAR* p, FormatField& field)
    {
        p = ParseFlags(p, field);
        field.nWidth = ParseCount(p);
        if (field.nWidth < 0)
        {
            // A negative width from '*' means left alignment.
            field.bLeft = true;
            field.strFlags += '-';
            field.nWidth = field.nWidth == INT_MIN ? INT_MAX : -field.nWidth;
        }
        if (*p == '.')
        {
            ++p;
            field.nPrecision = ParseCount(p);
        }
        p = ParseSize(p, field);
        field.chType = *p > 0 && *p < 0x80 ? static_cast<char>(*p) : '?';
        return p;
    }

    void Emit(const FormatField& field, const XCHAR* pFieldStart, const XCHAR* pFieldEnd)
    {
        switch (field.chType)
        {
        case 'd':
        case 'i':
            EmitSigned(field);
            break;
        case 'u':
        case 'o':
        case 'x':
        case 'X':
            EmitUnsigned(field);
            break;
        case 'e':
        case 'E':
        case 'f':
        case 'F':
        case 'g':
        case 'G':
        case 'a':
        case 'A':
            EmitFloat(field);
            break;
        case 'p':
            EmitPointer(field);
            break;
        case 'c':
        case 'C':
            EmitChar(field);
            break;
        case 's':
        case 'S':
            EmitString(field);
            break;
        case 'n':
            // Writing through the argument is refused, as by the Microsoft
            // run time; the pointer is still consumed.
            va_arg(*m_pArgs, void*);
            break;
        default:
            m_strOut.append(pFieldStart, pFieldEnd);
            break;
        }
    }

    std::string NumberFormat(const FormatField& field, const char* pszLength) const
    {
        std::string strField = "%" + field.strFlags;
        if (field.nWidth > 0)
            strField += std::to_string(field.nWidth);
        if (field.nPrecision >= 0)
            strField += "." + std::to_string(field.nPrecision);
        return strField + pszLength + field.chType;
    }

    void EmitSigned(const FormatField& field)
    {
        long long nValue;
        switch (field.size)
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
        AppendAscii(PrintNumber(NumberFormat(field, "ll"), nValue));
    }

    void EmitUnsigned(const FormatField& field)
    {
        unsigned long long nValue;
        switch (field.size)
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
        AppendAscii(PrintNumber(NumberFormat(field, "ll"), nValue));
    }

    void EmitFloat(const FormatField& field)
    {
        if (field.size == SizePrefix::LongDouble)
            AppendAscii(PrintNumber(NumberFormat(field, "L"), va_arg(*m_pArgs, long double)));
        else
            AppendAscii(PrintNumber(NumberFormat(field, ""), va_arg(*m_pArgs, double)));
    }

    void EmitPointer(const FormatField& field)
    {
        // Upper-case hexadecimal, zero-padded to the pointer's width.
        uintptr_t nValue = reinterpret_cast<uintptr_t>(va_arg(*m_pArgs, void*));
        std::string strDigits =
            PrintNumber("%0" + std::to_string(sizeof(void*) * 2) + "llX", static_cast<unsigned long long>(nValue));
        std::basic_string<XCHAR> strBody(strDigits.begin(), strDigits.end());
        EmitPadded(strBody, field, ' ');
    }

    bool IsWideArgument(const FormatField& field) const
    {
        if (field.size == SizePrefix::Short)
            return false;
        if (field.size == SizePrefix::Long || field.size == SizePrefix::Wide)
            return true;
        bool bOwnWidth = field.chType == 'c' || field.chType == 's';
        bool bFormatWide = sizeof(XCHAR) == sizeof(wchar_t);
        return bOwnWidth == bFormatWide;
    }

    void EmitChar(const FormatField& field)
    {
        std::basic_string<XCHAR> strBody;
        if (IsWideArgument(field))
        {
            wchar_t ch = static_cast<wchar_t>(va_arg(*m_pArgs, int));
            AppendConverted(strBody, &ch, 1);
        }
        else
        {
            char ch = static_cast<char>(va_arg(*m_pArgs, int));
            AppendConverted(strBody, &ch, 1);
        }
        EmitPadded(strBody, field, field.bZero ? '0' : ' ');
    }

    template <typename CHAR>
    void AppendStringArgument(std::basic_string<XCHAR>& strBody, const CHAR* psz, const CHAR* pszNull,
                              int nPrecision)
    {
        if (psz == NULL)
            psz = pszNull;
        AppendConverted(strBody, psz, PrecisionLength(psz, nPrecision));
    }

    void EmitString(const FormatField& field)
    {
        std::basic_string<XCHAR> strBody;
        if (IsWideArgument(field))
            AppendStringArgument(strBody, va_arg(*m_pArgs, const wchar_t*), L"(null)", field.nPrecision);
        else
            AppendStringArgument(strBody, va_arg(*m_pArgs, const char*), "(null)", field.nPrecision);
        EmitPadded(strBody, field, field.bZero ? '0' : ' ');
    }

    void EmitPadded(const std::basic_string<XCHAR>& strBody, const FormatField& field, char chPad)
    {
        size_t nPad = field.nWidth > 0 && static_cast<size_t>(field.nWidth) > strBody.size()
                          ? static_cast<size_t>(field.nWidth) - strBody.size()
                          : 0;
        if (!field.bLeft)
            m_strOut.append(nPad, static_cast<XCHAR>(chPad));
        m_strOut += strBody;
        if (field.bLeft)
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
