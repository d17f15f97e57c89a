// The program's entry point. It stays in orvane_app's library, from which the linker takes it
// only for a program without a wWinMain of its own: Orvane.exe, not the benchmark's marked
// start-up, nor the test programs, which are console programs.
#include "LibrarySearch.h"
#include "Run.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int nCmdShow)
{
    SearchSystemFolderOnlyForLibraries(); // before anything can load a library by name
    return RunProgram(nCmdShow);
}
