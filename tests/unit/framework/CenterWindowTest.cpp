// Where dialogs are centred: over the owner, halving toward zero, kept inside the work area.
#include "CenterWindow.h"

#include <gtest/gtest.h>

#include <utility>

namespace
{
std::pair<LONG, LONG> At(const RECT& window, const RECT& owner, const RECT& work, Halving halving = Halving::ForDialogs)
{
    const POINT at = CenteredPosition(window, owner, &work, halving);
    return {at.x, at.y};
}
} // namespace

TEST(CenteredPosition, HalvesTowardZero)
{
    const RECT large{-2000, -2000, 2000, 2000};
    EXPECT_EQ(At({0, 0, 101, 51}, {0, 0, 300, 200}, large), std::pair(100L, 75L));
    EXPECT_EQ(At({0, 0, 100, 50}, {0, 0, 301, 201}, large), std::pair(100L, 75L)); // the middle of 0..301 is 150
    EXPECT_EQ(At({0, 0, 101, 51}, {-301, -201, 0, 0}, large), std::pair(-200L, -125L)); // the middle of -301..0 is -150
    EXPECT_EQ(At({0, 0, 101, 51}, {0, 0, 300, 200}, large, Halving::ForMessageBoxes), std::pair(99L, 74L));
    EXPECT_EQ(At({0, 0, 101, 51}, {-100, -50, 0, 0}, large, Halving::ForMessageBoxes), std::pair(-100L, -50L)); // -1 / 2 is 0
}

TEST(CenteredPosition, StaysInsideTheWorkArea)
{
    const RECT work{0, 0, 1000, 1000};
    EXPECT_EQ(At({0, 0, 200, 100}, {900, 900, 1000, 1000}, work), std::pair(800L, 900L));
    EXPECT_EQ(At({0, 0, 200, 100}, {-50, -50, 50, 50}, work), std::pair(0L, 0L));
    EXPECT_EQ(At({0, 0, 1200, 1100}, work, {10, 20, 1000, 1000}), std::pair(10L, 20L)); // too large: top-left shows
}
