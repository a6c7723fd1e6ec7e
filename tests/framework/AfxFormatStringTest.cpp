// "%1"/"%2" inserts into string resources of the resource module.
#include <afxwin.h>

#include <gtest/gtest.h>

#include "TestModules.h"

class AfxFormatString : public ResourceModuleTest
{
protected:
    AfxFormatString() : ResourceModuleTest(FW_LANG_DLL) {}
};

namespace
{

struct FormatCase
{
    UINT nIDS;
    LPCWSTR lpsz1;
    LPCWSTR lpsz2;
    LPCWSTR lpszExpected;
};

} // namespace

TEST_F(AfxFormatString, ReplacesNumberedInserts)
{
    const FormatCase cases[] = {
        {IDS_TEST_INSERT_ONE, L"3.10", NULL, L"Version 3.10 is out (3.10)"},
        {IDS_TEST_INSERT_ONE, L"", NULL, L"Version  is out ()"},
        // An insert holding "%1" is not expanded again.
        {IDS_TEST_INSERT_ONE, L"%1", NULL, L"Version %1 is out (%1)"},
        // %3 has no argument and a lone % stays; "%%1" is a % and an insert.
        {IDS_TEST_INSERTS, L"one", L"two", L"two before one, 100%, %3 %one %"},
        {IDS_TEST_INSERTS, L"\x3042", NULL, L" before \x3042, 100%, %3 %\x3042 %"},
        {IDS_TEST_MISSING, L"x", L"y", L""},
    };
    for (const FormatCase& c : cases)
    {
        CString str(L"old");
        if (c.nIDS == IDS_TEST_INSERT_ONE)
            AfxFormatString1(str, c.nIDS, c.lpsz1);
        else
            AfxFormatString2(str, c.nIDS, c.lpsz1, c.lpsz2);
        EXPECT_STREQ(c.lpszExpected, str) << c.nIDS << " with " << c.lpsz1;
    }
}
