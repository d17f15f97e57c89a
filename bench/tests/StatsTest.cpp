// Medians of repeated runs and figures held against their limits.
#include "Stats.h"

#include <gtest/gtest.h>

TEST(Median, OfAnOddCountTheMiddleOfTheUnsortedValues)
{
    EXPECT_DOUBLE_EQ(Median({9.0, 1.0, 5.0}), 5.0);
}

TEST(Median, OfAnEvenCountTheMeanOfTheTwoMiddleOnes)
{
    EXPECT_DOUBLE_EQ(Median({8.0, 2.0, 4.0, 100.0}), 6.0);
    EXPECT_DOUBLE_EQ(Median({}), 0.0); // none at all
}

// A figure meets its target at most at the target's ratio, and never against a missing limit.
TEST(Ratio, AgainstAMissingLimitNeverPasses)
{
    EXPECT_DOUBLE_EQ(Ratio(30.0, 20.0), 1.5);
    EXPECT_DOUBLE_EQ(Ratio(30.0, -2.0), 0.0);
    EXPECT_TRUE(MeetsTarget(Ratio(25.0, 20.0), 1.25));
    EXPECT_FALSE(MeetsTarget(Ratio(30.0, 0.0), 1.25));
}
