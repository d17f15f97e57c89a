#pragma once
// The process's start-up and spine: COM, the common controls, the application module, the main
// frame and its message loop. wWinMain calls it; so does the benchmark's marked start-up, with an
// observer that is called between the steps.
#include <windows.h>

enum class StartupStep
{
    ComInitialized,     // CoInitialize returned
    ControlsRegistered, // InitCommonControlsEx returned; the module and the frame come next
};
using StartupObserver = void (*)(StartupStep);

// Runs the program: the message loop's result, or 0 when the main window cannot be created.
int RunProgram(int nCmdShow, StartupObserver observer = nullptr);
