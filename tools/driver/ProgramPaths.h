#pragma once
// The programs and libraries the driver starts or loads (Orvane.exe, the probe, the benchmark's
// bare window) are built into the folder of the program that drives them.
#include <string>

// name in the folder of the running program; empty when the path cannot be made.
std::wstring PathBesideThisProgram(const wchar_t* name);
