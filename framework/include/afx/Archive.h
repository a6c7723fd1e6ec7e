// CArchive: the buffered binary object stream over a CFile. Values are
// little-endian and unaligned; objects are introduced by class tags and can
// be referenced again by their index in the archive's table.
// Part of <afx.h>; include that instead.
#pragma once

#include "afx/File.h"

#include <cstring>
#include <unordered_map>
#include <vector>

class CArchive
{
public:
    enum Mode
    {
        store = 0,
        load = 1,
        bNoFlushOnDelete = 2,
        bNoByteSwap = 4
    };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = NULL);
    ~CArchive();

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    BOOL IsBufferEmpty() const { return m_lpBufCur == m_lpBufMax; }
    CFile* GetFile() const { return m_pFile; }

    // The schema of the object being read; a second call answers (UINT)-1.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    // Raw bytes. Read answers fewer than nMax only at the end of the file.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);

    // Storing: writes the buffer to the file. Loading: gives the unread
    // buffered bytes back to the file, so its position is the next unread byte.
    void Flush();
    void Close();
    // Detaches from the file without writing or throwing.
    void Abort();

    CObject* ReadObject(const CRuntimeClass* pClass);
    void WriteObject(const CObject* pOb);
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = NULL, UINT* pSchema = NULL, DWORD* pObTag = NULL);
    void WriteClass(const CRuntimeClass* pClassRef);
    void SerializeClass(const CRuntimeClass* pClassRef);
    // Enters an existing object into the table, so that later references to
    // it are written or resolved like those of a serialised object.
    void MapObject(const CObject* pOb);

    // A count: WORD, escaped by 0xFFFF to a DWORD, escaped by 0xFFFFFFFF to a
    // 64-bit value. Callers check a count read against EnsureBytesLeft before
    // allocating for it.
    DWORD_PTR ReadCount();
    void WriteCount(DWORD_PTR dwCount);

    void SetStoreParams(UINT nHashSize = 2053, UINT nBlockSize = 128);
    // Growth step of the load table; clamped to what the bytes left can hold.
    void SetLoadParams(UINT nGrowBy = 1024);

    // Makes nAdditionalBytesNeeded bytes more than now available in the buffer.
    void FillBuffer(UINT nAdditionalBytesNeeded);

    // Bytes of a loading archive not read yet: buffered ones plus the rest of
    // the file.
    ULONGLONG GetBytesLeft() const;
    // Throws an end-of-file exception unless nBytes are left. Callers check a
    // length read from the stream with it before allocating for it.
    void EnsureBytesLeft(ULONGLONG nBytes) const;

    // Ownership of loaded objects (off by default: readers usually keep what
    // they read). When on, the archive deletes every object that ReadObject
    // created -- each exactly once, however often the stream refers to it
    // and also when reading failed -- as it is destroyed, unless the caller
    // took the objects with ReleaseLoadedObjects. Objects read this way must
    // not delete the objects they hold.
    void SetLoadedObjectOwnership(BOOL bOwns = TRUE) { m_bOwnsLoadedObjects = bOwns; }
    // The objects created so far, each once, in creation order; from now on
    // the caller owns them.
    std::vector<CObject*> ReleaseLoadedObjects();

    CArchive& operator<<(bool value) { return WriteValue(static_cast<BYTE>(value ? 1 : 0)); }
    CArchive& operator<<(char value) { return WriteValue(value); }
    CArchive& operator<<(signed char value) { return WriteValue(value); }
    CArchive& operator<<(unsigned char value) { return WriteValue(value); }
    CArchive& operator<<(wchar_t value) { return WriteValue(value); }
    CArchive& operator<<(short value) { return WriteValue(value); }
    CArchive& operator<<(unsigned short value) { return WriteValue(value); }
    CArchive& operator<<(int value) { return WriteValue(value); }
    CArchive& operator<<(unsigned int value) { return WriteValue(value); }
    CArchive& operator<<(long value) { return WriteValue(value); }
    CArchive& operator<<(unsigned long value) { return WriteValue(value); }
    CArchive& operator<<(long long value) { return WriteValue(value); }
    CArchive& operator<<(unsigned long long value) { return WriteValue(value); }
    CArchive& operator<<(float value) { return WriteValue(value); }
    CArchive& operator<<(double value) { return WriteValue(value); }
    // A character pointer would otherwise be written as a bool; strings go
    // through CStringW or CStringA.
    CArchive& operator<<(const char*) = delete;
    CArchive& operator<<(const wchar_t*) = delete;

    CArchive& operator>>(bool& value);
    CArchive& operator>>(char& value) { return ReadValue(value); }
    CArchive& operator>>(signed char& value) { return ReadValue(value); }
    CArchive& operator>>(unsigned char& value) { return ReadValue(value); }
    CArchive& operator>>(wchar_t& value) { return ReadValue(value); }
    CArchive& operator>>(short& value) { return ReadValue(value); }
    CArchive& operator>>(unsigned short& value) { return ReadValue(value); }
    CArchive& operator>>(int& value) { return ReadValue(value); }
    CArchive& operator>>(unsigned int& value) { return ReadValue(value); }
    CArchive& operator>>(long& value) { return ReadValue(value); }
    CArchive& operator>>(unsigned long& value) { return ReadValue(value); }
    CArchive& operator>>(long long& value) { return ReadValue(value); }
    CArchive& operator>>(unsigned long long& value) { return ReadValue(value); }
    CArchive& operator>>(float& value) { return ReadValue(value); }
    CArchive& operator>>(double& value) { return ReadValue(value); }

    CString m_strFileName;

    BYTE* m_lpBufCur;
    BYTE* m_lpBufMax;
    BYTE* m_lpBufStart;

