#include <afxwin.h>

int CDC::StartDoc(LPDOCINFO lpDocInfo)
{
    return ::StartDocW(m_hDC, lpDocInfo);
}

int CDC::StartDoc(LPCTSTR lpszDocName)
{
    DOCINFOW info = {};
    info.cbSize = sizeof(info);
    info.lpszDocName = lpszDocName;
    return StartDoc(&info);
}

int CDC::StartPage()
{
    return ::StartPage(m_hDC);
}

int CDC::EndPage()
{
    return ::EndPage(m_hDC);
}

int CDC::EndDoc()
{
    return ::EndDoc(m_hDC);
}

int CDC::AbortDoc()
{
    return ::AbortDoc(m_hDC);
}
