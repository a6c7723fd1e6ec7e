#pragma once
#include <utility>

// Owns one reference on a markup object (or nothing) and releases it when it
// goes; moving hands the reference on.
template <class T>
class CKvoMarkupPtr {
public:
    // Takes over the caller's reference on object.
    explicit CKvoMarkupPtr(T* object = nullptr) : m_pObject(object) {}
    // Takes a reference of its own on object.
    static CKvoMarkupPtr Share(T* object)
    {
        if (object)
            object->AddRef();
        return CKvoMarkupPtr(object);
    }
    CKvoMarkupPtr(CKvoMarkupPtr&& other) noexcept : m_pObject(std::exchange(other.m_pObject, nullptr)) {}
    CKvoMarkupPtr& operator=(CKvoMarkupPtr&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.m_pObject, nullptr));
        return *this;
    }
    CKvoMarkupPtr(const CKvoMarkupPtr&) = delete;
    CKvoMarkupPtr& operator=(const CKvoMarkupPtr&) = delete;
    ~CKvoMarkupPtr() { Reset(); }

    T* Get() const { return m_pObject; }
    T* operator->() const { return m_pObject; }
    explicit operator bool() const { return m_pObject != nullptr; }
    // Hands the reference to the caller.
    T* Detach() { return std::exchange(m_pObject, nullptr); }
    // Releases what it holds and takes over object.
    void Reset(T* object = nullptr)
    {
        T* old = std::exchange(m_pObject, object);
        if (old)
            old->Release();
    }

private:
    T* m_pObject;
};
