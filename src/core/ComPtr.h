#pragma once
// Owner of one COM interface pointer: releases it once, cannot be copied.
#include <objbase.h>
#include <utility>

template <typename T>
class CComPtr
{
public:
    CComPtr() noexcept = default;
    CComPtr(const CComPtr&) = delete;
    CComPtr& operator=(const CComPtr&) = delete;
    CComPtr(CComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    CComPtr& operator=(CComPtr&& other) noexcept
    {
        if (this != &other)
        {
            Release();
            m_p = std::exchange(other.m_p, nullptr);
        }
        return *this;
    }
    ~CComPtr() { Release(); }

    void Release() noexcept
    {
        if (m_p)
            std::exchange(m_p, nullptr)->Release();
    }
    T* operator->() const noexcept { return m_p; }
    [[nodiscard]] T* Get() const noexcept { return m_p; }
    explicit operator bool() const noexcept { return m_p != nullptr; }

    // For out-parameters of COM calls: releases what is held and hands out the slot.
    T** operator&() noexcept
    {
        Release();
        return &m_p;
    }
    void** PutVoid() noexcept
    {
        Release();
        return reinterpret_cast<void**>(&m_p);
    }

private:
    T* m_p = nullptr;
};
