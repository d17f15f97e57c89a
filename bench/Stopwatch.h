#pragma once
// Elapsed wall-clock time from the performance counter, in milliseconds.
#include <windows.h>

class CStopwatch
{
public:
    CStopwatch() noexcept { Restart(); }

    void Restart() noexcept { ::QueryPerformanceCounter(&m_start); }

    [[nodiscard]] double ElapsedMs() const noexcept
    {
        LARGE_INTEGER now{};
        LARGE_INTEGER frequency{};
        ::QueryPerformanceCounter(&now);
        ::QueryPerformanceFrequency(&frequency);
        return static_cast<double>(now.QuadPart - m_start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
    }

private:
    LARGE_INTEGER m_start{};
};
