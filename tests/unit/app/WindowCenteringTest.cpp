// Where CenterOnOwner puts a window: over its owner or parent, else over the work area.
#include "app/AppMessageBox.h"

#include "framework/UniqueHandle.h"

#include <gtest/gtest.h>

namespace
{
unique_hwnd MakeWindow(DWORD style, HWND parentOrOwner, const RECT& rect)
{
    return unique_hwnd(::CreateWindowExW(0, L"STATIC", L"", style, rect.left, rect.top, rect.right - rect.left,
                                         rect.bottom - rect.top, parentOrOwner, nullptr,
                                         ::GetModuleHandleW(nullptr), nullptr));
}

// Centres a window of the given size and style over a popup at reference (or over nothing
// when reference is empty); gives its new top-left corner on screen. Its size must not change.
POINT Centre(DWORD style, const RECT& reference, LONG width, LONG height)
{
    unique_hwnd owner = IsRectEmpty(&reference) ? unique_hwnd() : MakeWindow(WS_POPUP, nullptr, reference);
    unique_hwnd window = MakeWindow(style, owner.get(), RECT{3, 4, 3 + width, 4 + height});
    RECT after{};
    EXPECT_TRUE(CenterOnOwner(window.get()));
    ::GetWindowRect(window.get(), &after);
    EXPECT_EQ(after.right - after.left, width);
    EXPECT_EQ(after.bottom - after.top, height);
    window.reset();
    return {after.left, after.top};
}
} // namespace

TEST(CenterOnOwner, CentresOverTheOwnersWindowRectangle)
{
    const POINT at = Centre(WS_POPUP, RECT{100, 80, 501, 381}, 200, 100);
    EXPECT_EQ(at.x, 200);
    EXPECT_EQ(at.y, 180);
}

TEST(CenterOnOwner, HalvesTowardZeroWhenTheWindowIsLargerThanItsOwner)
{
    const POINT at = Centre(WS_POPUP, RECT{100, 100, 201, 151}, 200, 100);
    EXPECT_EQ(at.x, 51); // 100 + (-99 / 2): -49, not -50
    EXPECT_EQ(at.y, 76); // 100 + (-49 / 2): -24, not -25
}

TEST(CenterOnOwner, ChildIsCentredOverItsParentOnScreen)
{
    const POINT at = Centre(WS_CHILD, RECT{300, 200, 700, 500}, 100, 50);
    EXPECT_EQ(at.x, 450);
    EXPECT_EQ(at.y, 325);
}

TEST(CenterOnOwner, WindowWithoutOwnerGoesToTheMiddleOfTheWorkArea)
{
    RECT work{};
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    const POINT at = Centre(WS_POPUP, RECT{}, 201, 99);
    EXPECT_EQ(at.x, work.left + (work.right - work.left - 201) / 2);
    EXPECT_EQ(at.y, work.top + (work.bottom - work.top - 99) / 2);
}
