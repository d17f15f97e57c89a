// Start-up: from the moment the process is created to the first WM_DEVICECHANGE its window
// answers. Orvane, the bare window and Orvane's start-up with marks between its steps take
// turns, so a slow phase of the machine touches each of them alike.
#include "BareWindow.h"
#include "Benchmarks.h"
#include "ChildProcess.h"
#include "MeasuredPrograms.h"
#include "StartupMarks.h"
#include "Stats.h"
#include "Stopwatch.h"
#include "DriverHandles.h"
#include "WindowQuery.h"

#include <dbt.h>

#include <algorithm>
#include <cstring>
#include <sstream>
#include <string>

namespace
{
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

double TimeOrvaneStart(const std::wstring& exe, const std::wstring& arguments = {})
{
    OrvaneProcess orvane;
    const CStopwatch sinceStart;
    if (FAILED(orvane.Launch(exe, SW_SHOWNORMAL, arguments)))
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

LONGLONG Counter()
{
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double CounterMs(LONGLONG from, LONGLONG to)
{
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to - from) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// The marks a child wrote, whole: they are a few hundred bytes.
bool ReadMarks(const std::wstring& path, std::istringstream& marks)
{
    const unique_hfile file(
        ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string text(4096, '\0');
    DWORD read = 0;
    if (!file || !::ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr))
        return false;
    text.resize(read);
    marks.str(text);
    return true;
}

// One start of Orvane's marked start-up: the time of each part in milliseconds (since the mark
// before it), the last one up to the answer seen here; false when the marks are missing.
bool TimeStartupParts(const BenchConfig& config, const std::wstring& marksPath, std::vector<double>& parts)
{
    ::DeleteFileW(marksPath.c_str());
    const LONGLONG start = Counter();
    const double total = TimeOrvaneStart(config.startupPartsExe, L"\"" + marksPath + L"\"");
    std::istringstream marks;
    if (total < 0 || !ReadMarks(marksPath, marks))
        return false;
    parts.assign(static_cast<size_t>(StartupMark::Count) + 1, -1.0);
    LONGLONG previous = start;
    size_t index = 0;
    LONGLONG counter = 0;
    while (marks >> index >> counter && index < static_cast<size_t>(StartupMark::Count))
    {
        // A mark that was not set (a bar that was not created) leaves its time to the next part.
        if (counter == 0)
            continue;
        parts[index] = CounterMs(previous, counter);
        previous = counter;
    }
    parts.back() = total - CounterMs(start, previous);
    return true;
}

// The DLLs that exe's import table names, in its order: what the loader brings in before the
// program's first line runs.
std::vector<std::wstring> ImportedDlls(const std::wstring& exe)
{
    std::vector<std::wstring> dlls;
    // Mapped as an image, so the table's addresses are offsets from the base; the low bits of
    // the handle only say how it was mapped.
    const unique_hmodule image(::LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!image)
        return dlls;
    const auto* base = reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(image.get()) & ~ULONG_PTR{3});
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const DWORD imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (auto* dll = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports); imports != 0 && dll->Name != 0; ++dll)
    {
        const char* name = reinterpret_cast<const char*>(base + dll->Name);
        dlls.emplace_back(name, name + std::strlen(name));
    }
    return dlls;
}

// One fresh process that loads dlls one after the other: the time from CreateProcessW to its
// entry (a process start without DLLs of its own), then each DLL's load in milliseconds.
bool TimeDllLoads(const BenchConfig& config, const std::vector<std::wstring>& dlls, const std::wstring& marksPath,
                  std::vector<double>& times)
{
    std::wstring arguments = L"\"" + marksPath + L"\"";
    for (const std::wstring& dll : dlls)
        arguments += L" " + dll;
    const LONGLONG start = Counter();
    ChildProcess child;
    DWORD exitCode = 1;
    std::istringstream marks;
    if (FAILED(child.Start(config.loadTimingExe, arguments, SW_HIDE)) || !child.WaitForExit(exitCode, kStartWaitMs) ||
        exitCode != 0 || !ReadMarks(marksPath, marks))
        return false;
    std::string name;
    LONGLONG entry = 0;
    times.clear();
    if (marks >> name >> entry && name == "entry")
        times.push_back(CounterMs(start, entry));
    double ms = 0;
    while (marks >> name >> ms)
        times.push_back(ms);
    return times.size() == dlls.size() + 1;
}
} // namespace

HRESULT MeasureStartup(const BenchConfig& config, StartupResult& result)
{
    result = {};
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    const std::wstring marksPath = std::wstring(folder) + L"OrvaneBench-startup-marks.txt";

    // One start of each that is not counted: the first start of a program loads its files.
    SIZE_T commit = 0;
    std::vector<double> parts;
    TimeOrvaneStart(config.orvaneExe);
    TimeBareStart(config, commit);
    TimeStartupParts(config, marksPath, parts);

    // The bare window's DLLs first, so that each of Orvane's others shows what it adds.
    result.dlls = ImportedDlls(config.bareExe);
    result.bareDllCount = result.dlls.size();
    for (const std::wstring& dll : ImportedDlls(config.orvaneExe))
    {
        if (std::none_of(result.dlls.begin(), result.dlls.end(),
                         [&dll](const std::wstring& known) { return ::_wcsicmp(known.c_str(), dll.c_str()) == 0; }))
            result.dlls.push_back(dll);
    }
    std::vector<double> loads;
    TimeDllLoads(config, result.dlls, marksPath, loads);

    std::vector<double> orvane, bare, bareCommit;
    std::vector<std::vector<double>> partRuns(static_cast<size_t>(StartupMark::Count) + 1);
    std::vector<std::vector<double>> loadRuns(result.dlls.size() + 1);
    for (int round = 0; round < config.rounds; ++round)
    {
        orvane.push_back(TimeOrvaneStart(config.orvaneExe));
        bare.push_back(TimeBareStart(config, commit));
        bareCommit.push_back(static_cast<double>(commit));
        if (orvane.back() < 0 || bare.back() < 0)
            return BenchFailure("start a program and have it answer WM_DEVICECHANGE", HRESULT_FROM_WIN32(ERROR_TIMEOUT));
        if (!TimeStartupParts(config, marksPath, parts))
            return BenchFailure("start Orvane's marked start-up and read its marks");
        for (size_t i = 0; i < parts.size(); ++i)
        {
            if (parts[i] >= 0)
                partRuns[i].push_back(parts[i]);
        }
        if (!TimeDllLoads(config, result.dlls, marksPath, loads))
            return BenchFailure("load Orvane's DLLs one by one in a fresh process");
        for (size_t i = 0; i < loads.size(); ++i)
            loadRuns[i].push_back(loads[i]);
    }
    ::DeleteFileW(marksPath.c_str());
    result.orvaneMs = Median(orvane);
    result.bareMs = Median(bare);
    result.orvaneFastestMs = *std::min_element(orvane.begin(), orvane.end());
    result.bareFastestMs = *std::min_element(bare.begin(), bare.end());
    result.bareCommitBytes = static_cast<SIZE_T>(Median(bareCommit));
    for (const std::vector<double>& runs : partRuns)
        result.partsMs.push_back(runs.empty() ? -1.0 : Median(runs));
    result.emptyProcessMs = Median(loadRuns.front());
    for (size_t i = 1; i < loadRuns.size(); ++i)
        result.dllLoadMs.push_back(Median(loadRuns[i]));
    return S_OK;
}
