#include "CenterWindow.h"

POINT CenteredPosition(const RECT& windowRect, const RECT& reference, const RECT* clamp, Halving halving) noexcept
{
    const LONG width = windowRect.right - windowRect.left;
    const LONG height = windowRect.bottom - windowRect.top;
    LONG left = 0;
    LONG top = 0;
    if (halving == Halving::EdgesAndSize)
    {
        left = (reference.left + reference.right) / 2 - width / 2;
        top = (reference.top + reference.bottom) / 2 - height / 2;
    }
    else
    {
        left = reference.left + (reference.right - reference.left - width) / 2;
        top = reference.top + (reference.bottom - reference.top - height) / 2;
    }
    if (clamp == nullptr)
        return POINT{left, top};

    if (left + width > clamp->right)
        left = clamp->right - width;
    if (left < clamp->left)
        left = clamp->left;
    if (top + height > clamp->bottom)
        top = clamp->bottom - height;
    if (top < clamp->top)
        top = clamp->top;
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

    const POINT position = CenteredPosition(windowRect, reference, &info.rcWork, Halving::EdgesAndSize);
    return ::SetWindowPos(window, nullptr, position.x, position.y, 0, 0,
                          SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
