#include <afx.h>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

namespace
{

struct OsErrorCause
{
    LONG lOsError;
    int nCause;
};

const OsErrorCause osErrorCauses[] = {
    {NO_ERROR, CFileException::none},
    {ERROR_FILE_NOT_FOUND, CFileException::fileNotFound},
    {ERROR_PATH_NOT_FOUND, CFileException::badPath},
    {ERROR_INVALID_NAME, CFileException::badPath},
    {ERROR_BAD_PATHNAME, CFileException::badPath},
    {ERROR_INVALID_DRIVE, CFileException::badPath},
    {ERROR_BAD_NETPATH, CFileException::badPath},
    {ERROR_BAD_NET_NAME, CFileException::badPath},
    {ERROR_FILENAME_EXCED_RANGE, CFileException::badPath},
    {ERROR_TOO_MANY_OPEN_FILES, CFileException::tooManyOpenFiles},
    {ERROR_ACCESS_DENIED, CFileException::accessDenied},
    {ERROR_WRITE_PROTECT, CFileException::accessDenied},
    {ERROR_FILE_EXISTS, CFileException::accessDenied},
    {ERROR_ALREADY_EXISTS, CFileException::accessDenied},
    {ERROR_INVALID_HANDLE, CFileException::invalidFile},
    {ERROR_CURRENT_DIRECTORY, CFileException::removeCurrentDir},
    {ERROR_CANNOT_MAKE, CFileException::directoryFull},
    {ERROR_SEEK, CFileException::badSeek},
    {ERROR_NEGATIVE_SEEK, CFileException::badSeek},
    {ERROR_NOT_READY, CFileException::hardIO},
    {ERROR_CRC, CFileException::hardIO},
    {ERROR_SECTOR_NOT_FOUND, CFileException::hardIO},
    {ERROR_WRITE_FAULT, CFileException::hardIO},
    {ERROR_READ_FAULT, CFileException::hardIO},
    {ERROR_GEN_FAILURE, CFileException::hardIO},
    {ERROR_IO_DEVICE, CFileException::hardIO},
    {ERROR_SHARING_VIOLATION, CFileException::sharingViolation},
    {ERROR_LOCK_VIOLATION, CFileException::lockViolation},
    {ERROR_DISK_FULL, CFileException::diskFull},
    {ERROR_HANDLE_DISK_FULL, CFileException::diskFull},
    {ERROR_HANDLE_EOF, CFileException::endOfFile},
};

const LPCWSTR fileCauseTexts[] = {
    L"No error occurred.",
    L"An unspecified error occurred.",
    L"The file could not be found.",
    L"All or part of the path is invalid.",
    L"Too many files are open.",
    L"Access to the file was denied.",
    L"The file handle is invalid.",
    L"The current directory cannot be removed.",
    L"The directory is full.",
    L"The file position could not be set.",
    L"A hardware error occurred.",
    L"The file is in use by another process.",
    L"A locked region of the file was accessed.",
    L"The disk is full.",
    L"The end of the file was reached.",
};

const LPCWSTR archiveCauseTexts[] = {
    L"No error occurred.",
    L"An unspecified archive error occurred.",
    L"An archive opened for loading was written to.",
    L"The archive ended unexpectedly.",
    L"An archive opened for storing was read from.",
    L"The archive refers to an object or class that does not exist.",
    L"The archive holds an unknown or unexpected class.",
    L"The archive holds an unsupported schema version.",
    L"The archive buffer is too small.",
};

template <size_t N>
LPCWSTR CauseText(const LPCWSTR (&texts)[N], int nCause)
{
    return nCause >= 0 && static_cast<size_t>(nCause) < N ? texts[nCause] : texts[1];
}

LPCWSTR NameOrEmpty(LPCWSTR lpszName)
{
    return lpszName != NULL ? lpszName : L"";
}

// "<file>: <text>", or the text alone when no file is named.
CString TextWithFileName(const CString& strFileName, LPCWSTR lpszText)
{
    if (strFileName.IsEmpty())
        return CString(lpszText);
    return strFileName + L": " + lpszText;
}

}

// CException ---------------------------------------------------------------

CException::CException() : m_bAutoDelete(TRUE)
{
}

CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete)
{
}

CException::~CException() = default;

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError != NULL && nMaxError > 0)
        *lpszError = L'\0';
    return FALSE;
}

BOOL CException::CopyMessage(LPCWSTR lpszText, LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    lstrcpynW(lpszError, lpszText, static_cast<int>(nMaxError));
    return TRUE;
}

// CSimpleException and its kin ---------------------------------------------

CSimpleException::CSimpleException() = default;

CSimpleException::CSimpleException(BOOL bAutoDelete) : CException(bAutoDelete)
{
}

CSimpleException::~CSimpleException() = default;

CMemoryException::CMemoryException() = default;

CMemoryException::CMemoryException(BOOL bAutoDelete) : CSimpleException(bAutoDelete)
{
}

CMemoryException::~CMemoryException() = default;

BOOL CMemoryException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return CopyMessage(L"Out of memory.", lpszError, nMaxError, pnHelpContext);
}

CInvalidArgException::CInvalidArgException() = default;

CInvalidArgException::CInvalidArgException(BOOL bAutoDelete) : CSimpleException(bAutoDelete)
{
}

CInvalidArgException::~CInvalidArgException() = default;

BOOL CInvalidArgException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return CopyMessage(L"An invalid argument was encountered.", lpszError, nMaxError, pnHelpContext);
}

// CFileException -----------------------------------------------------------

CFileException::CFileException(int cause, LONG lOsError, LPCWSTR lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(NameOrEmpty(lpszArchiveName))
{
}

CFileException::~CFileException() = default;

int PASCAL CFileException::OsErrorToException(LONG lOsError)
{
    for (const OsErrorCause& entry : osErrorCauses)
    {
        if (entry.lOsError == lOsError)
            return entry.nCause;
    }
    return genericException;
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCWSTR lpszFileName)
{
    AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

BOOL CFileException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    CString strText = TextWithFileName(m_strFileName, CauseText(fileCauseTexts, m_cause));
    return CopyMessage(strText, lpszError, nMaxError, pnHelpContext);
}

// CArchiveException --------------------------------------------------------

CArchiveException::CArchiveException(int cause, LPCWSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(NameOrEmpty(lpszArchiveName))
{
}

CArchiveException::~CArchiveException() = default;

BOOL CArchiveException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    CString strText = TextWithFileName(m_strFileName, CauseText(archiveCauseTexts, m_cause));
    return CopyMessage(strText, lpszError, nMaxError, pnHelpContext);
}

// Throw helpers ------------------------------------------------------------

// Out of memory there may be no memory for a new exception, so one static
// exception is thrown each time; Delete() leaves it alone.
void AFXAPI AfxThrowMemoryException()
{
    static CMemoryException memoryException(FALSE);
    throw &memoryException;
}

CResourceException::CResourceException() = default;

CResourceException::CResourceException(BOOL bAutoDelete) : CSimpleException(bAutoDelete)
{
}

CResourceException::~CResourceException() = default;

BOOL CResourceException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return CopyMessage(L"A required resource was unavailable.", lpszError, nMaxError, pnHelpContext);
}

// Like the memory exception, it is thrown without allocating.
void AFXAPI AfxThrowResourceException()
{
    static CResourceException resourceException(FALSE);
    throw &resourceException;
}

void AFXAPI AfxThrowInvalidArgException()
{
    throw new CInvalidArgException();
}

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCWSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AFXAPI AfxThrowArchiveException(int cause, LPCWSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}
