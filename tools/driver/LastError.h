#pragma once
// A failed call's last error as a result that is never S_OK, even when the call set no error.
#include <windows.h>

inline HRESULT LastErrorResult()
{
    const DWORD error = ::GetLastError();
    return error != ERROR_SUCCESS ? HRESULT_FROM_WIN32(error) : E_FAIL;
}
