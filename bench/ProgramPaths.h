#pragma once
// The programs the benchmark starts are built into the same folder as the benchmark itself.
#include <string>

// name in the folder of the running program; empty when the path cannot be made.
std::wstring PathNextToThisProgram(const wchar_t* name);
