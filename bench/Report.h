#pragma once
// The benchmark's printed report: each figure beside the limit measured in the same run, the
// ratio, and the target it is held to.
#include "Benchmarks.h"

inline constexpr double kBurstTarget = 1.25;
inline constexpr double kStartupTarget = 1.5;
inline constexpr double kSaveTarget = 1.5;
inline constexpr double kCommitTarget = 1.0; // commit against 3 x log + the bare program's commit

void PrintBurst(const BurstResult& burst);
void PrintStartup(const StartupResult& startup, int rounds);
void PrintSave(const SaveResult& save);
// Needs the bare program's commit from the start-up runs; 0 when those did not run.
void PrintMemory(const BurstResult& burst, SIZE_T bareCommitBytes);
void PrintLookup(const std::vector<LookupRow>& rows);
// One row per log size measured; nothing when rows is empty.
void PrintLongLog(const std::vector<BurstResult>& rows);
