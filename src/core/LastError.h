#pragma once
// The calling thread's last error: as a result code, for operations that report HRESULTs; kept
// across a clean-up; and set when memory runs out.
#include <windows.h>

#include <new>

// A failed call that left no error behind must still read as a failure: E_FAIL then.
inline HRESULT LastErrorResult() noexcept
{
    const DWORD error = ::GetLastError();
    return error != ERROR_SUCCESS ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

// Keeps the calling thread's last error across a clean-up: whatever the clean-up calls, the
// caller reads afterwards what the failing call left behind.
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

// Runs work, whose result reports failure as zero (FALSE, false, 0) with the reason in the last
// error; work that runs out of memory fails the same way, with ERROR_NOT_ENOUGH_MEMORY.
template <class TWork>
auto RunReportingOutOfMemory(TWork&& work) -> decltype(work())
{
    try
    {
        return work();
    }
    catch (const std::bad_alloc&)
    {
        ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return {};
    }
}
