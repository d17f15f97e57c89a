// The cost of the interface lookup per event as the interface class grows: the program walks
// every device of the class until it finds the record's path. Measured in Orvane.exe with its
// frame minimized (so the log's drawing does not hide it), against a plain one-line event.
#include "BenchDevices.h"
#include "Benchmarks.h"
#include "MeasuredPrograms.h"
#include "Records.h"
#include "Stats.h"
#include "Stopwatch.h"

namespace
{
constexpr size_t kSamples = 20;

// kSamples paths spread evenly over the devices (repeating them when there are fewer), so that
// devices early and late in the class's order are both looked up.
std::vector<std::wstring> SamplePaths(const std::vector<std::wstring>& paths)
{
    std::vector<std::wstring> sample;
    for (size_t i = 0; i < kSamples && !paths.empty(); ++i)
        sample.push_back(paths[(i * paths.size() / kSamples) % paths.size()]);
    return sample;
}

HRESULT MeasureAtCurrentCount(const OrvaneProcess& orvane, const CBenchDevices& devices, LookupRow& row)
{
    std::vector<double> interfaceEvents, plainEvents;
    const std::vector<std::wstring> sample = SamplePaths(devices.Paths());
    if (sample.empty())
        return BenchFailure("look up without devices", E_INVALIDARG);
    // Once without counting: the first lookup after registering loads what the next ones reuse.
    const BroadcastRecord warmUp = DeviceInterfaceRecord(kBenchInterfaceClass, sample.front());
    orvane.SendDeviceChange(DBT_DEVICEARRIVAL, warmUp.Address(), kBenchWaitMs);
    for (const std::wstring& path : sample)
    {
        const BroadcastRecord record = DeviceInterfaceRecord(kBenchInterfaceClass, path);
        CStopwatch inOrvane;
        if (!orvane.SendDeviceChange(DBT_DEVICEARRIVAL, record.Address(), kBenchWaitMs))
            return BenchFailure("send an interface event to Orvane");
        interfaceEvents.push_back(inOrvane.ElapsedMs());

        CStopwatch plain;
        if (!orvane.SendDeviceChange(DBT_DEVNODES_CHANGED, 0, kBenchWaitMs))
            return BenchFailure("send a plain event to Orvane");
        plainEvents.push_back(plain.ElapsedMs());
    }
    row.registered = devices.Count();
    row.inClass = CBenchDevices::CountInInterfaceClass(kBenchInterfaceClass);
    // Medians: Wine's server stalls every registry call now and then (it saves the registry),
    // and one such stall would dominate a mean.
    row.interfaceEventMs = Median(interfaceEvents);
    row.plainEventMs = Median(plainEvents);
    return S_OK;
}
} // namespace

HRESULT MeasureLookup(const BenchConfig& config, CBenchDevices& devices, const std::vector<size_t>& counts,
                      std::vector<LookupRow>& rows)
{
    rows.clear();
    OrvaneProcess orvane;
    HRESULT hr = StartOrvane(orvane, config.orvaneExe, SW_SHOWMINNOACTIVE);
    if (FAILED(hr))
        return BenchFailure("start Orvane", hr);
    for (size_t count : counts)
    {
        if (count > devices.Count())
        {
            hr = devices.Add(count - devices.Count());
            if (FAILED(hr))
                return BenchFailure("register devices", hr);
        }
        LookupRow row;
        hr = MeasureAtCurrentCount(orvane, devices, row);
        if (FAILED(hr))
            return hr;
        rows.push_back(row);
    }
    orvane.CloseWithoutPrompt();
    return S_OK;
}
