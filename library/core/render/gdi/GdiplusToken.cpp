#include "render/gdi/GdiplusToken.h"
#include <gdiplus.h>

GdiplusToken::GdiplusToken()
{
    Gdiplus::GdiplusStartupInput input;
    m_started = Gdiplus::GdiplusStartup(&m_token, &input, nullptr) == Gdiplus::Ok;
}

GdiplusToken::~GdiplusToken()
{
    if (m_started)
        Gdiplus::GdiplusShutdown(m_token);
}
