#pragma once
// What the measurements share about the programs they run: Orvane started and painted before
// anything is timed, the painting a run caused, and a process's memory as Windows counts it.
#include "OrvaneProcess.h"

#include <string>

// Starts exe as the Orvane to measure and returns once its frame and log view are shown and
// painted.
HRESULT StartOrvane(OrvaneProcess& orvane, const std::wstring& exe, int showCommand = SW_SHOWNORMAL);

// Paints what window and its children still have to paint, in the window's own thread, and
// returns when that is done: a run's time includes the drawing it caused.
void FlushPainting(HWND window);

// The private memory process has committed, summed over its address space: what Windows
// reports as the process's PrivateUsage, which Wine leaves at 0 for another process.
SIZE_T PrivateCommittedBytes(HANDLE process);
SIZE_T WorkingSetBytes(HANDLE process);
