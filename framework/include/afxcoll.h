// The non-template collections: lists and arrays of object, untyped and
// string pointers, and maps keyed by pointers or strings.
#pragma once

#include <afxtempl.h>

class CObList : public CList<CObject*, CObject*>
{
    DECLARE_SERIAL(CObList)
public:
    explicit CObList(INT_PTR nBlockSize = 10);
    ~CObList() override;

    // The count, then each object with the archive's object tags.
    void Serialize(CArchive& ar) override;
};

class CPtrList : public CList<void*, void*>
{
    DECLARE_DYNAMIC(CPtrList)
public:
    explicit CPtrList(INT_PTR nBlockSize = 10);
    ~CPtrList() override;
};

class CPtrArray : public CArray<void*, void*>
{
    DECLARE_DYNAMIC(CPtrArray)
public:
    CPtrArray();
    ~CPtrArray() override;
};

class CStringArray : public CArray<CString, const CString&>
{
    DECLARE_SERIAL(CStringArray)
public:
    CStringArray();
    ~CStringArray() override;
};

class CMapPtrToPtr : public CMap<void*, void*, void*, void*>
{
    DECLARE_DYNAMIC(CMapPtrToPtr)
public:
    explicit CMapPtrToPtr(INT_PTR nBlockSize = 10);
    ~CMapPtrToPtr() override;
};

class CMapStringToPtr : public CMap<CString, LPCWSTR, void*, void*>
{
    DECLARE_DYNAMIC(CMapStringToPtr)
public:
    explicit CMapStringToPtr(INT_PTR nBlockSize = 10);
    ~CMapStringToPtr() override;
};
