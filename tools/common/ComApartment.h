#pragma once
#include <objbase.h>

// A single-threaded apartment for the calling thread, the kind Explorer
// creates its shell handlers in.
class ComApartment
{
public:
    ComApartment() : m_hr(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment()
    {
        if (SUCCEEDED(m_hr))
            ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    HRESULT Result() const { return m_hr; }

private:
    HRESULT m_hr;
};
