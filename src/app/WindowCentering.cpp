#include "WindowCentering.h"

#include "CenterWindow.h"

namespace
{
// The window (or work area) a window is centred over, in screen coordinates.
bool GetReferenceRect(HWND hWnd, HWND reference, RECT& area) noexcept
{
    if (reference != nullptr)
        return ::GetWindowRect(reference, &area) != FALSE;

    HMONITOR monitor = GetStartupMonitor();
    if (monitor == nullptr)
        monitor = ::MonitorFromWindow(hWnd, MONITOR_DEFAULTTONEAREST);
    if (monitor == nullptr)
        return false;
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetMonitorInfoW(monitor, &info))
        return false;
    area = info.rcWork;
    return true;
}
} // namespace

BOOL CenterOnOwner(HWND hWnd)
{
    RECT window{};
    if (!::GetWindowRect(hWnd, &window))
        return FALSE;
    const bool isChild = (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD) != 0;
    HWND reference = isChild ? ::GetParent(hWnd) : ::GetWindow(hWnd, GW_OWNER);
    RECT area{};
    if (!GetReferenceRect(hWnd, reference, area))
        return FALSE;

    POINT topLeft = CenteredPosition(window, area, nullptr, Halving::Room);
    // A child is placed in its parent's client coordinates.
    if (isChild && reference != nullptr)
        ::ScreenToClient(reference, &topLeft);
    return ::SetWindowPos(hWnd, nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

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
