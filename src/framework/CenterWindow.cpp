#include "CenterWindow.h"

namespace
{
// The work area of monitor, or of the monitor nearest to window when monitor is null.
bool GetWorkArea(HMONITOR monitor, HWND window, RECT& area) noexcept
{
    if (monitor == nullptr)
        monitor = ::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (monitor == nullptr || !::GetMonitorInfoW(monitor, &info))
        return false;
    area = info.rcWork;
    return true;
}

BOOL MoveTo(HWND window, POINT topLeft) noexcept
{
    return ::SetWindowPos(window, nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
} // namespace

POINT CenteredPosition(const RECT& windowRect, const RECT& reference, const RECT* clamp, Halving halving) noexcept
{
    const LONG width = windowRect.right - windowRect.left;
    const LONG height = windowRect.bottom - windowRect.top;
    LONG left = 0;
    LONG top = 0;
    if (halving == Halving::ForDialogs)
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

    RECT workArea{};
    if (!GetWorkArea(nullptr, owner != nullptr ? owner : window, workArea))
        return FALSE;
    RECT reference = workArea;
    if (owner != nullptr && !::GetWindowRect(owner, &reference))
        return FALSE;
    RECT windowRect{};
    if (!::GetWindowRect(window, &windowRect))
        return FALSE;
    return MoveTo(window, CenteredPosition(windowRect, reference, &workArea, Halving::ForDialogs));
}

BOOL CenterOnOwner(HWND window, HMONITOR ownerless) noexcept
{
    RECT windowRect{};
    if (!::GetWindowRect(window, &windowRect))
        return FALSE;
    const bool isChild = (::GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) != 0;
    HWND reference = isChild ? ::GetParent(window) : ::GetWindow(window, GW_OWNER);
    RECT area{};
    if (reference != nullptr ? !::GetWindowRect(reference, &area) : !GetWorkArea(ownerless, window, area))
        return FALSE;

    POINT topLeft = CenteredPosition(windowRect, area, nullptr, Halving::ForMessageBoxes);
    if (isChild && reference != nullptr)
        ::ScreenToClient(reference, &topLeft);
    return MoveTo(window, topLeft);
}
