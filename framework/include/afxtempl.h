// Template collections: CArray, CList, CMap, the typed pointer wrappers, and
// the element helpers they call (SerializeElements, CompareElements, HashKey).
#pragma once

#include <afx.h>

#include <algorithm>
#include <cstddef>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

// Element helpers ----------------------------------------------------------

// Default element serialisation: the elements' bytes as they are in memory.
template <class TYPE>
void AFXAPI SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount)
{
    if (nCount <= 0)
        return;
    ULONGLONG nBytes = static_cast<ULONGLONG>(nCount) * sizeof(TYPE);
    BYTE* pBytes = reinterpret_cast<BYTE*>(pElements);
    if (ar.IsLoading())
        ar.EnsureBytesLeft(nBytes);
    while (nBytes > 0)
    {
        UINT nChunk = static_cast<UINT>(std::min<ULONGLONG>(nBytes, INT_MAX));
        if (ar.IsStoring())
            ar.Write(pBytes, nChunk);
        else if (ar.Read(pBytes, nChunk) != nChunk)
            AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
        pBytes += nChunk;
        nBytes -= nChunk;
    }
}

// Strings go through the archive's string encoding.
template <>
void AFXAPI SerializeElements<CStringW>(CArchive& ar, CStringW* pElements, INT_PTR nCount);
template <>
void AFXAPI SerializeElements<CStringA>(CArchive& ar, CStringA* pElements, INT_PTR nCount);

template <class TYPE, class ARG_TYPE>
BOOL AFXAPI CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2)
{
    return *pElement1 == *pElement2;
}

// Hash of integral and pointer keys.
template <class ARG_KEY>
UINT AFXAPI HashKey(ARG_KEY key)
{
    return static_cast<UINT>((DWORD_PTR)key >> 4);
}

UINT AFXAPI HashKey(LPCWSTR key);
UINT AFXAPI HashKey(LPCSTR key);
inline UINT AFXAPI HashKey(const CStringW& key) { return HashKey(key.GetString()); }
inline UINT AFXAPI HashKey(const CStringA& key) { return HashKey(key.GetString()); }

