// Medians of repeated runs and figures held against their limits.
#include "Stats.h"

#include <gtest/gtest.h>

TEST(Median, MiddleOfUnsortedValuesAndMeanOfTheTwoMiddleOnes)
{
    EXPECT_DOUBLE_EQ(Median({9.0, 1.0, 5.0}), 5.0);
    EXPECT_DOUBLE_EQ(Median({8.0, 2.0, 4.0, 100.0}), 6.0);
    EXPECT_DOUBLE_EQ(Median({7.0}), 7.0);
    EXPECT_DOUBLE_EQ(Median({}), 0.0);
}

TEST(Ratio, AgainstAMissingLimitNeverPasses)
{
    EXPECT_DOUBLE_EQ(Ratio(30.0, 20.0), 1.5);
    EXPECT_DOUBLE_EQ(Ratio(30.0, 0.0), 0.0);
    EXPECT_DOUBLE_EQ(Ratio(30.0, -2.0), 0.0);
    EXPECT_FALSE(MeetsTarget(Ratio(30.0, 0.0), 1.25));
}

TEST(MeetsTarget, AtMostTheTarget)
{
    EXPECT_TRUE(MeetsTarget(1.25, 1.25));
    EXPECT_TRUE(MeetsTarget(0.5, 1.25));
    EXPECT_FALSE(MeetsTarget(1.2501, 1.25));
}
