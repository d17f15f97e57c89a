#pragma once
// One owner for every system resource: unique_any<Traits> closes what it holds exactly
// once, cannot be copied, and can be moved. Close functions keep the caller's last error.
#include "LastError.h"

#include <windows.h>
#include <oleauto.h>
#include <cstdint>
#include <utility>

template <typename Traits>
class unique_any
{
public:
    using pointer = typename Traits::pointer;

    unique_any() noexcept = default;
    explicit unique_any(pointer value) noexcept : m_value(value) {}
    unique_any(const unique_any&) = delete;
    unique_any& operator=(const unique_any&) = delete;
    unique_any(unique_any&& other) noexcept : m_value(other.release()) {}
    unique_any& operator=(unique_any&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    ~unique_any() { reset(); }

    [[nodiscard]] pointer get() const noexcept { return m_value; }
    [[nodiscard]] bool is_valid() const noexcept { return m_value != Traits::invalid(); }
    explicit operator bool() const noexcept { return is_valid(); }

    // Closes the current value (if any) and takes ownership of a new one.
    void reset(pointer value = Traits::invalid()) noexcept
    {
        if (is_valid())
        {
            const CKeepLastError keepLastError;
            Traits::close(m_value);
        }
        m_value = value;
    }

    [[nodiscard]] pointer release() noexcept
    {
        return std::exchange(m_value, Traits::invalid());
    }

private:
    pointer m_value = Traits::invalid();
};

// Invalid is the "no resource" value as an integer: 0 for null handles, -1 for
// INVALID_HANDLE_VALUE (which is not a constant expression).
template <typename T, auto Close, intptr_t Invalid = 0>
struct handle_traits
{
    using pointer = T;
    static pointer invalid() noexcept { return reinterpret_cast<pointer>(Invalid); }
    static void close(pointer value) noexcept { Close(value); }
};

namespace unique_detail
{
inline void CloseKernelHandle(HANDLE h) noexcept { ::CloseHandle(h); }
inline void DeleteGdiObject(HGDIOBJ h) noexcept { ::DeleteObject(h); }
inline void UnhookHook(HHOOK h) noexcept { ::UnhookWindowsHookEx(h); }
inline void FreeHeapBlock(void* p) noexcept { ::HeapFree(::GetProcessHeap(), 0, p); }
inline void CoTaskFree(void* p) noexcept { ::CoTaskMemFree(p); }
inline void FreeBstr(BSTR s) noexcept { ::SysFreeString(s); }
inline void ReleaseScreenDc(HDC h) noexcept { ::ReleaseDC(nullptr, h); }
} // namespace unique_detail

using unique_hfile = unique_any<handle_traits<HANDLE, unique_detail::CloseKernelHandle, -1>>;
using unique_hfont = unique_any<handle_traits<HFONT, unique_detail::DeleteGdiObject>>;
using unique_hhook = unique_any<handle_traits<HHOOK, unique_detail::UnhookHook>>;
using unique_process_heap_ptr = unique_any<handle_traits<void*, unique_detail::FreeHeapBlock>>;
using unique_cotaskmem = unique_any<handle_traits<void*, unique_detail::CoTaskFree>>;
using unique_bstr = unique_any<handle_traits<BSTR, unique_detail::FreeBstr>>;
// The screen's device context, borrowed with GetDC(nullptr) and given back with ReleaseDC.
using unique_screen_dc = unique_any<handle_traits<HDC, unique_detail::ReleaseScreenDc>>;
