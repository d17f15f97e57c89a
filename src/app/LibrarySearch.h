#pragma once
// The start-up's first step: whatever the program, or a system component it calls, loads by name
// from then on is looked up in the system folder only, not in the program's folder (a Downloads
// folder, often) nor the current one. The image's own imports are kept there by its load
// configuration (LoadConfig.cpp), where Windows honours it.
#include <windows.h>

// True when the search is the system folder's alone. Without SetDefaultDllDirectories (Windows 7
// without update KB2533623) only the current folder leaves the search, and the answer is false.
bool SearchSystemFolderOnlyForLibraries() noexcept;
