// Pixel helpers the image classes share: the screen DC for GetDIBits and the
// header of a 32-bit DIB.
#pragma once
#include <afxwin.h>

// The screen's DC for one scope; m_hDC is null when Windows gives none.
class CKvoScreenDC
{
public:
    CKvoScreenDC() : m_hDC(::GetDC(NULL)) {}
    ~CKvoScreenDC()
    {
        if (m_hDC)
            ::ReleaseDC(NULL, m_hDC);
    }
    CKvoScreenDC(const CKvoScreenDC&) = delete;
    CKvoScreenDC& operator=(const CKvoScreenDC&) = delete;

    HDC m_hDC;
};

// A 32-bit BI_RGB header; a negative height makes the rows top-down.
inline BITMAPINFO KvoDib32Header(int width, int height)
{
    BITMAPINFO header = {};
    header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = height;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    return header;
}
