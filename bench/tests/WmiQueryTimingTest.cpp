// The WMI timing child's exit code: microseconds, or a value that says the query failed.
#include "WmiQueryTiming.h"

#include <gtest/gtest.h>

TEST(WmiQueryExitCode, CarriesTheTimeInMicroseconds)
{
    EXPECT_DOUBLE_EQ(WmiQueryMsFromExitCode(WmiQueryExitCode(36.25, S_OK)), 36.25);
    EXPECT_DOUBLE_EQ(WmiQueryMsFromExitCode(WmiQueryExitCode(0.0, S_OK)), 0.0);
}

TEST(WmiQueryExitCode, AFailedQueryIsNeverATime)
{
    EXPECT_LT(WmiQueryMsFromExitCode(WmiQueryExitCode(36.0, E_FAIL)), 0.0);
    // A time too long for the exit code stays a (long) time.
    EXPECT_GT(WmiQueryMsFromExitCode(WmiQueryExitCode(1e9, S_OK)), 4e6);
}
