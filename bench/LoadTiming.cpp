// OrvaneLoadTiming.exe: what loading each DLL of Orvane's import table costs, one after the
// other in a fresh process that imports nothing but the runtime's own, under Orvane's
// manifest (so the common controls come in version 6, as in Orvane).
//   OrvaneLoadTiming.exe MARKS DLL...
// writes to the file MARKS the performance counter at entry (how long a process takes to
// start when it loads no DLL of its own), then one line per DLL, "<name> <ms>" (a negative time
// when it could not be loaded), and exits with 0; 2 when MARKS cannot be written.
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv)
{
    LARGE_INTEGER entry{};
    ::QueryPerformanceCounter(&entry);
    if (argc < 2)
        return 2;
    FILE* marks = ::_wfopen(argv[1], L"w");
    if (marks == nullptr)
        return 2;
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    std::fprintf(marks, "entry %lld\n", entry.QuadPart);
    for (int i = 2; i < argc; ++i)
    {
        LARGE_INTEGER before{};
        LARGE_INTEGER after{};
        ::QueryPerformanceCounter(&before);
        // Kept loaded to the end, as in Orvane: the next DLL finds what this one brought.
        const HMODULE module = ::LoadLibraryW(argv[i]);
        ::QueryPerformanceCounter(&after);
        const double ms = static_cast<double>(after.QuadPart - before.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
        std::fprintf(marks, "%ls %.3f\n", argv[i], module != nullptr ? ms : -1.0);
    }
    std::fclose(marks);
    return 0;
}
