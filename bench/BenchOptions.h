#pragma once
// The benchmark's command line:
//   OrvaneBench.exe [--orvane PATH] [--bare PATH] [--rounds N] [--only NAME[,NAME...]]
// NAME is burst, startup, save, lookup or longlog; the default runs them all. Without --orvane the
// Orvane.exe next to the benchmark is measured.
#include <string>
#include <vector>

struct BenchOptions
{
    std::wstring orvaneExe;
    std::wstring bareExe;
    int rounds = 5;
    bool burst = true;
    bool startup = true;
    bool save = true;
    bool lookup = true;
    bool longLog = true;
};

// Reads the arguments after the program's name; false with a message in error on a mistake.
bool ParseBenchOptions(const std::vector<std::wstring>& arguments, BenchOptions& options, std::wstring& error);
