#include <afx.h>

#include <cstring>
#include <mutex>
#include <type_traits>
#include <vector>

namespace
{

// The classes registered by AfxClassInit. Registration runs from static
// constructors spread over many translation units, whose order is not
// defined, so the registry is built on first use.
class ClassRegistry
{
public:
    static ClassRegistry& Instance()
    {
        static ClassRegistry registry;
        return registry;
    }

    void Add(CRuntimeClass* pClass)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_classes.push_back(pClass);
    }

    // Exact, case-sensitive match of the whole name; nLength characters,
    // each compared as an unsigned code unit.
    template <typename CHAR>
    CRuntimeClass* Find(const CHAR* lpszName, size_t nLength)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        for (CRuntimeClass* pClass : m_classes)
        {
            if (NameEquals(pClass->m_lpszClassName, lpszName, nLength))
                return pClass;
        }
        return NULL;
    }

private:
    template <typename CHAR>
    static bool NameEquals(LPCSTR lpszClassName, const CHAR* lpszName, size_t nLength)
    {
        if (std::strlen(lpszClassName) != nLength)
            return false;
        for (size_t i = 0; i < nLength; ++i)
        {
            using UCHAR_T = typename std::make_unsigned<CHAR>::type;
            if (static_cast<unsigned char>(lpszClassName[i]) != static_cast<UCHAR_T>(lpszName[i]))
                return false;
        }
        return true;
    }

    std::mutex m_lock;
    std::vector<CRuntimeClass*> m_classes;
};

// Longest class name an archive may carry (the length is below this).
const WORD nMaxClassNameLength = 64;

}

void AFXAPI AfxClassInit(CRuntimeClass* pNewClass)
{
    ClassRegistry::Instance().Add(pNewClass);
}

CObject* CRuntimeClass::CreateObject()
{
    return m_pfnCreateObject != NULL ? m_pfnCreateObject() : NULL;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* pClass = this; pClass != NULL; pClass = pClass->m_pBaseClass)
    {
        if (pClass == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    return lpszClassName != NULL ? ClassRegistry::Instance().Find(lpszClassName, std::strlen(lpszClassName)) : NULL;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCWSTR lpszClassName)
{
    return lpszClassName != NULL ? ClassRegistry::Instance().Find(lpszClassName, wcslen(lpszClassName)) : NULL;
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass != NULL ? pClass->CreateObject() : NULL;
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCWSTR lpszClassName)
{
    CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass != NULL ? pClass->CreateObject() : NULL;
}

void CRuntimeClass::Store(CArchive& ar) const
{
    WORD nLength = static_cast<WORD>(std::strlen(m_lpszClassName));
    ar << static_cast<WORD>(m_wSchema) << nLength;
    ar.Write(m_lpszClassName, nLength);
}

CRuntimeClass* PASCAL CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum)
{
    WORD wSchema = 0;
    WORD nLength = 0;
    ar >> wSchema >> nLength;
    *pwSchemaNum = wSchema;
    if (nLength >= nMaxClassNameLength)
        return NULL;
    char szClassName[nMaxClassNameLength];
    if (ar.Read(szClassName, nLength) != nLength)
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    return ClassRegistry::Instance().Find(szClassName, nLength);
}