private:
    friend class CArchiveSpares;

    struct LoadEntry
    {
        CRuntimeClass* pClass; // set for a class entry
        CObject* pObject;      // set for an object entry
        UINT nSchema;          // schema read with a class entry
        bool bCreated;         // the object was created by ReadObject
    };

    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    template <typename T>
    CArchive& WriteValue(T value)
    {
        if (!IsStoring())
            ThrowArchive(CArchiveException::readOnly);
        if (m_lpBufCur + sizeof(T) > m_lpBufMax)
            WriteBuffer();
        std::memcpy(m_lpBufCur, &value, sizeof(T));
        m_lpBufCur += sizeof(T);
        return *this;
    }

    template <typename T>
    CArchive& ReadValue(T& value)
    {
        if (!IsLoading())
            ThrowArchive(CArchiveException::writeOnly);
        if (m_lpBufCur + sizeof(T) > m_lpBufMax)
            FillBuffer(static_cast<UINT>(sizeof(T) - (m_lpBufMax - m_lpBufCur)));
        std::memcpy(&value, m_lpBufCur, sizeof(T));
        m_lpBufCur += sizeof(T);
        return *this;
    }

    [[noreturn]] void ThrowArchive(int cause) const;
    void WriteBuffer();
    void WriteTag(DWORD dwIndex, DWORD dwBigFlag);
    DWORD ReadTag();
    void CheckMapCount(DWORD dwCount) const;
    void EnsureLoadTable();
    void AddLoadEntry(const LoadEntry& entry);
    CRuntimeClass* ReadNewClass(UINT* pSchema);
    CRuntimeClass* LookUpClass(DWORD dwIndex, UINT* pSchema) const;
    CObject* LookUpObject(DWORD dwIndex, const CRuntimeClass* pClassRefRequested) const;
    CObject* CreateAndRead(CRuntimeClass* pClassRef, UINT nSchema);
    void DeleteLoadedObjects();

    CFile* m_pFile;
    UINT m_nMode;
    UINT m_nBufSize;
    BOOL m_bUserBuf;
    UINT m_nObjectSchema;
    UINT m_nDepth;

    std::vector<LoadEntry> m_loadTable;
    UINT m_nGrowSize;
    BOOL m_bOwnsLoadedObjects;

    std::unordered_map<const void*, DWORD> m_storeMap;
    DWORD m_nMapCount;
};

// Object references: null, a reference to an earlier object, or a new object.
CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb);
CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb);
CArchive& AFXAPI operator>>(CArchive& ar, const CObject*& pOb);

// String length prefix. A byte; 0xFF escapes to a WORD; a WORD 0xFFFE marks
// UTF-16 (the prefix then starts again); 0xFFFF escapes to a DWORD, and
// 0xFFFFFFFF to a 64-bit length.
UINT_PTR AFXAPI AfxReadStringLength(CArchive& ar, int& nCharSize);
void AFXAPI AfxWriteStringLength(CArchive& ar, UINT_PTR nLength, BOOL bUnicode);

// Strings: wide strings are stored as UTF-16, narrow ones as 8-bit text; either
// form loads into either string type through the thread's ANSI code page.
CArchive& AFXAPI operator<<(CArchive& ar, const CStringW& str);
CArchive& AFXAPI operator<<(CArchive& ar, const CStringA& str);
CArchive& AFXAPI operator>>(CArchive& ar, CStringW& str);
CArchive& AFXAPI operator>>(CArchive& ar, CStringA& str);

// Times: the DWORD 0x8000000A and the 64-bit time. Loading also takes a plain
// DWORD time; of the 64-bit form only the low half counts.
CArchive& AFXAPI operator<<(CArchive& ar, const CTime& time);
CArchive& AFXAPI operator>>(CArchive& ar, CTime& time);
