#pragma once
// For the tests that need Wine itself, its registry keys or its quirks, rather than Windows: on
// Windows they skip (GTEST_SKIP) with their reason, never pass without having run.
#include <windows.h>

// Wine's ntdll exports wine_get_version; Windows' does not.
inline bool RunningUnderWine()
{
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}
