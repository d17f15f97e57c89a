// Where dialogs are centred: over the owner, halving toward zero, kept inside the work area.
#include "CenterWindow.h"

#include <gtest/gtest.h>

TEST(CenteredPosition, HalvesTowardZeroAndStaysInsideTheWorkArea)
{
    const RECT large{-2000, -2000, 2000, 2000}, work{0, 0, 1000, 1000};
    const struct { RECT window, owner, work; LONG x, y; Halving halving = Halving::ForDialogs; } cases[] = {
        {{0, 0, 101, 51}, {0, 0, 300, 200}, large, 100, 75},
        {{0, 0, 100, 50}, {0, 0, 301, 201}, large, 100, 75}, // the middle of 0..301 is 150
        {{0, 0, 101, 51}, {-301, -201, 0, 0}, large, -200, -125}, // the middle of -301..0 is -150
        {{0, 0, 101, 51}, {0, 0, 300, 200}, large, 99, 74, Halving::ForMessageBoxes},
        {{0, 0, 101, 51}, {-100, -50, 0, 0}, large, -100, -50, Halving::ForMessageBoxes}, // wider: -1 / 2 is 0
        {{0, 0, 200, 100}, {900, 900, 1000, 1000}, work, 800, 900},
        {{0, 0, 200, 100}, {-50, -50, 50, 50}, work, 0, 0},
        {{0, 0, 1200, 1100}, work, {10, 20, 1000, 1000}, 10, 20}, // too large: top-left stays visible
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(::testing::Message() << "row " << &c - cases);
        const POINT at = CenteredPosition(c.window, c.owner, &c.work, c.halving);
        EXPECT_EQ(at.x, c.x);
        EXPECT_EQ(at.y, c.y);
    }
}
