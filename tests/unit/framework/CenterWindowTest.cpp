// The dialog centring rule: the arithmetic on plain rectangles, then real windows over
// visible, hidden and minimised owners on this display's monitor.
#include "framework/CenterWindow.h"
#include "framework/UniqueHandle.h"

#include <gtest/gtest.h>

namespace
{
bool Equal(POINT a, POINT b)
{
    return a.x == b.x && a.y == b.y;
}

// Popups without a caption: the display server shows them at once and at the given place.
unique_hwnd CreatePopup(int x, int y, int width, int height, DWORD extraStyle = 0)
{
    return unique_hwnd(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | extraStyle, x, y, width, height, nullptr,
                                         nullptr, ::GetModuleHandleW(nullptr), nullptr));
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

void ExpectCentredIn(HWND window, const RECT& area)
{
    const RECT rect = WindowRect(window);
    EXPECT_EQ(rect.left, (area.left + area.right) / 2 - (rect.right - rect.left) / 2);
    EXPECT_EQ(rect.top, (area.top + area.bottom) / 2 - (rect.bottom - rect.top) / 2);
}

const RECT kLargeWorkArea{-2000, -2000, 2000, 2000};
} // namespace

TEST(CenteredPosition, MiddleOfTheReference)
{
    EXPECT_TRUE(Equal(CenteredPosition(RECT{0, 0, 101, 51}, RECT{0, 0, 300, 200}, kLargeWorkArea), POINT{100, 75}));
}

TEST(CenteredPosition, HalvingTruncatesTowardZero)
{
    // Middle of -301..0 is -150 (not -151); the window's half width 101 / 2 is 50.
    EXPECT_TRUE(Equal(CenteredPosition(RECT{0, 0, 101, 51}, RECT{-301, -201, 0, 0}, kLargeWorkArea),
                      POINT{-200, -125}));
}

TEST(CenteredPosition, PushedBackFromTheRightAndBottomEdges)
{
    EXPECT_TRUE(Equal(CenteredPosition(RECT{0, 0, 200, 100}, RECT{900, 900, 1000, 1000}, RECT{0, 0, 1000, 1000}),
                      POINT{800, 900}));
}

TEST(CenteredPosition, PushedBackFromTheLeftAndTopEdges)
{
    EXPECT_TRUE(Equal(CenteredPosition(RECT{0, 0, 200, 100}, RECT{-50, -50, 50, 50}, RECT{0, 0, 1000, 1000}),
                      POINT{0, 0}));
}

TEST(CenteredPosition, LargerThanTheWorkAreaKeepsTheTopLeftInside)
{
    EXPECT_TRUE(Equal(CenteredPosition(RECT{0, 0, 1200, 1100}, RECT{0, 0, 1000, 1000}, RECT{10, 20, 1000, 1000}),
                      POINT{10, 20}));
}

TEST(CenterWindow, OverAVisibleOwner)
{
    unique_hwnd owner = CreatePopup(100, 80, 501, 301, WS_VISIBLE);
    unique_hwnd window = CreatePopup(0, 0, 200, 100);
    ASSERT_TRUE(owner && window);
    EXPECT_TRUE(CenterWindow(window.get(), owner.get()));
    ExpectCentredIn(window.get(), WindowRect(owner.get()));
    const RECT rect = WindowRect(window.get());
    EXPECT_EQ(rect.right - rect.left, 200);
    EXPECT_EQ(rect.bottom - rect.top, 100);
}

TEST(CenterWindow, HiddenOwnerMeansTheWorkArea)
{
    unique_hwnd owner = CreatePopup(100, 80, 501, 301);
    unique_hwnd window = CreatePopup(0, 0, 200, 100);
    ASSERT_TRUE(owner && window);
    EXPECT_TRUE(CenterWindow(window.get(), owner.get()));
    ExpectCentredIn(window.get(), WorkAreaNear(window.get()));
}

TEST(CenterWindow, MinimisedOwnerMeansTheWorkArea)
{
    unique_hwnd owner = CreatePopup(100, 80, 501, 301, WS_VISIBLE);
    unique_hwnd window = CreatePopup(0, 0, 200, 100);
    ASSERT_TRUE(owner && window);
    ::ShowWindow(owner.get(), SW_MINIMIZE);
    ASSERT_TRUE(::IsIconic(owner.get()));
    EXPECT_TRUE(CenterWindow(window.get(), owner.get()));
    ExpectCentredIn(window.get(), WorkAreaNear(window.get()));
}

TEST(CenterWindow, NoOwnerMeansTheWorkArea)
{
    unique_hwnd window = CreatePopup(0, 0, 200, 100);
    ASSERT_TRUE(window);
    EXPECT_TRUE(CenterWindow(window.get(), nullptr));
    ExpectCentredIn(window.get(), WorkAreaNear(window.get()));
}

TEST(CenterWindow, OwnerInTheBottomRightCornerKeepsTheWindowInside)
{
    unique_hwnd probe = CreatePopup(0, 0, 10, 10);
    ASSERT_TRUE(probe);
    const RECT work = WorkAreaNear(probe.get());
    unique_hwnd owner = CreatePopup(work.right - 100, work.bottom - 60, 300, 200, WS_VISIBLE);
    unique_hwnd window = CreatePopup(0, 0, 400, 300);
    ASSERT_TRUE(owner && window);
    EXPECT_TRUE(CenterWindow(window.get(), owner.get()));
    const RECT rect = WindowRect(window.get());
    EXPECT_EQ(rect.right, work.right);
    EXPECT_EQ(rect.bottom, work.bottom);
}
