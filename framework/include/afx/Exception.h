// The exception family: thrown by pointer, freed with Delete(), caught with
// plain try/catch or with the TRY/CATCH macros (which free the caught
// exception at END_CATCH unless THROW_LAST passes it on).
// Part of <afx.h>; include that instead.
#pragma once

#include "afx/Object.h"
#include <atlstr.h>

class CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    CException();
    explicit CException(BOOL bAutoDelete);
    virtual ~CException() = 0;

    // Frees a heap exception; does nothing for a static one (m_bAutoDelete FALSE).
    void Delete();
    virtual BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;

    BOOL m_bAutoDelete;

protected:
    static BOOL CopyMessage(LPCWSTR lpszText, LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext);
};

class CSimpleException : public CException
{
    DECLARE_DYNAMIC(CSimpleException)
public:
    CSimpleException();
    explicit CSimpleException(BOOL bAutoDelete);
    virtual ~CSimpleException();
};

class CMemoryException : public CSimpleException
{
    DECLARE_DYNAMIC(CMemoryException)
public:
    CMemoryException();
    explicit CMemoryException(BOOL bAutoDelete);
    virtual ~CMemoryException();
    BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;
};

class CInvalidArgException : public CSimpleException
{
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    CInvalidArgException();
    explicit CInvalidArgException(BOOL bAutoDelete);
    virtual ~CInvalidArgException();
    BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;
};

// A GDI object or other Windows resource could not be made or found.
class CResourceException : public CSimpleException
{
    DECLARE_DYNAMIC(CResourceException)
public:
    CResourceException();
    explicit CResourceException(BOOL bAutoDelete);
    virtual ~CResourceException();
    BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;
};

class CFileException : public CException
{
    DECLARE_DYNAMIC(CFileException)
public:
    enum
    {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    explicit CFileException(int cause = none, LONG lOsError = -1, LPCWSTR lpszArchiveName = NULL);
    virtual ~CFileException();

    static int PASCAL OsErrorToException(LONG lOsError);
    [[noreturn]] static void PASCAL ThrowOsError(LONG lOsError, LPCWSTR lpszFileName = NULL);
    BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class CArchiveException : public CException
{
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum
    {
        none,
        genericException,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema,
        bufferFull
    };

    explicit CArchiveException(int cause = none, LPCWSTR lpszArchiveName = NULL);
    virtual ~CArchiveException();
    BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;

    int m_cause;
    CString m_strFileName;
};

[[noreturn]] void AFXAPI AfxThrowMemoryException();
[[noreturn]] void AFXAPI AfxThrowInvalidArgException();
[[noreturn]] void AFXAPI AfxThrowResourceException();
[[noreturn]] void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1, LPCWSTR lpszFileName = NULL);
[[noreturn]] void AFXAPI AfxThrowArchiveException(int cause, LPCWSTR lpszArchiveName = NULL);

// Frees the exception caught by a CATCH block when the block is left.
struct AFX_EXCEPTION_LINK
{
    CException* m_pException = nullptr;

    AFX_EXCEPTION_LINK() = default;
    AFX_EXCEPTION_LINK(const AFX_EXCEPTION_LINK&) = delete;
    AFX_EXCEPTION_LINK& operator=(const AFX_EXCEPTION_LINK&) = delete;
    ~AFX_EXCEPTION_LINK()
    {
        if (m_pException != nullptr)
            m_pException->Delete();
    }
};

#define TRY \
    { \
        AFX_EXCEPTION_LINK _afxExceptionLink; \
        try \
        {
#define CATCH(class_name, e) \
        } \
        catch (class_name * e) \
        { \
            _afxExceptionLink.m_pException = e;
#define AND_CATCH(class_name, e) CATCH(class_name, e)
#define END_CATCH \
        } \
    }
#define CATCH_ALL(e) CATCH(CException, e)
#define AND_CATCH_ALL(e) CATCH(CException, e)
#define END_CATCH_ALL END_CATCH

#define THROW(e) throw e
#define THROW_LAST() (_afxExceptionLink.m_pException = nullptr, throw)
#define DELETE_EXCEPTION(e) ((e)->Delete())
