#pragma once
#include <windows.h>

// GDI+ started for as long as the object lives.
class GdiplusToken {
public:
    GdiplusToken();
    ~GdiplusToken();
    GdiplusToken(const GdiplusToken&) = delete;
    GdiplusToken& operator=(const GdiplusToken&) = delete;

    bool Started() const { return m_started; }

private:
    ULONG_PTR m_token = 0;
    bool m_started = false;
};
