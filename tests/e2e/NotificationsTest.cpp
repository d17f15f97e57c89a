// Notifications > Device turns device-interface notifications on and off: each choice marks or
// unmarks the item and logs one status line that opens an entry of its own.
#include "LogText.h"
#include "OrvaneUserTest.h"
#include "Records.h"
#include "resource.h"

namespace
{
constexpr wchar_t kEnabled[] = L"Device notifications enabled.";
constexpr wchar_t kDisabled[] = L"Device notifications disabled.";

class DeviceNotificationsToggle : public OrvaneUserTest
{
protected:
    bool IsDeviceItemMarked()
    {
        MenuItem item;
        EXPECT_TRUE(ReadMenuItem(kNotificationsMenu, ID_NOTIFICATIONS_DEVICE, item));
        return item.IsChecked();
    }

    // The lines added to the log since it held count lines.
    std::vector<std::wstring> LinesAfter(size_t count)
    {
        auto lines = LogLines();
        EXPECT_GE(lines.size(), count);
        return std::vector<std::wstring>(lines.begin() + static_cast<ptrdiff_t>(std::min(count, lines.size())),
                                         lines.end());
    }

    // The line's text, after checking that it opens a time-stamped entry.
    static std::wstring EntryText(const std::wstring& line)
    {
        LogLine parsed;
        EXPECT_TRUE(ParseLogLine(line, parsed)) << "no prefix: " << line.c_str();
        EXPECT_TRUE(parsed.timestamped) << "not a new entry: " << line.c_str();
        return parsed.text;
    }
};
} // namespace

TEST_F(DeviceNotificationsToggle, ChosenTwiceFromTheMenuLogsEnabledThenDisabledAndMarksOnThenOff)
{
    const size_t start = LogLines().size();

    ASSERT_TRUE(ChooseFromMenu(kNotificationsMenu, ID_NOTIFICATIONS_DEVICE));
    ASSERT_TRUE(NothingOpenAfterSync()) << "turning notifications on showed a box";
    auto added = LinesAfter(start);
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(EntryText(added[0]), kEnabled);
    EXPECT_TRUE(IsDeviceItemMarked());

    ASSERT_TRUE(ChooseFromMenu(kNotificationsMenu, ID_NOTIFICATIONS_DEVICE));
    ASSERT_TRUE(NothingOpenAfterSync()) << "turning notifications off showed a box";
    added = LinesAfter(start);
    ASSERT_EQ(added.size(), 2u);
    EXPECT_EQ(EntryText(added[1]), kDisabled);
    EXPECT_FALSE(IsDeviceItemMarked());
}

TEST_F(DeviceNotificationsToggle, StatusLinesOpenANewEntryRightAfterAnEventsDetails)
{
    // The port arrival ends on an indented detail line; the status line must not hang under it.
    ASSERT_TRUE(SendDeviceChange(m_orvane.Frame(), DBT_DEVICEARRIVAL, PortRecord(L"COM3")));
    const size_t start = LogLines().size();

    ASSERT_TRUE(PostCommand(ID_NOTIFICATIONS_DEVICE));
    ASSERT_TRUE(NothingOpenAfterSync());
    ASSERT_TRUE(SendDeviceChange(m_orvane.Frame(), DBT_DEVICEARRIVAL, PortRecord(L"COM4")));
    ASSERT_TRUE(PostCommand(ID_NOTIFICATIONS_DEVICE));
    ASSERT_TRUE(NothingOpenAfterSync());

    const auto added = LinesAfter(start);
    ASSERT_EQ(added.size(), 4u);
    EXPECT_EQ(EntryText(added[0]), kEnabled);
    EXPECT_EQ(EntryText(added[3]), kDisabled);
}
