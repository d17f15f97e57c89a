#pragma once
// Keeps the calling thread's last error across a clean-up: whatever the clean-up calls, the
// caller reads afterwards what the failing call left behind.
#include <windows.h>

class CKeepLastError
{
public:
    CKeepLastError() noexcept : m_error(::GetLastError()) {}
    CKeepLastError(const CKeepLastError&) = delete;
    CKeepLastError& operator=(const CKeepLastError&) = delete;
    ~CKeepLastError() { ::SetLastError(m_error); }

private:
    DWORD m_error;
};
