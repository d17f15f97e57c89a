#include "CenterWindow.h"

POINT CenteredPosition(const RECT& windowRect, const RECT& reference, const RECT& workArea) noexcept
{
    const LONG width = windowRect.right - windowRect.left;
    const LONG height = windowRect.bottom - windowRect.top;
    // Integer halving truncates toward zero, also left of or above the primary monitor.
    LONG left = (reference.left + reference.right) / 2 - width / 2;
    LONG top = (reference.top + reference.bottom) / 2 - height / 2;

    if (left + width > workArea.right)
        left = workArea.right - width;
    if (left < workArea.left)
        left = workArea.left;
    if (top + height > workArea.bottom)
        top = workArea.bottom - height;
    if (top < workArea.top)
        top = workArea.top;
    return POINT{left, top};
}

BOOL CenterWindow(HWND window, HWND owner) noexcept
{
    // A minimised owner sits off-screen and a hidden one cannot be seen: neither is a
    // place to centre over.
    if (owner != nullptr && (!::IsWindowVisible(owner) || ::IsIconic(owner)))
        owner = nullptr;

    HMONITOR monitor = ::MonitorFromWindow(owner != nullptr ? owner : window, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (monitor == nullptr || !::GetMonitorInfoW(monitor, &info))
        return FALSE;

    RECT reference = info.rcWork;
    if (owner != nullptr && !::GetWindowRect(owner, &reference))
        return FALSE;
    RECT windowRect{};
    if (!::GetWindowRect(window, &windowRect))
        return FALSE;

    const POINT position = CenteredPosition(windowRect, reference, info.rcWork);
    return ::SetWindowPos(window, nullptr, position.x, position.y, 0, 0,
                          SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
