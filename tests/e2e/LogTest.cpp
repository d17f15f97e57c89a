// What reaches the log: broadcasts from another process as time-stamped entries with their details,
// also while a menu is open, and the status lines of Notifications > Device as entries of their own.
#include "OrvaneTest.h"

class LogTest : public OrvaneTest {};

// Each event's first line opens its entry with the time; its details stand under it. A selection
// the user made is not replaced: entries go at the end, the caret after them.
TEST_F(LogTest, BroadcastsLandAsTimeStampedEntriesWithTheirDetailsInOrder)
{
    const size_t header = LogLines().size();
    ::SendMessageW(m_orvane.View(), EM_SETSEL, 0, 3);
    for (const wchar_t* port : {L"COM7", L"COM8"})
        ASSERT_TRUE(m_orvane.SendDeviceChange(DBT_DEVICEARRIVAL, PortRecord(port).Address())) << "not answered TRUE";
    const auto lines = LogLines();
    ASSERT_EQ(lines.size(), header + 4);
    const wchar_t* expected[] = {L"DBT_DEVICEARRIVAL", L"  Port=COM7", L"DBT_DEVICEARRIVAL", L"  Port=COM8"};
    for (size_t at = 0; at < 4; ++at)
    {
        LogLine line;
        ASSERT_TRUE(ParseLogLine(lines[header + at], line)) << "no prefix: " << lines[header + at].c_str();
        EXPECT_EQ(line.text, expected[at]);
        EXPECT_EQ(line.timestamped, at % 2 == 0) << line.text.c_str();
    }
    const auto selection = static_cast<DWORD>(::SendMessageW(m_orvane.View(), EM_GETSEL, 0, 0));
    EXPECT_EQ(selection, MAKELONG(LogText().size(), LogText().size()));
}

// Alt+N, then D: the item's mnemonic runs its command, which marks or unmarks the item and logs a
// status line that opens an entry of its own, also after an event's indented detail line.
TEST_F(LogTest, AltNThenDTogglesDeviceNotifications)
{
    for (const bool on : {true, false})
    {
        ASSERT_TRUE(m_orvane.SendDeviceChange(DBT_DEVICEARRIVAL, PortRecord(L"COM3").Address()));
        const size_t count = LogLines().size();
        ASSERT_TRUE(m_menus.Open(kNotificationsMenu) && m_menus.TypeKeys({'D'}) &&
                    WaitUntil([this] { return !m_menus.InMenu(); }));
        ASSERT_TRUE(NothingOpenAfterSync()) << "the choice showed a box";
        const auto lines = LogLines();
        LogLine added;
        ASSERT_TRUE(lines.size() == count + 1 && ParseLogLine(lines.back(), added)) << lines.back().c_str();
        EXPECT_TRUE(added.timestamped);
        EXPECT_EQ(added.text, on ? L"Device notifications enabled." : L"Device notifications disabled.");
        EXPECT_EQ(m_menus.ShownItems(kNotificationsMenu).front(), on ? L"&Device (marked)" : L"&Device");
    }
}

TEST_F(LogTest, EventsAreLoggedWhileTheMenuIsOpen)
{
    ASSERT_TRUE(m_menus.Open(kNotificationsMenu));
    const size_t count = LogLines().size();
    ASSERT_TRUE(m_orvane.SendDeviceChange(DBT_DEVICEARRIVAL, PortRecord(L"COM3").Address()));
    EXPECT_EQ(LogLines().size(), count + 2) << "the event waited for the menu";
}
