// The error path of the ATL-shaped classes raises the class library's
// exceptions, so a caller's catch of CException* sees them.
#include <afx.h>

namespace ATL
{

void WINAPI AtlThrowImpl(HRESULT hr)
{
    if (hr == E_OUTOFMEMORY)
        AfxThrowMemoryException();
    AfxThrowInvalidArgException();
}

} // namespace ATL
