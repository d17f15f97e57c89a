#pragma once
// The benchmark run as a child that times the log header's WMI query once, in a process of its
// own: "OrvaneBench.exe --time-wmi". The exit code carries the result.
#include <windows.h>

inline constexpr wchar_t kWmiQueryTimingOption[] = L"--time-wmi";

// Runs the query with COM initialised as Orvane's thread has it; the process's exit code.
DWORD TimeWmiQueryInThisProcess();

// The query's milliseconds, or a negative value when the query failed.
double WmiQueryMsFromExitCode(DWORD exitCode);
DWORD WmiQueryExitCode(double elapsedMs, HRESULT hr);
