#include "markup/builder/KvoMarkupBuilderException.h"

CKvoMarkupBuilderException::CKvoMarkupBuilderException(LPCWSTR message)
{
    lstrcpynW(m_message, message ? message : L"", static_cast<int>(_countof(m_message)));
}

BOOL CKvoMarkupBuilderException::GetErrorMessage(LPWSTR buffer, UINT size, PUINT helpContext) const
{
    if (helpContext)
        *helpContext = 0;
    if (!buffer)
        return FALSE;
    lstrcpynW(buffer, m_message, static_cast<int>(size));
    return TRUE;
}

void ThrowMarkupBuildError(LPCWSTR message)
{
    throw new CKvoMarkupBuilderException(message);
}
