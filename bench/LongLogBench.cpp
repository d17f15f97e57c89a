// The cost of a long log: a shorter run of the burst's storm into a log already filled to each
// of a few sizes, against the bare EDIT control filled with the same events. The control's
// limit is taken anew at each size, because an EDIT control's inserts and painting grow dearer
// with the text it holds; what is held against the target is what Orvane adds to that.
#include "Benchmarks.h"

namespace
{
// 64 events per size in four chunks per side: a few seconds of events at the largest size,
// where the filling takes far longer.
constexpr size_t kCycles = 16;
constexpr size_t kEventsPerChunk = 16;
} // namespace

HRESULT MeasureLongLog(const BenchConfig& config, const CBenchDevices& devices, const std::vector<size_t>& sizes,
                       std::vector<BurstResult>& rows, SaveResult& save)
{
    rows.clear();
    for (const size_t lines : sizes)
    {
        BurstPlan plan;
        plan.cycles = kCycles;
        plan.eventsPerChunk = kEventsPerChunk;
        plan.prefillLines = lines;
        plan.save = lines == sizes.back() ? &save : nullptr;
        BurstResult row;
        const HRESULT hr = MeasureBurst(config, devices, plan, row);
        if (FAILED(hr))
            return hr;
        rows.push_back(row);
    }
    return S_OK;
}
