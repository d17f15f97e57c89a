// The log line rule on plain data with a fixed clock.
#include "FixedClock.h"
#include "LogEntry.h"
#include "resource.h"

#include <gtest/gtest.h>

TEST(LogEntry, TimeStampOrIndentThenTheTextAndCrLf)
{
    CLogEntry entry(&FixedClock);
    entry.AppendLine(L"EVENT %u", 7u);
    entry.m_bTimestamp = false;
    entry.AppendLine(L"  detail %s", L"text");
    entry.AppendLine(IDS_NOTIFICATIONS_ENABLED);
    entry.AppendLine(UINT{9999}); // no such string: an empty format
    EXPECT_EQ(entry.GetText().Str(), L"2026/01/02 03:04:05.006 - EVENT 7\r\n"
                                     L"                            detail text\r\n"
                                     L"                          Device notifications enabled.\r\n"
                                     L"                          \r\n");
}
