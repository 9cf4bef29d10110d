// An owning COM interface pointer: one reference, released when the owner goes.
#pragma once

#include <unknwn.h>

#include <utility>

template <class T> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes a reference of its own on p.
    explicit ComPtr(T* p) : m_p(p) {
        if (m_p)
            m_p->AddRef();
    }
    ComPtr(const ComPtr& other) : ComPtr(other.m_p) {}
    ComPtr(ComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(m_p, other.m_p);
        return *this;
    }
    ~ComPtr() { Reset(); }

    // Adopts a reference the caller already owns (a fresh object, an out parameter).
    static ComPtr Adopt(T* p) {
        ComPtr result;
        result.m_p = p;
        return result;
    }

    void Reset() {
        if (T* p = std::exchange(m_p, nullptr))
            p->Release();
    }
    // Gives up the reference without releasing it.
    T* Detach() { return std::exchange(m_p, nullptr); }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    // For out parameters: the old reference goes first.
    T** Put() {
        Reset();
        return &m_p;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

    // The same object's interface U, or null.
    template <class U> ComPtr<U> As() const {
        ComPtr<U> result;
        if (m_p)
            m_p->QueryInterface(__uuidof(U), result.PutVoid());
        return result;
    }

private:
    T* m_p = nullptr;
};
