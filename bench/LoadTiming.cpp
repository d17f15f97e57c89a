// OrvaneLoadTiming.exe: what loading each of the DLLs it is given costs, one after the
// other in a fresh process that imports nothing but the runtime's own, under Orvane's
// manifest (so the common controls come in version 6, as in Orvane).
//   OrvaneLoadTiming.exe MARKS DLL...
// writes to the file MARKS the performance counter at entry (how long a process takes to
// start when it loads no DLL of its own), then one line per DLL, "<name> <ms>" (a negative time
// when it could not be loaded), and exits with 0; 2 when MARKS cannot be written.
#include "UniqueHandle.h"

#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv)
{
    LARGE_INTEGER entry{};
    ::QueryPerformanceCounter(&entry);
    if (argc < 2)
        return 2;
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    char line[MAX_PATH + 64] = {};
    std::snprintf(line, sizeof(line), "entry %lld\n", entry.QuadPart);
    std::string marks = line;
    for (int i = 2; i < argc; ++i)
    {
        LARGE_INTEGER before{};
        LARGE_INTEGER after{};
        ::QueryPerformanceCounter(&before);
        // Kept loaded to the end, as in Orvane: the next DLL finds what this one brought.
        const HMODULE module = ::LoadLibraryW(argv[i]);
        ::QueryPerformanceCounter(&after);
        const double ms = static_cast<double>(after.QuadPart - before.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
        std::snprintf(line, sizeof(line), "%ls %.3f\n", argv[i], module != nullptr ? ms : -1.0);
        marks += line;
    }
    const unique_hfile file(::CreateFileW(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && ::WriteFile(file.get(), marks.data(), static_cast<DWORD>(marks.size()), &written, nullptr) ? 0 : 2;
}
