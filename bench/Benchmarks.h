#pragma once
// The benchmark's measurements. Each starts the programs it needs, drives them from here and
// fills its result; a failing step gives a failed HRESULT and a line on stderr.
#include <windows.h>

#include <string>
#include <vector>

class CBenchDevices;
class OrvaneProcess;

// How long one step of a measurement (an event answered, the log read) may take on a busy machine.
inline constexpr DWORD kBenchWaitMs = 30000;

struct BenchConfig
{
    std::wstring orvaneExe;
    std::wstring bareExe;
    // Orvane's start-up with marks between its steps (StartupParts.cpp).
    std::wstring startupPartsExe;
    // Loads DLLs one by one in a fresh process (LoadTiming.cpp).
    std::wstring loadTimingExe;
    int rounds = 5;
};

// A storm of events sent to Orvane and to the limit control in turns, chunk by chunk.
struct SaveResult;

struct BurstPlan
{
    // Each cycle: an interface arrival, a plain event, the interface's removal, a plain event.
    size_t cycles = 60;
    size_t eventsPerChunk = 24;
    // Lines the log is filled to before the first event, the frame minimized; 0 leaves the
    // header alone.
    size_t prefillLines = 0;
    // When set, the log as the run leaves it is then saved and the save measured, the frame
    // minimized (MeasureSaveOf).
    SaveResult* save = nullptr;
};

struct BurstResult
{
    // Lines in the log before the first event.
    size_t startLines = 0;
    size_t events = 0;
    size_t interfaceEvents = 0;
    size_t lines = 0;
    // Interface events logged with fewer than six lines: the lookup did not find the device.
    size_t shortInterfaceEvents = 0;
    double orvaneMs = 0;
    double limitMs = 0;
    // Orvane's time against the limit's in each chunk of events: the spread shows the noise.
    std::vector<double> chunkRatios;
    // The control received exactly Orvane's final text.
    bool sameText = false;
    // Orvane's memory after the burst, and the size of its log in UTF-16.
    SIZE_T commitBytes = 0;
    SIZE_T workingSetBytes = 0;
    // Orvane's commit once its frame showed, before the first event.
    SIZE_T startCommitBytes = 0;
    // How much the bare window's commit grew while its control took the same text.
    SIZE_T limitGrowthBytes = 0;
    SIZE_T logBytes = 0;
    // Filling Orvane's log before the burst, the control's taking the same events, and the
    // whole measurement from Orvane's start.
    double fillMs = 0;
    double limitFillMs = 0;
    double elapsedMs = 0;
};

struct StartupResult
{
    // Medians, and the fastest runs: on a busy machine the fastest run is the least disturbed.
    double orvaneMs = 0;
    double bareMs = 0;
    double orvaneFastestMs = 0;
    double bareFastestMs = 0;
    SIZE_T bareCommitBytes = 0;
    // Median time of each part of the marked start-up (StartupMarks.h), then of the first
    // event's handling and answer; negative for a part never seen.
    std::vector<double> partsMs;
    // A fresh process that loads no DLL of its own, to its entry; then the DLLs of the bare
    // window's import table and those that Orvane's adds, each loaded after the ones before it
    // (medians).
    double emptyProcessMs = 0;
    std::vector<std::wstring> dlls;
    size_t bareDllCount = 0;
    std::vector<double> dllLoadMs;
};

// Saves (and raw writes) per run; the median counts.
inline constexpr int kSaveRepeats = 11;

struct SaveResult
{
    size_t lines = 0;
    SIZE_T bytes = 0;
    double saveMs = 0;
    // The durable floor: temporary file, one write, flush, one rename over the target.
    double floorMs = 0;
    // One WM_NULL sent to the frame and answered: part of every save measured from here.
    double roundTripMs = 0;
    // The program's own save run here, step by step (SaveSteps.h), then its total.
    std::vector<double> stepsMs;
    bool sameBytes = false;
};

struct LookupRow
{
    size_t registered = 0;
    // Every device the interface class lists, the benchmark's and the system's own.
    size_t inClass = 0;
    double interfaceEventMs = 0;
    double plainEventMs = 0;
};

HRESULT MeasureBurst(const BenchConfig& config, const CBenchDevices& devices, const BurstPlan& plan,
                     BurstResult& result);
// The burst's storm, shorter, into a log filled first to each of sizes, a fresh Orvane per size;
// rows holds the sizes measured before a failure.
// The largest size's log is saved afterwards, into save.
HRESULT MeasureLongLog(const BenchConfig& config, const CBenchDevices& devices, const std::vector<size_t>& sizes,
                       std::vector<BurstResult>& rows, SaveResult& save);
HRESULT MeasureStartup(const BenchConfig& config, StartupResult& result);
HRESULT MeasureSave(const BenchConfig& config, const CBenchDevices& devices, SaveResult& result);
// Saves the log of orvane, which holds text, through Save As, then measures File > Save.
HRESULT MeasureSaveOf(OrvaneProcess& orvane, const std::wstring& text, SaveResult& result);
// Registers devices into devices up to each of counts and measures the lookup at each.
HRESULT MeasureLookup(const BenchConfig& config, CBenchDevices& devices, const std::vector<size_t>& counts,
                      std::vector<LookupRow>& rows);

// Reports a failed step on stderr and passes hr on.
HRESULT BenchFailure(const char* step, HRESULT hr = E_FAIL);
