#include "WmiQueryTiming.h"

#include "Stopwatch.h"
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
