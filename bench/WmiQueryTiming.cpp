#include "WmiQueryTiming.h"

#include "Stopwatch.h"
// The program's own query, timed in a process of its own: from outside it cannot be told apart
// from the rest of Orvane's start-up, and starting Orvane without WMI is lost in the noise of
// process start-up on a shared machine.
#include "LogHeader.h"

#include <objbase.h>

namespace
{
// The time travels in microseconds; this value says the query failed.
constexpr DWORD kQueryFailed = 0xFFFFFFFF;
} // namespace

DWORD TimeWmiQueryInThisProcess()
{
    if (FAILED(::CoInitialize(nullptr)))
        return kQueryFailed;
    wchar_t description[kOSDescriptionCapacity] = {};
    CStopwatch stopwatch;
    const HRESULT hr = GetOSDescription(description);
    const double elapsedMs = stopwatch.ElapsedMs();
    ::CoUninitialize();
    return WmiQueryExitCode(elapsedMs, hr);
}

DWORD WmiQueryExitCode(double elapsedMs, HRESULT hr)
{
    if (FAILED(hr) || elapsedMs < 0)
        return kQueryFailed;
    const double microseconds = elapsedMs * 1000.0;
    return microseconds >= static_cast<double>(kQueryFailed) ? kQueryFailed - 1 : static_cast<DWORD>(microseconds);
}

double WmiQueryMsFromExitCode(DWORD exitCode)
{
    return exitCode == kQueryFailed ? -1.0 : static_cast<double>(exitCode) / 1000.0;
}
