#pragma once
// The process's spine: the application module and the function that runs the main frame.
#include "AppModule.h"

extern CAppModule g_appModule;

// Creates and shows the main frame and runs the message loop; the loop's result, or 0 when
// the main window cannot be created.
int Run(LPWSTR lpCmdLine = nullptr, int nCmdShow = SW_SHOWDEFAULT);
