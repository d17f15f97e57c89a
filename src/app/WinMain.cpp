// Orvane.exe's entry point, compiled into the program itself rather than into orvane_app's
// library, so that the link needs nothing to find it.
#include "LibrarySearch.h"
#include "Run.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int nCmdShow)
{
    SearchSystemFolderOnlyForLibraries(); // before anything can load a library by name
    return RunProgram(nCmdShow);
}
