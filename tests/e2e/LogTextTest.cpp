// Reading the log back: line splitting and the two prefixes.
#include "LogText.h"

#include <gtest/gtest.h>

TEST(SplitLogLines, SplitsAtCrLfAndDropsIt)
{
    bool complete = false;
    const auto lines = SplitLogLines(L"one\r\n\r\nthree\r\n", &complete);
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"one", L"", L"three"}));
    EXPECT_TRUE(complete);
}

TEST(SplitLogLines, TextWithoutFinalCrLfIsIncomplete)
{
    bool complete = true;
    const auto lines = SplitLogLines(L"one\r\ntwo", &complete);
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"one", L"two"}));
    EXPECT_FALSE(complete);
}

TEST(SplitLogLines, LoneLineFeedIsIncomplete)
{
    bool complete = true;
    SplitLogLines(L"one\ntwo\r\n", &complete);
    EXPECT_FALSE(complete);
}

TEST(ParseTimestampPrefix, ReadsEveryField)
{
    SYSTEMTIME time{};
    ASSERT_TRUE(ParseTimestampPrefix(L"2026/12/05 13:19:19.042 - ", time));
    EXPECT_EQ(time.wYear, 2026);
    EXPECT_EQ(time.wMonth, 12);
    EXPECT_EQ(time.wDay, 5);
    EXPECT_EQ(time.wHour, 13);
    EXPECT_EQ(time.wMinute, 19);
    EXPECT_EQ(time.wSecond, 19);
    EXPECT_EQ(time.wMilliseconds, 42);
}

TEST(ParseTimestampPrefix, RejectsWrongShapes)
{
    SYSTEMTIME time{};
    EXPECT_FALSE(ParseTimestampPrefix(L"2026/12/05 13:19:19.042 -", time));  // short
    EXPECT_FALSE(ParseTimestampPrefix(L"2026-12-05 13:19:19.042 - ", time)); // separators
    EXPECT_FALSE(ParseTimestampPrefix(L"2026/13/05 13:19:19.042 - ", time)); // month
    EXPECT_FALSE(ParseTimestampPrefix(L"2026/12/05 13:19:19.42  - ", time)); // milliseconds
}

TEST(ParseLogLine, TellsEntriesFromContinuations)
{
    LogLine line;
    ASSERT_TRUE(ParseLogLine(L"2026/12/05 13:19:19.042 - DBT_DEVNODES_CHANGED", line));
    EXPECT_TRUE(line.timestamped);
    EXPECT_EQ(line.text, L"DBT_DEVNODES_CHANGED");

    ASSERT_TRUE(ParseLogLine(std::wstring(26, L' ') + L"  Port=COM1", line));
    EXPECT_FALSE(line.timestamped);
    EXPECT_EQ(line.text, L"  Port=COM1");
}

TEST(ParseLogLine, RejectsLinesWithoutPrefix)
{
    LogLine line;
    EXPECT_FALSE(ParseLogLine(std::wstring(25, L' ') + L"x  Port=COM1", line));
    EXPECT_FALSE(ParseLogLine(L"DBT_DEVNODES_CHANGED", line));
}

TEST(ToComparableTime, OrdersAcrossMidnight)
{
    SYSTEMTIME late{2026, 12, 0, 5, 23, 59, 59, 999};
    SYSTEMTIME early{2026, 12, 0, 6, 0, 0, 0, 1};
    EXPECT_LT(ToComparableTime(late), ToComparableTime(early));
    EXPECT_EQ(ToComparableTime(early) - ToComparableTime(late), 2u);
}
