// Where CenterOnOwner puts a window: over its owner or parent, else over the work area.
#include "AppMessageBox.h"

#include "UniqueHandle.h"

#include <gtest/gtest.h>

#include <array>

namespace
{
unique_hwnd MakeWindow(DWORD style, HWND parentOrOwner, const RECT& rect)
{
    return unique_hwnd(::CreateWindowExW(0, L"STATIC", L"", style, rect.left, rect.top, rect.right - rect.left,
                                         rect.bottom - rect.top, parentOrOwner, nullptr, nullptr, nullptr));
}
} // namespace

TEST(CenterOnOwner, CentresOverOwnerParentOrWorkAreaKeepingTheSize)
{
    RECT work{};
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    const struct
    {
        DWORD style;
        RECT reference; // empty: no owner
        LONG width, height, x, y;
    } cases[] = {
        {WS_POPUP, {100, 80, 501, 381}, 200, 100, 200, 180},
        {WS_POPUP, {100, 100, 201, 151}, 200, 100, 51, 76}, // halves toward zero: -99 / 2 is -49
        {WS_CHILD, {300, 200, 700, 500}, 100, 50, 450, 325},
        {WS_POPUP, {}, 201, 99, work.left + (work.right - work.left - 201) / 2,
         work.top + (work.bottom - work.top - 99) / 2},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.x);
        unique_hwnd owner = IsRectEmpty(&c.reference) ? unique_hwnd() : MakeWindow(WS_POPUP, nullptr, c.reference);
        unique_hwnd window = MakeWindow(c.style, owner.get(), RECT{3, 4, 3 + c.width, 4 + c.height});
        EXPECT_TRUE(CenterOnOwner(window.get()));
        RECT after{};
        ::GetWindowRect(window.get(), &after);
        EXPECT_EQ((std::array{after.left, after.top, after.right, after.bottom}),
                  (std::array{c.x, c.y, c.x + c.width, c.y + c.height}));
    }
}
