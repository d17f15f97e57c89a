#include "StartupMonitor.h"

HMONITOR GetStartupMonitor()
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    ::GetStartupInfoW(&startup);
    auto* monitor = reinterpret_cast<HMONITOR>(startup.hStdOutput);
    if (monitor == nullptr)
        return nullptr;
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    return ::GetMonitorInfoW(monitor, &info) ? monitor : nullptr;
}
