// Start-up: from the moment the process is created to the first WM_DEVICECHANGE its window
// answers. Orvane, Orvane without WMI, the bare window and the header's WMI query alone take
// turns, so a slow phase of the machine touches each of them alike.
#include "BareWindow.h"
#include "Benchmarks.h"
#include "ChildProcess.h"
#include "MeasuredPrograms.h"
#include "Stats.h"
#include "Stopwatch.h"
#include "WmiQueryTiming.h"

#include <dbt.h>

#include <algorithm>

namespace
{
// Under Wine this keeps WMI's provider from loading: the header's query then fails at once.
constexpr wchar_t kWithoutWmi[] = L"wbemprox=d";

// Polls the process's main window titled title with WM_DEVICECHANGE (DBT_DEVNODES_CHANGED)
// until it answers TRUE: the time on sinceStart at that answer, or a negative value on time-out
// or when the process ended.
double WaitForFirstAnswer(HANDLE process, DWORD processId, const wchar_t* title, const CStopwatch& sinceStart)
{
    const ULONGLONG deadline = ::GetTickCount64() + kStartWaitMs;
    while (::GetTickCount64() <= deadline)
    {
        HWND window = FindMainWindow(processId, title);
        DWORD_PTR answer = 0;
        if (window != nullptr &&
            ::SendMessageTimeoutW(window, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0, SMTO_NORMAL, 50, &answer) &&
            answer == TRUE)
            return sinceStart.ElapsedMs();
        // Wakes at once when the process ends; looks again every millisecond otherwise.
        if (window == nullptr && ::WaitForSingleObject(process, 1) != WAIT_TIMEOUT)
            break;
    }
    return -1.0;
}

double TimeOrvaneStart(const BenchConfig& config, const std::wstring& dllOverride)
{
    OrvaneProcess orvane;
    const CStopwatch sinceStart;
    if (FAILED(orvane.Launch(config.orvaneExe, SW_SHOWNORMAL, dllOverride)))
        return -1.0;
    const double elapsed =
        WaitForFirstAnswer(orvane.Process(), orvane.ProcessId(), OrvaneProcess::kFrameTitle, sinceStart);
    // Without its frame found, the owner kills it.
    if (SUCCEEDED(orvane.WaitForFrame(kStartWaitMs)))
        orvane.CloseWithoutPrompt();
    return elapsed;
}

double TimeBareStart(const BenchConfig& config, SIZE_T& commitBytes)
{
    ChildProcess bare;
    const CStopwatch sinceStart;
    if (FAILED(bare.Start(config.bareExe)))
        return -1.0;
    const double elapsed = WaitForFirstAnswer(bare.Handle(), bare.Id(), kBareWindowTitle, sinceStart);
    commitBytes = PrivateCommittedBytes(bare.Handle());
    bare.CloseOrKill(FindMainWindow(bare.Id(), kBareWindowTitle));
    return elapsed;
}

// The header's query in a fresh process of the benchmark's own, so it starts as cold as
// Orvane's does; the child reports the time in its exit code.
double TimeWmiQuery(const BenchConfig& config)
{
    ChildProcess child;
    DWORD exitCode = 0;
    if (FAILED(child.Start(config.benchExe, kWmiQueryTimingOption, SW_HIDE)) ||
        !child.WaitForExit(exitCode, kStartWaitMs))
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
