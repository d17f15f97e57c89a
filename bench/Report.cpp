#include "Report.h"

#include "SaveSteps.h"
#include "StartupMarks.h"
#include "Stats.h"

#include <algorithm>
#include <cstdio>

namespace
{
double Megabytes(SIZE_T bytes)
{
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

const char* YesNo(bool value)
{
    return value ? "yes" : "NO";
}

void PrintRatio(double ratio, double target)
{
    std::printf("  %-28s %9.2f x    target <= %.2f x: %s\n", "ratio", ratio, target,
                MeetsTarget(ratio, target) ? "met" : "NOT MET");
}
} // namespace

void PrintBurst(const BurstResult& burst)
{
    const double events = burst.events > 0 ? static_cast<double>(burst.events) : 1.0;
    std::printf("burst: %zu events (%zu interface arrivals and removals), %zu lines\n", burst.events,
                burst.interfaceEvents, burst.lines);
    std::printf("  %-28s %9.0f ms   %7.2f ms/event\n", "Orvane", burst.orvaneMs, burst.orvaneMs / events);
    std::printf("  %-28s %9.0f ms   %7.2f ms/event (one insert per event)\n", "limit: bare EDIT control",
                burst.limitMs, burst.limitMs / events);
    PrintRatio(Ratio(burst.orvaneMs, burst.limitMs), kBurstTarget);
    if (!burst.chunkRatios.empty())
    {
        const auto [lowest, highest] = std::minmax_element(burst.chunkRatios.begin(), burst.chunkRatios.end());
        std::printf("  %zu chunks of events in turn: ratio %.2f lowest, %.2f median, %.2f highest\n",
                    burst.chunkRatios.size(), *lowest, Median(burst.chunkRatios), *highest);
    }
    std::printf("  same final text in both: %s; interface events with fewer than six lines: %zu\n",
                YesNo(burst.sameText), burst.shortInterfaceEvents);
}

void PrintStartup(const StartupResult& startup, int rounds)
{
    std::printf("start-up: process start to the first WM_DEVICECHANGE answered, median of %d alternating runs\n",
                rounds);
    std::printf("  %-28s %9.0f ms   (fastest run %.0f ms)\n", "Orvane", startup.orvaneMs, startup.orvaneFastestMs);
    std::printf("  %-28s %9.0f ms   (fastest run %.0f ms)\n", "limit: bare window", startup.bareMs,
                startup.bareFastestMs);
    PrintRatio(Ratio(startup.orvaneMs, startup.bareMs), kStartupTarget);
    std::printf("  where it goes: Orvane's start-up with a mark between its steps, median of each part\n");
    double total = 0;
    for (size_t i = 0; i < startup.partsMs.size(); ++i)
    {
        const char* name = i < std::size(kStartupPartNames) ? kStartupPartNames[i] : "first event handled, answered";
        if (startup.partsMs[i] < 0)
            std::printf("    %-30s %7s\n", name, "-");
        else
            std::printf("    %-30s %7.1f ms\n", name, startup.partsMs[i]);
        total += std::max(startup.partsMs[i], 0.0);
    }
    std::printf("    %-30s %7.1f ms   (the parts' medians added up)\n", "total", total);
    std::printf("  the first part, apart: a fresh process that loads no DLL of its own takes %.1f ms to its entry;\n"
                "  then, one after the other, the DLLs of the bare window's import table and those Orvane's adds\n"
                "  (each with what it brings along):\n",
                startup.emptyProcessMs);
    double bareLoads = 0;
    double addedLoads = 0;
    for (size_t i = 0; i < startup.dlls.size() && i < startup.dllLoadMs.size(); ++i)
    {
        const bool bare = i < startup.bareDllCount;
        std::printf("    %-30ls %7.1f ms   %s\n", startup.dlls[i].c_str(), startup.dllLoadMs[i],
                    bare ? "(the bare window's too)" : "(Orvane's only)");
        (bare ? bareLoads : addedLoads) += std::max(startup.dllLoadMs[i], 0.0);
    }
    std::printf("    %-30s %7.1f ms   (Orvane's only: %.1f ms)\n", "all of them", bareLoads + addedLoads, addedLoads);
}

void PrintSave(const SaveResult& save)
{
    std::printf("save: a log of %zu lines, %zu bytes, median of %d\n", save.lines, save.bytes, kSaveRepeats);
    std::printf("  %-28s %9.2f ms   (sent from here: one round trip is %.2f ms)\n", "File > Save", save.saveMs,
                save.roundTripMs);
    std::printf("  %-28s %9.2f ms   (temporary file, one write, flush, one rename over the target)\n",
                "limit: durable floor", save.floorMs);
    PrintRatio(Ratio(save.saveMs, save.floorMs), kSaveTarget);
    std::printf("  where it goes: the program's save run in the benchmark on a view with the same text\n");
    for (size_t i = 0; i + 1 < save.stepsMs.size() && i < std::size(kSaveStepNames); ++i)
        std::printf("    %-30s %7.3f ms\n", kSaveStepNames[i], save.stepsMs[i]);
    if (!save.stepsMs.empty())
        std::printf("    %-30s %7.3f ms\n", "total", save.stepsMs.back());
    std::printf("  the saved files hold exactly the log's bytes: %s\n", YesNo(save.sameBytes));
}

void PrintMemory(const BurstResult& burst, SIZE_T bareCommitBytes)
{
    std::printf("memory after the burst\n");
    std::printf("  %-28s %9.2f MB   working set %.2f MB\n", "Orvane commit", Megabytes(burst.commitBytes),
                Megabytes(burst.workingSetBytes));
    std::printf("  %-28s %9.2f MB   (before the burst %.2f MB)\n", "grown during the burst",
                Megabytes(burst.commitBytes - std::min(burst.commitBytes, burst.startCommitBytes)),
                Megabytes(burst.startCommitBytes));
    std::printf("  %-28s %9.2f MB\n", "log, UTF-16", Megabytes(burst.logBytes));
    std::printf("  %-28s %9.2f MB   (the bare EDIT control taking the same text)\n", "bare window grown by",
                Megabytes(burst.limitGrowthBytes));
    if (bareCommitBytes == 0)
    {
        std::printf("  (no limit: the bare window's commit comes from the start-up runs)\n");
        return;
    }
    const SIZE_T limit = 3 * burst.logBytes + bareCommitBytes;
    std::printf("  %-28s %9.2f MB   (3 x log + bare window's commit of %.2f MB)\n", "limit", Megabytes(limit),
                Megabytes(bareCommitBytes));
    PrintRatio(Ratio(static_cast<double>(burst.commitBytes), static_cast<double>(limit)), kCommitTarget);
}

void PrintLookup(const std::vector<LookupRow>& rows)
{
    std::printf("lookup per interface event, median of 20 events (Orvane minimized)\n");
    std::printf("  %10s %9s %17s %13s %12s\n", "registered", "in class", "interface event", "plain event",
                "difference");
    for (const LookupRow& row : rows)
        std::printf("  %10zu %9zu %14.2f ms %10.2f ms %9.2f ms\n", row.registered, row.inClass,
                    row.interfaceEventMs, row.plainEventMs, row.interfaceEventMs - row.plainEventMs);
}

void PrintLongLog(const std::vector<BurstResult>& rows)
{
    if (rows.empty())
        return;
    const BurstResult& first = rows.front();
    std::printf("long log: %zu events (%zu interface arrivals and removals) in %zu chunks per side, into a log\n"
                "filled first, minimized: in Orvane, and event by event in the limit, the bare EDIT control\n",
                first.events, first.interfaceEvents, first.chunkRatios.size());
    std::printf("  %7s %16s %16s %8s   %-24s %s\n", "lines", "Orvane ms/event", "limit ms/event", "ratio",
                "chunks low/median/high", "same text");
    bool met = true;
    for (const BurstResult& row : rows)
    {
        const double events = row.events > 0 ? static_cast<double>(row.events) : 1.0;
        const double ratio = Ratio(row.orvaneMs, row.limitMs);
        met = met && MeetsTarget(ratio, kBurstTarget);
        const auto [lowest, highest] = std::minmax_element(row.chunkRatios.begin(), row.chunkRatios.end());
        const bool chunked = !row.chunkRatios.empty();
        std::printf("  %7zu %16.2f %16.2f %6.2f x   %4.2f / %4.2f / %4.2f%8s %-9s %s\n", row.startLines,
                    row.orvaneMs / events, row.limitMs / events, ratio, chunked ? *lowest : 0.0,
                    Median(row.chunkRatios), chunked ? *highest : 0.0, "", YesNo(row.sameText),
                    MeetsTarget(ratio, kBurstTarget) ? "met" : "NOT MET");
        std::printf("  %7s filled in %.1f s, the control in %.1f s; %.1f s in all\n", "", row.fillMs / 1000.0,
                    row.limitFillMs / 1000.0, row.elapsedMs / 1000.0);
        if (row.shortInterfaceEvents > 0)
            std::printf("  %7s %zu interface events with fewer than six lines\n", "", row.shortInterfaceEvents);
    }
    std::printf("  target <= %.2f x at every size: %s\n", kBurstTarget, met ? "met" : "NOT MET");
}
