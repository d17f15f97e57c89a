// OrvaneBench.exe: measures a real Orvane.exe from outside, as the system and a user drive it,
// and prints each figure beside the limit of the same work measured in the same run.
#include "BenchDevices.h"
#include "BenchOptions.h"
#include "Benchmarks.h"
#include "ProgramPaths.h"
#include "Report.h"

#include <cstdio>

namespace
{
std::string Narrow(const std::wstring& text)
{
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(size > 0 ? static_cast<size_t>(size) : 1, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, narrow.data(), size, nullptr, nullptr);
    narrow.resize(narrow.size() - 1);
    return narrow;
}

bool FileExists(const std::wstring& path)
{
    return !path.empty() && ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int RunBenchmark(const BenchOptions& options)
{
    BenchConfig config;
    config.orvaneExe = options.orvaneExe.empty() ? PathBesideThisProgram(L"Orvane.exe") : options.orvaneExe;
    config.bareExe = options.bareExe.empty() ? PathBesideThisProgram(L"OrvaneBare.exe") : options.bareExe;
    config.startupPartsExe = PathBesideThisProgram(L"OrvaneStartupParts.exe");
    config.loadTimingExe = PathBesideThisProgram(L"OrvaneLoadTiming.exe");
    config.rounds = options.rounds;
    if (!FileExists(config.orvaneExe) || !FileExists(config.bareExe))
    {
        std::fprintf(stderr, "not found: %s or %s\n", Narrow(config.orvaneExe).c_str(), Narrow(config.bareExe).c_str());
        return 2;
    }
    std::printf("measuring %s\n\n", Narrow(config.orvaneExe).c_str());
    std::fflush(stdout);

    const size_t leftovers = CBenchDevices::RemoveLeftovers();
    if (leftovers > 0)
        std::printf("removed %zu devices an earlier run left registered\n\n", leftovers);

    bool failed = false;
    const auto finish = [&failed](HRESULT hr) {
        failed = failed || FAILED(hr);
        std::printf("\n");
        std::fflush(stdout);
    };

    StartupResult startup;
    if (options.startup)
    {
        const HRESULT hr = MeasureStartup(config, startup);
        if (SUCCEEDED(hr))
            PrintStartup(startup, config.rounds);
        finish(hr);
    }
    {
        // A docking station's worth of devices for the bursts and the log that is saved.
        CBenchDevices dock;
        HRESULT hr = (options.burst || options.save || options.longLog) ? dock.Add(4) : S_OK;
        if (FAILED(hr))
            finish(BenchFailure("register devices", hr));
        if (SUCCEEDED(hr) && options.burst)
        {
            BurstResult burst;
            hr = MeasureBurst(config, dock, BurstPlan{}, burst);
            if (SUCCEEDED(hr))
            {
                PrintBurst(burst);
                std::printf("\n");
                PrintMemory(burst, startup.bareCommitBytes);
            }
            finish(hr);
        }
        if (SUCCEEDED(hr) && options.save)
        {
            SaveResult save;
            hr = MeasureSave(config, dock, save);
            if (SUCCEEDED(hr))
                PrintSave(save);
            finish(hr);
        }
        if (SUCCEEDED(hr) && options.longLog)
        {
            std::vector<BurstResult> rows;
            SaveResult save;
            hr = MeasureLongLog(config, dock, {100, 10000, 50000}, rows, save);
            PrintLongLog(rows);
            if (SUCCEEDED(hr))
            {
                std::printf("\n");
                PrintSave(save);
            }
            finish(hr);
        }
        if (!dock.RemoveAll())
            finish(BenchFailure("remove the registered devices"));
    }
    if (options.lookup)
    {
        CBenchDevices devices;
        std::vector<LookupRow> rows;
        const HRESULT hr = MeasureLookup(config, devices, {1, 50, 200}, rows);
        if (SUCCEEDED(hr))
            PrintLookup(rows);
        if (!devices.RemoveAll())
            finish(BenchFailure("remove the registered devices"));
        finish(hr);
    }
    return failed ? 1 : 0;
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    std::vector<std::wstring> arguments(argv + 1, argv + argc);
    BenchOptions options;
    std::wstring error;
    if (!ParseBenchOptions(arguments, options, error))
    {
        std::fprintf(stderr, "%s\nusage: OrvaneBench.exe [--orvane PATH] [--bare PATH] [--rounds N] "
                             "[--only burst,startup,save,lookup,longlog]\n",
                     Narrow(error).c_str());
        return 2;
    }
    return RunBenchmark(options);
}
