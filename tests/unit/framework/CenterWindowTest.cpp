// The dialog centring rule: the arithmetic on plain rectangles, then real windows over
// hidden, minimised and corner owners on this display's monitor.
#include "CenterWindow.h"
#include "UniqueHandle.h"

#include <gtest/gtest.h>

namespace
{
// Popups without a caption: shown at once and at exactly the given place.
unique_hwnd CreatePopup(int x, int y, int width, int height, DWORD extraStyle = 0)
{
    return unique_hwnd(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | extraStyle, x, y, width, height, nullptr,
                                         nullptr, nullptr, nullptr));
}

RECT WindowRect(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

RECT WorkAreaNear(HWND window)
{
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}
} // namespace

TEST(CenteredPosition, HalvesTowardZeroAndStaysInsideTheWorkArea)
{
    const RECT large{-2000, -2000, 2000, 2000}, work{0, 0, 1000, 1000};
    const struct
    {
        RECT window, owner, work;
        LONG x, y;
    } cases[] = {
        {{0, 0, 101, 51}, {0, 0, 300, 200}, large, 100, 75},
        {{0, 0, 101, 51}, {-301, -201, 0, 0}, large, -200, -125}, // the middle of -301..0 is -150
        {{0, 0, 200, 100}, {900, 900, 1000, 1000}, work, 800, 900},
        {{0, 0, 200, 100}, {-50, -50, 50, 50}, work, 0, 0},
        {{0, 0, 1200, 1100}, work, {10, 20, 1000, 1000}, 10, 20}, // too large: top-left stays visible
    };
    for (const auto& c : cases)
    {
        const POINT at = CenteredPosition(c.window, c.owner, c.work);
        EXPECT_EQ(at.x, c.x);
        EXPECT_EQ(at.y, c.y);
    }
}

TEST(CenterWindow, HiddenMinimisedOrNoOwnerMeansTheWorkArea)
{
    unique_hwnd hidden = CreatePopup(100, 80, 501, 301);
    unique_hwnd minimised = CreatePopup(100, 80, 501, 301, WS_VISIBLE);
    ::ShowWindow(minimised.get(), SW_MINIMIZE);
    ASSERT_TRUE(::IsIconic(minimised.get()));
    for (HWND owner : {hidden.get(), minimised.get(), HWND{}})
    {
        unique_hwnd window = CreatePopup(0, 0, 200, 100);
        EXPECT_TRUE(CenterWindow(window.get(), owner));
        const RECT work = WorkAreaNear(window.get()), rect = WindowRect(window.get());
        EXPECT_EQ(rect.left, (work.left + work.right) / 2 - 100);
        EXPECT_EQ(rect.top, (work.top + work.bottom) / 2 - 50);
    }
}

TEST(CenterWindow, OwnerInTheBottomRightCornerKeepsTheWindowInside)
{
    unique_hwnd window = CreatePopup(0, 0, 400, 300);
    const RECT work = WorkAreaNear(window.get());
    unique_hwnd owner = CreatePopup(work.right - 100, work.bottom - 60, 300, 200, WS_VISIBLE);
    EXPECT_TRUE(CenterWindow(window.get(), owner.get()));
    const RECT rect = WindowRect(window.get());
    EXPECT_EQ(rect.right, work.right);
    EXPECT_EQ(rect.bottom, work.bottom);
    EXPECT_EQ(rect.right - rect.left, 400);
}
