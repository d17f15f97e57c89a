#include "LogFill.h"

#include "BenchDevices.h"
#include "Benchmarks.h"
#include "LogEvents.h"

#include <cstdio>

HRESULT FillLogTo(const OrvaneProcess& orvane, const CBenchDevices& devices, size_t minimumLines, std::wstring& text)
{
    const std::vector<BroadcastRecord> records = InterfaceRecords(devices);
    if (records.empty())
        return BenchFailure("fill the log without devices", E_INVALIDARG);
    size_t interfaceEvents = 0;
    size_t lines = 0;
    for (size_t reads = 0;; ++reads)
    {
        // Read back only once per batch: at tens of thousands of lines one read copies megabytes.
        const size_t before = lines;
        if (!orvane.ReadLog(text, kBenchWaitMs))
            return BenchFailure("read Orvane's log");
        lines = CountLines(text);
        if (lines >= minimumLines)
            return S_OK;
        if (reads > 0 && lines <= before)
        {
            std::fprintf(stderr, "Orvane's log stopped growing at %zu lines, %zu characters, of %zu lines asked for\n",
                         lines, text.size(), minimumLines);
            return BenchFailure("fill Orvane's log", HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER));
        }
        // As many interface events as the missing lines hold, so the log overshoots by little;
        // the last few lines are plain events of one line each.
        const size_t missing = minimumLines - lines;
        const size_t batch = missing / kInterfaceEventLines;
        for (size_t i = 0; i < batch; ++i, ++interfaceEvents)
        {
            const UINT eventType = interfaceEvents % 2 == 0 ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE;
            const BroadcastRecord& record = records[(interfaceEvents / 2) % records.size()];
            if (!orvane.SendDeviceChange(eventType, record.Address(), kBenchWaitMs))
                return BenchFailure("send an interface event to Orvane");
        }
        for (size_t i = 0; batch == 0 && i < missing; ++i)
        {
            if (!orvane.SendDeviceChange(DBT_DEVNODES_CHANGED, 0, kBenchWaitMs))
                return BenchFailure("send a plain event to Orvane");
        }
    }
}
