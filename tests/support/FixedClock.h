#pragma once
// The clock of plain log entries in the unit tests: one instant whose every field is padded.
#include <windows.h>

inline void WINAPI FixedClock(LPSYSTEMTIME time)
{
    *time = SYSTEMTIME{2026, 1, 0, 2, 3, 4, 5, 6};
}
inline constexpr wchar_t kFixedStamp[] = L"2026/01/02 03:04:05.006 - ";
