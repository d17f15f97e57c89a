// Where CenterOnOwner puts a window: over its owner or parent, else over a monitor's work area.
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

POINT TopLeftOnScreen(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return {rect.left, rect.top};
}
} // namespace

TEST(CenterOnOwner, CentresOverTheOwnersWindowRectangle)
{
    unique_hwnd owner = MakeWindow(WS_POPUP, nullptr, 100, 80, 401, 301);
    unique_hwnd box = MakeWindow(WS_POPUP, owner.get(), 0, 0, 200, 100);
    ASSERT_TRUE(owner && box);
    EXPECT_TRUE(CenterOnOwner(box.get()));
    const POINT at = TopLeftOnScreen(box.get());
    EXPECT_EQ(at.x, 100 + (401 - 200) / 2);
    EXPECT_EQ(at.y, 80 + (301 - 100) / 2);
}

TEST(CenterOnOwner, HalvesTowardZeroWhenTheWindowIsLargerThanItsOwner)
{
    unique_hwnd owner = MakeWindow(WS_POPUP, nullptr, 100, 100, 101, 51);
    unique_hwnd box = MakeWindow(WS_POPUP, owner.get(), 0, 0, 200, 100);
    ASSERT_TRUE(owner && box);
    EXPECT_TRUE(CenterOnOwner(box.get()));
    const POINT at = TopLeftOnScreen(box.get());
    EXPECT_EQ(at.x, 51); // 100 + (-99 / 2): -49, not -50
    EXPECT_EQ(at.y, 76); // 100 + (-49 / 2): -24, not -25
}

TEST(CenterOnOwner, IsNotHeldInsideTheScreen)
{
    unique_hwnd owner = MakeWindow(WS_POPUP, nullptr, -500, -300, 400, 200);
    unique_hwnd box = MakeWindow(WS_POPUP, owner.get(), 0, 0, 200, 100);
    ASSERT_TRUE(owner && box);
    EXPECT_TRUE(CenterOnOwner(box.get()));
    const POINT at = TopLeftOnScreen(box.get());
    EXPECT_EQ(at.x, -400);
    EXPECT_EQ(at.y, -250);
}

TEST(CenterOnOwner, WindowWithoutOwnerGoesToTheMiddleOfTheWorkArea)
{
    RECT work{};
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    unique_hwnd box = MakeWindow(WS_POPUP, nullptr, 3, 4, 201, 99);
    ASSERT_TRUE(box);
    EXPECT_TRUE(CenterOnOwner(box.get()));
    const POINT at = TopLeftOnScreen(box.get());
    EXPECT_EQ(at.x, work.left + (work.right - work.left - 201) / 2);
    EXPECT_EQ(at.y, work.top + (work.bottom - work.top - 99) / 2);
}

TEST(CenterOnOwner, ChildIsCentredOverItsParentOnScreen)
{
    unique_hwnd parent = MakeWindow(WS_POPUP, nullptr, 300, 200, 400, 300);
    unique_hwnd child = MakeWindow(WS_CHILD, parent.get(), 0, 0, 100, 50);
    ASSERT_TRUE(parent && child);
    EXPECT_TRUE(CenterOnOwner(child.get()));
    const POINT at = TopLeftOnScreen(child.get());
    EXPECT_EQ(at.x, 300 + (400 - 100) / 2);
    EXPECT_EQ(at.y, 200 + (300 - 50) / 2);
}

TEST(CenterOnOwner, KeepsTheSize)
{
    unique_hwnd owner = MakeWindow(WS_POPUP, nullptr, 0, 0, 640, 480);
    unique_hwnd box = MakeWindow(WS_POPUP, owner.get(), 10, 10, 123, 45);
    ASSERT_TRUE(owner && box);
    EXPECT_TRUE(CenterOnOwner(box.get()));
    RECT rect{};
    ::GetWindowRect(box.get(), &rect);
    EXPECT_EQ(rect.right - rect.left, 123);
    EXPECT_EQ(rect.bottom - rect.top, 45);
}
