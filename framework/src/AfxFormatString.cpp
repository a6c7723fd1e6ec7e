// "%1" to "%9" inserts into string resources.
#include <afxwin.h>

void AFXAPI AfxFormatStrings(CString& rString, UINT nIDS, LPCTSTR const* rglpsz, int nString)
{
    CString strFormat;
    strFormat.LoadString(nIDS);
    CString strResult;
    for (int i = 0; i < strFormat.GetLength(); ++i)
    {
        wchar_t ch = strFormat[i];
        wchar_t chNext = i + 1 < strFormat.GetLength() ? strFormat[i + 1] : L'\0';
        int nInsert = chNext - L'1';
        if (ch == L'%' && nInsert >= 0 && nInsert < 9 && nInsert < nString)
        {
            if (rglpsz[nInsert] != NULL)
                strResult += rglpsz[nInsert];
            ++i;
        }
        else
        {
            strResult += ch;
        }
    }
    rString = strResult;
}

void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1)
{
    AfxFormatStrings(rString, nIDS, &lpsz1, 1);
}

void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2)
{
    LPCTSTR rglpsz[] = {lpsz1, lpsz2};
    AfxFormatStrings(rString, nIDS, rglpsz, 2);
}
