#pragma once
// The process's start-up and spine: COM, the common controls, the application module, the main
// frame and its message loop.
#include <windows.h>

// Runs the program: the message loop's result, or 0 when the main window cannot be created.
int RunProgram(int nCmdShow);
