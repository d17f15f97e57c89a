// Start-up: from the moment the process is created to the first WM_DEVICECHANGE its window
// answers. Orvane, Orvane without WMI, the bare window and the header's WMI query alone take
// turns, so a slow phase of the machine touches each of them alike.
#include "BareWindow.h"
#include "Benchmarks.h"
#include "OrvaneRun.h"
#include "Stats.h"
#include "WmiQueryTiming.h"

#include <algorithm>

namespace
{
constexpr DWORD kStartTimeoutMs = 60000;
// Under Wine this keeps WMI's provider from loading: the header's query then fails at once.
constexpr wchar_t kWithoutWmi[] = L"wbemprox=d";

double TimeOrvaneStart(const BenchConfig& config, const std::wstring& dllOverride)
{
    CTargetProcess process;
    if (FAILED(process.Start(config.orvaneExe, {}, SW_SHOWNORMAL, dllOverride)))
        return -1.0;
    const double elapsed = process.WaitForFirstDeviceChangeAnswer(L"Orvane", kStartTimeoutMs);
    CloseOrvaneWithoutPrompt(process, process.FindMainWindow(L"Orvane"));
    return elapsed;
}

double TimeBareStart(const BenchConfig& config, SIZE_T& commitBytes)
{
    CTargetProcess process;
    if (FAILED(process.Start(config.bareExe)))
        return -1.0;
    const double elapsed = process.WaitForFirstDeviceChangeAnswer(kBareWindowTitle, kStartTimeoutMs);
    commitBytes = PrivateCommittedBytes(process.Handle());
    process.Close(process.FindMainWindow(kBareWindowTitle), 10000);
    return elapsed;
}

// The header's query in a fresh process of the benchmark's own, so it starts as cold as
// Orvane's does; the child reports the time in its exit code.
double TimeWmiQuery(const BenchConfig& config)
{
    CTargetProcess process;
    if (FAILED(process.Start(config.benchExe, kWmiQueryTimingOption, SW_HIDE)) ||
        !process.WaitForExit(kStartTimeoutMs))
        return -1.0;
    DWORD exitCode = 0;
    if (!::GetExitCodeProcess(process.Handle(), &exitCode))
        return -1.0;
    return WmiQueryMsFromExitCode(exitCode);
}
} // namespace

HRESULT MeasureStartup(const BenchConfig& config, StartupResult& result)
{
    result = {};
    // One start of each that is not counted: the first start of a program loads its files.
    SIZE_T commit = 0;
    TimeOrvaneStart(config, {});
    TimeOrvaneStart(config, kWithoutWmi);
    TimeBareStart(config, commit);
    TimeWmiQuery(config);

    std::vector<double> orvane, withoutWmi, bare, wmi, bareCommit;
    for (int round = 0; round < config.rounds; ++round)
    {
        orvane.push_back(TimeOrvaneStart(config, {}));
        bare.push_back(TimeBareStart(config, commit));
        bareCommit.push_back(static_cast<double>(commit));
        withoutWmi.push_back(TimeOrvaneStart(config, kWithoutWmi));
        wmi.push_back(TimeWmiQuery(config));
        if (orvane.back() < 0 || bare.back() < 0 || withoutWmi.back() < 0)
            return BenchFailure("start a program and have it answer WM_DEVICECHANGE", HRESULT_FROM_WIN32(ERROR_TIMEOUT));
    }
    result.orvaneMs = Median(orvane);
    result.orvaneWithoutWmiMs = Median(withoutWmi);
    result.bareMs = Median(bare);
    result.orvaneFastestMs = *std::min_element(orvane.begin(), orvane.end());
    result.orvaneWithoutWmiFastestMs = *std::min_element(withoutWmi.begin(), withoutWmi.end());
    result.bareFastestMs = *std::min_element(bare.begin(), bare.end());
    result.wmiQueryMs = Median(wmi);
    result.bareCommitBytes = static_cast<SIZE_T>(Median(bareCommit));
    return S_OK;
}
