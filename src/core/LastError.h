#pragma once
// The calling thread's last error as a result code, for operations that report HRESULTs, and
// running out of memory reported through the last error.
#include <windows.h>

#include <new>

// A failed call that left no error behind must still read as a failure: E_FAIL then.
inline HRESULT LastErrorResult() noexcept
{
    const DWORD error = ::GetLastError();
    return error != ERROR_SUCCESS ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

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
