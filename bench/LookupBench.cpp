// The cost of the interface lookup per event as the interface class grows: the program walks
// every device of the class until it finds the record's path. Measured in Orvane.exe with its
// frame minimized (so the log's drawing does not hide it), against a plain one-line event, and
// in this process with the decoder's own formatter writing into a hidden log view.
#include "BenchDevices.h"
#include "Benchmarks.h"
#include "HiddenLogView.h"
#include "OrvaneRun.h"
#include "Records.h"
#include "Stats.h"
#include "DeviceChange.h"


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

HRESULT MeasureAtCurrentCount(const COrvaneRun& orvane, CHiddenLogView& hidden, const CBenchDevices& devices,
                              LookupRow& row)
{
    std::vector<double> interfaceEvents, plainEvents, formatter;
    const std::vector<std::wstring> sample = SamplePaths(devices.Paths());
    if (sample.empty())
        return BenchFailure("look up without devices", E_INVALIDARG);
    // Once without counting: the first lookup after registering loads what the next ones reuse.
    const BroadcastRecord warmUp = DeviceInterfaceRecord(kBenchInterfaceClass, sample.front());
    orvane.SendEvent(DBT_DEVICEARRIVAL, warmUp.Address());
    LogDeviceInterfaceRecord(hidden.View(), warmUp.As<DEV_BROADCAST_DEVICEINTERFACE_W>());
    for (const std::wstring& path : sample)
    {
        const BroadcastRecord record = DeviceInterfaceRecord(kBenchInterfaceClass, path);
        CStopwatch inOrvane;
        if (!orvane.SendEvent(DBT_DEVICEARRIVAL, record.Address()))
            return BenchFailure("send an interface event to Orvane");
        interfaceEvents.push_back(inOrvane.ElapsedMs());

        CStopwatch plain;
        if (!orvane.SendEvent(DBT_DEVNODES_CHANGED, 0))
            return BenchFailure("send a plain event to Orvane");
        plainEvents.push_back(plain.ElapsedMs());

        hidden.View().SetWindowText(L"");
        CStopwatch here;
        LogDeviceInterfaceRecord(hidden.View(), record.As<DEV_BROADCAST_DEVICEINTERFACE_W>());
        formatter.push_back(here.ElapsedMs());
    }
    row.registered = devices.Count();
    row.inClass = CBenchDevices::CountInInterfaceClass(kBenchInterfaceClass);
    // Medians: Wine's server stalls every registry call now and then (it saves the registry),
    // and one such stall would dominate a mean.
    row.interfaceEventMs = Median(interfaceEvents);
    row.plainEventMs = Median(plainEvents);
    row.formatterMs = Median(formatter);
    return S_OK;
}
} // namespace

HRESULT MeasureLookup(const BenchConfig& config, CBenchDevices& devices, const std::vector<size_t>& counts,
                      std::vector<LookupRow>& rows)
{
    rows.clear();
    CHiddenLogView hidden;
    if (!hidden.IsValid())
        return BenchFailure("create a hidden log view");
    COrvaneRun orvane;
    HRESULT hr = orvane.Start(config.orvaneExe, SW_SHOWMINNOACTIVE);
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
        hr = MeasureAtCurrentCount(orvane, hidden, devices, row);
        if (FAILED(hr))
            return hr;
        rows.push_back(row);
    }
    orvane.Close();
    return S_OK;
}
