#pragma once
// The calling thread's last error as a result code, for operations that report HRESULTs.
#include <windows.h>

// A failed call that left no error behind must still read as a failure: E_FAIL then.
inline HRESULT LastErrorResult() noexcept
{
    const DWORD error = ::GetLastError();
    return error != ERROR_SUCCESS ? HRESULT_FROM_WIN32(error) : E_FAIL;
}