// CArray -------------------------------------------------------------------

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject
{
    static_assert(!std::is_same<TYPE, bool>::value, "use BOOL elements: GetData needs contiguous storage");

public:
    CArray() = default;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return m_data.empty(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }

    // nGrowBy: how many elements to reserve beyond need when the array grows;
    // -1 keeps the current setting (by default the array doubles).
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1)
    {
        if (nNewSize < 0)
            AfxThrowInvalidArgException();
        if (nGrowBy >= 0)
            m_nGrowBy = nGrowBy;
        Reserve(nNewSize);
        m_data.resize(static_cast<size_t>(nNewSize));
    }
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll() { m_data.clear(); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_data[static_cast<size_t>(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_data[static_cast<size_t>(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_data[static_cast<size_t>(nIndex)] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& ElementAt(INT_PTR nIndex) { return GetAt(nIndex); }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return GetAt(nIndex); }
    const TYPE* GetData() const { return m_data.empty() ? nullptr : m_data.data(); }
    TYPE* GetData() { return m_data.empty() ? nullptr : m_data.data(); }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
    {
        TYPE copy(newElement); // newElement may live in this array
        if (nIndex >= GetSize())
            SetSize(nIndex + 1);
        m_data[static_cast<size_t>(nIndex)] = std::move(copy);
    }
    INT_PTR Add(ARG_TYPE newElement)
    {
        INT_PTR nIndex = GetSize();
        SetAtGrow(nIndex, newElement);
        return nIndex;
    }
    INT_PTR Append(const CArray& src)
    {
        INT_PTR nOldSize = GetSize();
        std::vector<TYPE> copy(src.m_data); // src may be this array
        Reserve(nOldSize + src.GetSize());
        m_data.insert(m_data.end(), copy.begin(), copy.end());
        return nOldSize;
    }
    void Copy(const CArray& src)
    {
        if (&src != this)
            m_data = src.m_data;
    }

    // Inserting beyond the end first grows the array to nIndex.
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1)
    {
        TYPE copy(newElement);
        if (nIndex > GetSize())
            SetSize(nIndex);
        Reserve(GetSize() + nCount);
        m_data.insert(m_data.begin() + nIndex, static_cast<size_t>(nCount), copy);
    }
    void InsertAt(INT_PTR nStartIndex, CArray* pNewArray)
    {
        std::vector<TYPE> copy(pNewArray->m_data);
        if (nStartIndex > GetSize())
            SetSize(nStartIndex);
        Reserve(GetSize() + static_cast<INT_PTR>(copy.size()));
        m_data.insert(m_data.begin() + nStartIndex, copy.begin(), copy.end());
    }
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
    }

    // The count, then the elements. Loading checks the count against the
    // bytes left before it sizes the array.
    void Serialize(CArchive& ar) override
    {
        CObject::Serialize(ar);
        if (ar.IsStoring())
        {
            ar.WriteCount(static_cast<DWORD_PTR>(GetSize()));
        }
        else
        {
            DWORD_PTR nCount = ar.ReadCount();
            ar.EnsureBytesLeft(nCount);
            SetSize(static_cast<INT_PTR>(nCount));
        }
        SerializeElements<TYPE>(ar, GetData(), GetSize());
    }

private:
    void Reserve(INT_PTR nNeeded)
    {
        size_t nCapacity = m_data.capacity();
        if (static_cast<size_t>(nNeeded) <= nCapacity)
            return;
        size_t nStep = m_nGrowBy > 0 ? static_cast<size_t>(m_nGrowBy) : std::max<size_t>(nCapacity, 4);
        m_data.reserve(std::max(static_cast<size_t>(nNeeded), nCapacity + nStep));
    }

    std::vector<TYPE> m_data;
    INT_PTR m_nGrowBy = 0;
};

// CList --------------------------------------------------------------------

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject
{
    struct CNode
    {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    // Nodes come from blocks of nBlockSize nodes each: one heap request per
    // block instead of per element. A removed node's slot is reused by the
    // next element; the blocks go when the list becomes empty.
    explicit CList(INT_PTR nBlockSize = 10) : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 1) {}
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { return m_pNodeHead->data; }
    const TYPE& GetHead() const { return m_pNodeHead->data; }
    TYPE& GetTail() { return m_pNodeTail->data; }
    const TYPE& GetTail() const { return m_pNodeTail->data; }

    TYPE RemoveHead()
    {
        CNode* pNode = m_pNodeHead;
        TYPE value(std::move(pNode->data));
        Unlink(pNode);
        return value;
    }
    TYPE RemoveTail()
    {
        CNode* pNode = m_pNodeTail;
        TYPE value(std::move(pNode->data));
        Unlink(pNode);
        return value;
    }

    POSITION AddHead(ARG_TYPE newElement) { return Link(newElement, nullptr, m_pNodeHead); }
    POSITION AddTail(ARG_TYPE newElement) { return Link(newElement, m_pNodeTail, nullptr); }
    void AddHead(CList* pNewList)
    {
        // Walk backwards so the order is kept; pNewList may be this list.
        INT_PTR nCount = pNewList->m_nCount;
        CNode* pNode = pNewList->m_pNodeTail;
        for (INT_PTR i = 0; i < nCount; ++i, pNode = pNode->pPrev)
            AddHead(pNode->data);
    }
    void AddTail(CList* pNewList)
    {
        INT_PTR nCount = pNewList->m_nCount;
        CNode* pNode = pNewList->m_pNodeHead;
        for (INT_PTR i = 0; i < nCount; ++i, pNode = pNode->pNext)
            AddTail(pNode->data);
    }

    void RemoveAll()
    {
        for (CNode* pNode = m_pNodeHead; pNode != nullptr;)
        {
            CNode* pNext = pNode->pNext;
            pNode->~CNode();
            pNode = pNext;
        }
        m_pNodeHead = m_pNodeTail = nullptr;
        m_nCount = 0;
        FreeBlocks();
    }

    POSITION GetHeadPosition() const { return ToPosition(m_pNodeHead); }
    POSITION GetTailPosition() const { return ToPosition(m_pNodeTail); }

    TYPE& GetNext(POSITION& rPosition)
    {
        CNode* pNode = ToNode(rPosition);
        rPosition = ToPosition(pNode->pNext);
        return pNode->data;
    }
    const TYPE& GetNext(POSITION& rPosition) const
    {
        CNode* pNode = ToNode(rPosition);
        rPosition = ToPosition(pNode->pNext);
        return pNode->data;
    }
    TYPE& GetPrev(POSITION& rPosition)
    {
        CNode* pNode = ToNode(rPosition);
        rPosition = ToPosition(pNode->pPrev);
        return pNode->data;
    }
    const TYPE& GetPrev(POSITION& rPosition) const
    {
        CNode* pNode = ToNode(rPosition);
        rPosition = ToPosition(pNode->pPrev);
        return pNode->data;
    }

    TYPE& GetAt(POSITION position) { return ToNode(position)->data; }
    const TYPE& GetAt(POSITION position) const { return ToNode(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { ToNode(pos)->data = newElement; }
    void RemoveAt(POSITION position) { Unlink(ToNode(position)); }

    POSITION InsertBefore(POSITION position, ARG_TYPE newElement)
    {
        if (position == nullptr)
            return AddHead(newElement);
        CNode* pNode = ToNode(position);
        return Link(newElement, pNode->pPrev, pNode);
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement)
    {
        if (position == nullptr)
            return AddTail(newElement);
        CNode* pNode = ToNode(position);
        return Link(newElement, pNode, pNode->pNext);
    }

    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const
    {
        CNode* pNode = startAfter == nullptr ? m_pNodeHead : ToNode(startAfter)->pNext;
        for (; pNode != nullptr; pNode = pNode->pNext)
        {
            if (CompareElements<TYPE>(&pNode->data, &searchValue))
                return ToPosition(pNode);
        }
        return nullptr;
    }
    POSITION FindIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nCount)
            return nullptr;
        CNode* pNode = m_pNodeHead;
        while (nIndex-- > 0)
            pNode = pNode->pNext;
        return ToPosition(pNode);
    }

    void Serialize(CArchive& ar) override
    {
        CObject::Serialize(ar);
        if (ar.IsStoring())
        {
            ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
            for (CNode* pNode = m_pNodeHead; pNode != nullptr; pNode = pNode->pNext)
                SerializeElements<TYPE>(ar, &pNode->data, 1);
            return;
        }
        for (DWORD_PTR nCount = ar.ReadCount(); nCount > 0; --nCount)
        {
            TYPE newData{};
            SerializeElements<TYPE>(ar, &newData, 1);
            AddTail(newData);
        }
    }

private:
    static POSITION ToPosition(CNode* pNode) { return reinterpret_cast<POSITION>(pNode); }
    static CNode* ToNode(POSITION position) { return reinterpret_cast<CNode*>(position); }

    // A free slot holds the next free slot; a block starts with the next
    // block, padded so that its nodes are aligned.
    union CSlot
    {
        CSlot* pNextFree;
        alignas(CNode) unsigned char node[sizeof(CNode)];
    };
    struct CBlock
    {
        CBlock* pNext;
    };
    static constexpr std::size_t kBlockHeader =
        (sizeof(CBlock) + alignof(CSlot) - 1) / alignof(CSlot) * alignof(CSlot);
    static constexpr std::size_t kBlockAlignment = std::max(alignof(CBlock), alignof(CSlot));

    POSITION Link(ARG_TYPE newElement, CNode* pPrev, CNode* pNext)
    {
        CSlot* pSlot = TakeSlot();
        CNode* pNode;
        try
        {
            pNode = new (pSlot->node) CNode{pNext, pPrev, TYPE(newElement)};
        }
        catch (...)
        {
            GiveBackSlot(pSlot);
            throw;
        }
        (pPrev != nullptr ? pPrev->pNext : m_pNodeHead) = pNode;
        (pNext != nullptr ? pNext->pPrev : m_pNodeTail) = pNode;
        ++m_nCount;
        return ToPosition(pNode);
    }
    void Unlink(CNode* pNode)
    {
        (pNode->pPrev != nullptr ? pNode->pPrev->pNext : m_pNodeHead) = pNode->pNext;
        (pNode->pNext != nullptr ? pNode->pNext->pPrev : m_pNodeTail) = pNode->pPrev;
        --m_nCount;
        pNode->~CNode();
        GiveBackSlot(reinterpret_cast<CSlot*>(pNode));
        if (m_nCount == 0)
            FreeBlocks();
    }

    CSlot* TakeSlot()
    {
        if (m_pFreeSlots == nullptr)
            AddBlock();
        CSlot* pSlot = m_pFreeSlots;
        m_pFreeSlots = pSlot->pNextFree;
        return pSlot;
    }
    void GiveBackSlot(CSlot* pSlot)
    {
        pSlot->pNextFree = m_pFreeSlots;
        m_pFreeSlots = pSlot;
    }
    void AddBlock()
    {
        std::size_t nSlots = static_cast<std::size_t>(m_nBlockSize);
        if (nSlots > (static_cast<std::size_t>(-1) - kBlockHeader) / sizeof(CSlot))
            throw std::bad_alloc();
        void* pMemory = AllocateBlock(kBlockHeader + nSlots * sizeof(CSlot));
        CBlock* pBlock = static_cast<CBlock*>(pMemory);
        pBlock->pNext = m_pBlocks;
        m_pBlocks = pBlock;
        // Chained so that the block's first slot is taken first.
        CSlot* pSlots = reinterpret_cast<CSlot*>(static_cast<unsigned char*>(pMemory) + kBlockHeader);
        for (std::size_t i = nSlots; i-- > 0;)
            GiveBackSlot(&pSlots[i]);
    }
    static void* AllocateBlock(std::size_t nBytes)
    {
        if constexpr (kBlockAlignment > __STDCPP_DEFAULT_NEW_ALIGNMENT__)
            return ::operator new(nBytes, std::align_val_t(kBlockAlignment));
        else
            return ::operator new(nBytes);
    }
    static void FreeBlock(void* pBlock)
    {
        if constexpr (kBlockAlignment > __STDCPP_DEFAULT_NEW_ALIGNMENT__)
            ::operator delete(pBlock, std::align_val_t(kBlockAlignment));
        else
            ::operator delete(pBlock);
    }
    void FreeBlocks()
    {
        while (m_pBlocks != nullptr)
        {
            CBlock* pNext = m_pBlocks->pNext;
            FreeBlock(m_pBlocks);
            m_pBlocks = pNext;
        }
        m_pFreeSlots = nullptr;
    }

    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    INT_PTR m_nCount = 0;
    INT_PTR m_nBlockSize;
    CSlot* m_pFreeSlots = nullptr;
    CBlock* m_pBlocks = nullptr;
};

// CMap ---------------------------------------------------------------------

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject
{
public:
    class CPair
    {
    public:
        const KEY key;
        VALUE value;

    protected:
        explicit CPair(ARG_KEY keyval) : key(keyval), value() {}
    };

private:
    class CAssoc : public CPair
    {
    public:
        CAssoc(ARG_KEY keyval, UINT nHash, CAssoc* pNextAssoc) : CPair(keyval), pNext(pNextAssoc), nHashValue(nHash) {}
        CAssoc* pNext;
        UINT nHashValue;
    };

public:
    // Entries are allocated one by one; the block size is accepted for
    // compatibility.
    explicit CMap(INT_PTR /*nBlockSize*/ = 10) {}
    ~CMap() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }
    UINT GetHashTableSize() const { return m_nHashTableSize; }

    // Sets the number of buckets; only while the map is empty.
    void InitHashTable(UINT nHashSize, BOOL bAllocNow = TRUE)
    {
        if (m_nCount != 0 || nHashSize == 0)
            return;
        m_table.clear();
        m_nHashTableSize = nHashSize;
        if (bAllocNow)
            m_table.assign(nHashSize, nullptr);
    }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        const CAssoc* pAssoc = Find(key);
        if (pAssoc == nullptr)
            return FALSE;
        rValue = pAssoc->value;
        return TRUE;
    }
    const CPair* PLookup(ARG_KEY key) const { return Find(key); }
    CPair* PLookup(ARG_KEY key) { return Find(key); }

    VALUE& operator[](ARG_KEY key)
    {
        CAssoc* pAssoc = Find(key);
        if (pAssoc == nullptr)
            pAssoc = NewAssoc(key);
        return pAssoc->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }

    BOOL RemoveKey(ARG_KEY key)
    {
        if (m_table.empty())
            return FALSE;
        for (CAssoc** ppAssoc = &m_table[HashKey(key) % m_nHashTableSize]; *ppAssoc != nullptr;
             ppAssoc = &(*ppAssoc)->pNext)
        {
            CAssoc* pAssoc = *ppAssoc;
            if (CompareElements(&pAssoc->key, &key))
            {
                *ppAssoc = pAssoc->pNext;
                delete pAssoc;
                --m_nCount;
                return TRUE;
            }
        }
        return FALSE;
    }
    void RemoveAll()
    {
        for (CAssoc*& pBucket : m_table)
        {
            while (pBucket != nullptr)
            {
                CAssoc* pNext = pBucket->pNext;
                delete pBucket;
                pBucket = pNext;
            }
        }
        m_table.clear();
        m_nCount = 0;
    }

    // Positions walk the buckets in order; BEFORE_START_POSITION asks for the
    // first entry.
    POSITION GetStartPosition() const { return m_nCount == 0 ? nullptr : BEFORE_START_POSITION; }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
    {
        const CAssoc* pAssoc = rNextPosition == BEFORE_START_POSITION ? FirstAssoc() : ToAssoc(rNextPosition);
        rKey = pAssoc->key;
        rValue = pAssoc->value;
        rNextPosition = reinterpret_cast<POSITION>(const_cast<CAssoc*>(NextAssoc(pAssoc)));
    }
    const CPair* PGetFirstAssoc() const { return FirstAssoc(); }
    CPair* PGetFirstAssoc() { return const_cast<CAssoc*>(FirstAssoc()); }
    const CPair* PGetNextAssoc(const CPair* pAssoc) const { return NextAssoc(static_cast<const CAssoc*>(pAssoc)); }
    CPair* PGetNextAssoc(const CPair* pAssoc)
    {
        return const_cast<CAssoc*>(NextAssoc(static_cast<const CAssoc*>(pAssoc)));
    }

    void Serialize(CArchive& ar) override
    {
        CObject::Serialize(ar);
        if (ar.IsStoring())
        {
            ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
            for (const CAssoc* pAssoc = FirstAssoc(); pAssoc != nullptr; pAssoc = NextAssoc(pAssoc))
            {
                SerializeElements<KEY>(ar, const_cast<KEY*>(&pAssoc->key), 1);
                SerializeElements<VALUE>(ar, const_cast<VALUE*>(&pAssoc->value), 1);
            }
            return;
        }
        for (DWORD_PTR nCount = ar.ReadCount(); nCount > 0; --nCount)
        {
            KEY newKey{};
            VALUE newValue{};
            SerializeElements<KEY>(ar, &newKey, 1);
            SerializeElements<VALUE>(ar, &newValue, 1);
            SetAt(newKey, newValue);
        }
    }

