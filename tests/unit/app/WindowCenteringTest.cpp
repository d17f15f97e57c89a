// Where CenterOnOwner puts a window: over its owner or parent, else over the work area.
#include "app/AppMessageBox.h"

#include "framework/UniqueHandle.h"

#include <gtest/gtest.h>

namespace
{
unique_hwnd MakeWindow(DWORD style, HWND parentOrOwner, int x, int y, int width, int height)
{
    return unique_hwnd(::CreateWindowExW(0, L"STATIC", L"", style, x, y, width, height, parentOrOwner, nullptr,
                                         ::GetModuleHandleW(nullptr), nullptr));
}

// Centres window and gives its new top-left corner on screen; its size must not change.
POINT Centre(HWND window)
{
    RECT before{};
    RECT after{};
    ::GetWindowRect(window, &before);
    EXPECT_TRUE(CenterOnOwner(window));
    ::GetWindowRect(window, &after);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
    return {after.left, after.top};
}
} // namespace

TEST(CenterOnOwner, CentresOverTheOwnersWindowRectangle)
{
    unique_hwnd owner = MakeWindow(WS_POPUP, nullptr, 100, 80, 401, 301);
    unique_hwnd box = MakeWindow(WS_POPUP, owner.get(), 0, 0, 200, 100);
    const POINT at = Centre(box.get());
    EXPECT_EQ(at.x, 200);
    EXPECT_EQ(at.y, 180);
}

TEST(CenterOnOwner, HalvesTowardZeroWhenTheWindowIsLargerThanItsOwner)
{
    unique_hwnd owner = MakeWindow(WS_POPUP, nullptr, 100, 100, 101, 51);
    unique_hwnd box = MakeWindow(WS_POPUP, owner.get(), 0, 0, 200, 100);
    const POINT at = Centre(box.get());
    EXPECT_EQ(at.x, 51); // 100 + (-99 / 2): -49, not -50
    EXPECT_EQ(at.y, 76); // 100 + (-49 / 2): -24, not -25
}

TEST(CenterOnOwner, WindowWithoutOwnerGoesToTheMiddleOfTheWorkArea)
{
    RECT work{};
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    unique_hwnd box = MakeWindow(WS_POPUP, nullptr, 3, 4, 201, 99);
    const POINT at = Centre(box.get());
    EXPECT_EQ(at.x, work.left + (work.right - work.left - 201) / 2);
    EXPECT_EQ(at.y, work.top + (work.bottom - work.top - 99) / 2);
}

TEST(CenterOnOwner, ChildIsCentredOverItsParentOnScreen)
{
    unique_hwnd parent = MakeWindow(WS_POPUP, nullptr, 300, 200, 400, 300);
    unique_hwnd child = MakeWindow(WS_CHILD, parent.get(), 0, 0, 100, 50);
    const POINT at = Centre(child.get());
    EXPECT_EQ(at.x, 450);
    EXPECT_EQ(at.y, 325);
}
