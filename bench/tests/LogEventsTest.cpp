// Cutting what a run of events added to the log into one text per event.
#include "LogEvents.h"

#include <gtest/gtest.h>

namespace
{
const std::wstring kHeader = L"Microsoft Windows 10 Pro (64-bit)\r\nVersion 10.0 (Build 19045)\r\n\r\nHint\r\n\r\n";
const std::wstring kBlank(26, L' ');

std::wstring Stamped(const wchar_t* text)
{
    return std::wstring(L"2026/12/06 12:00:00.042 - ") + text + L"\r\n";
}
std::wstring Continued(const wchar_t* text)
{
    return kBlank + text + L"\r\n";
}
} // namespace

TEST(SplitAddedEvents, EachEventKeepsItsContinuationLines)
{
    const std::wstring arrival = Stamped(L"DBT_DEVICEARRIVAL") + Continued(L"  Device path: \\\\?\\x#{1}") +
                                 Continued(L"    Friendly Name: Dock");
    const std::wstring plain = Stamped(L"DBT_DEVNODES_CHANGED");
    std::vector<std::wstring> events;

    ASSERT_TRUE(SplitAddedEvents(kHeader, kHeader + arrival + plain + plain, events));

    EXPECT_EQ(events, (std::vector<std::wstring>{arrival, plain, plain}));
}

TEST(SplitAddedEvents, NothingAddedGivesNoEvents)
{
    std::vector<std::wstring> events{L"stale"};
    EXPECT_TRUE(SplitAddedEvents(kHeader, kHeader, events));
    EXPECT_TRUE(events.empty());
}

TEST(SplitAddedEvents, RefusesTextThatIsNotWholeEvents)
{
    std::vector<std::wstring> events;
    // The log no longer starts with what it held before (New cleared it).
    EXPECT_FALSE(SplitAddedEvents(kHeader, L"X" + kHeader + Stamped(L"DBT_DEVNODES_CHANGED"), events));
    // A continuation line with no event line above it.
    EXPECT_FALSE(SplitAddedEvents(kHeader, kHeader + Continued(L"  Port=COM1"), events));
    // A line that is not finished yet.
    EXPECT_FALSE(SplitAddedEvents(kHeader, kHeader + L"2026/12/06 12:00:00.042 - DBT_DEV", events));
    // A line with neither kind of prefix.
    EXPECT_FALSE(SplitAddedEvents(kHeader, kHeader + L"Device notifications enabled.\r\n", events));
}

TEST(CountLines, CountsCrLfPairsOnly)
{
    EXPECT_EQ(CountLines(L""), 0u);
    EXPECT_EQ(CountLines(L"a\r\nb\r\n"), 2u);
    EXPECT_EQ(CountLines(L"\r\n\r\n\r\n"), 3u);
    EXPECT_EQ(CountLines(L"a\nb\rc\r\n"), 1u);
}