private:
    static const CAssoc* ToAssoc(POSITION position) { return reinterpret_cast<const CAssoc*>(position); }

    CAssoc* Find(ARG_KEY key) const
    {
        if (m_table.empty())
            return nullptr;
        for (CAssoc* pAssoc = m_table[HashKey(key) % m_nHashTableSize]; pAssoc != nullptr; pAssoc = pAssoc->pNext)
        {
            if (CompareElements(&pAssoc->key, &key))
                return pAssoc;
        }
        return nullptr;
    }
    CAssoc* NewAssoc(ARG_KEY key)
    {
        if (m_table.empty())
            m_table.assign(m_nHashTableSize, nullptr);
        UINT nHash = HashKey(key) % m_nHashTableSize;
        CAssoc* pAssoc = new CAssoc(key, nHash, m_table[nHash]);
        m_table[nHash] = pAssoc;
        ++m_nCount;
        return pAssoc;
    }
    const CAssoc* FirstBucketFrom(UINT nBucket) const
    {
        for (; nBucket < m_table.size(); ++nBucket)
        {
            if (m_table[nBucket] != nullptr)
                return m_table[nBucket];
        }
        return nullptr;
    }
    const CAssoc* FirstAssoc() const { return FirstBucketFrom(0); }
    const CAssoc* NextAssoc(const CAssoc* pAssoc) const
    {
        return pAssoc->pNext != nullptr ? pAssoc->pNext : FirstBucketFrom(pAssoc->nHashValue + 1);
    }

    std::vector<CAssoc*> m_table;
    UINT m_nHashTableSize = 17;
    INT_PTR m_nCount = 0;
};

