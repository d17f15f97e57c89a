#pragma once
// Where the program's message boxes appear: over the window they belong to, or in the middle
// of a monitor's work area when they belong to none.
#include <windows.h>

// Centres hWnd over its parent (a child) or owner, or else over the work area of the start-up
// monitor or the monitor nearest to it. Keeps size, z-order and activation; not kept inside
// any screen, so a box over an owner near an edge can reach past it.
BOOL CenterOnOwner(HWND hWnd);

// The monitor that whoever started the process asked for, passed in the start-up record's
// standard-output field; null when there is none.
HMONITOR GetStartupMonitor();
