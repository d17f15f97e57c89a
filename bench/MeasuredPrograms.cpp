#include "MeasuredPrograms.h"

#include <psapi.h>

HRESULT StartOrvane(OrvaneProcess& orvane, const std::wstring& exe, int showCommand)
{
    HRESULT hr = orvane.Launch(exe, showCommand);
    if (SUCCEEDED(hr))
        hr = orvane.WaitForFrame();
    if (SUCCEEDED(hr))
        FlushPainting(orvane.Frame());
    return hr;
}

void FlushPainting(HWND window)
{
    ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    // A round trip through the window's thread: returns once that thread is back in its loop.
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
}

SIZE_T PrivateCommittedBytes(HANDLE process)
{
    SIZE_T committed = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (auto* address = static_cast<BYTE*>(nullptr);
         ::VirtualQueryEx(process, address, &region, sizeof(region)) == sizeof(region);
         address = static_cast<BYTE*>(region.BaseAddress) + region.RegionSize)
    {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            committed += region.RegionSize;
    }
    return committed;
}

SIZE_T WorkingSetBytes(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    return ::GetProcessMemoryInfo(process, &counters, sizeof(counters)) ? counters.WorkingSetSize : 0;
}