// Typed pointer wrappers ---------------------------------------------------

// A list of TYPE pointers over a list of untyped (CObject* or void*) pointers.
template <class BASE_CLASS, class TYPE>
class CTypedPtrList : public BASE_CLASS
{
public:
    explicit CTypedPtrList(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    TYPE& GetHead() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetHead()); }
    TYPE GetHead() const { return static_cast<TYPE>(BASE_CLASS::GetHead()); }
    TYPE& GetTail() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetTail()); }
    TYPE GetTail() const { return static_cast<TYPE>(BASE_CLASS::GetTail()); }
    TYPE RemoveHead() { return static_cast<TYPE>(BASE_CLASS::RemoveHead()); }
    TYPE RemoveTail() { return static_cast<TYPE>(BASE_CLASS::RemoveTail()); }
    TYPE& GetNext(POSITION& rPosition) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetNext(rPosition)); }
    TYPE GetNext(POSITION& rPosition) const { return static_cast<TYPE>(BASE_CLASS::GetNext(rPosition)); }
    TYPE& GetPrev(POSITION& rPosition) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetPrev(rPosition)); }
    TYPE GetPrev(POSITION& rPosition) const { return static_cast<TYPE>(BASE_CLASS::GetPrev(rPosition)); }
    TYPE& GetAt(POSITION position) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetAt(position)); }
    TYPE GetAt(POSITION position) const { return static_cast<TYPE>(BASE_CLASS::GetAt(position)); }
    void SetAt(POSITION pos, TYPE newElement) { BASE_CLASS::SetAt(pos, newElement); }
    POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead(newElement); }
    POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail(newElement); }
    void AddHead(CTypedPtrList* pNewList) { BASE_CLASS::AddHead(pNewList); }
    void AddTail(CTypedPtrList* pNewList) { BASE_CLASS::AddTail(pNewList); }
};

// An array of TYPE pointers over an array of untyped pointers.
template <class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS
{
public:
    TYPE GetAt(INT_PTR nIndex) const { return static_cast<TYPE>(BASE_CLASS::GetAt(nIndex)); }
    TYPE& ElementAt(INT_PTR nIndex) { return reinterpret_cast<TYPE&>(BASE_CLASS::ElementAt(nIndex)); }
    void SetAt(INT_PTR nIndex, TYPE ptr) { BASE_CLASS::SetAt(nIndex, ptr); }
    void SetAtGrow(INT_PTR nIndex, TYPE newElement) { BASE_CLASS::SetAtGrow(nIndex, newElement); }
    INT_PTR Add(TYPE newElement) { return BASE_CLASS::Add(newElement); }
    void InsertAt(INT_PTR nIndex, TYPE newElement, INT_PTR nCount = 1)
    {
        BASE_CLASS::InsertAt(nIndex, newElement, nCount);
    }
    TYPE operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }
};
