#pragma once
// The monitor the program's ownerless message boxes appear on.
#include <windows.h>

// The monitor that whoever started the process asked for, passed in the start-up record's
// standard-output field; null when there is none.
HMONITOR GetStartupMonitor();
