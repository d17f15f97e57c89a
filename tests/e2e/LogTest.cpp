// What reaches the log: broadcasts from another process as time-stamped entries with their details,
// the status lines of Notifications > Device as entries of their own, and nothing the user types.
#include "OrvaneTest.h"
#include "Wait.h"

TEST_F(OrvaneTest, BroadcastsLandAsTimeStampedEntriesWithTheirDetailsInOrder)
{
    const auto port = PortRecord(L"COM7");
    const struct
    {
        UINT_PTR code;
        LPARAM data;
        const wchar_t* lines[2];
    } events[] = {
        {DBT_DEVICEARRIVAL, port.Address(), {L"DBT_DEVICEARRIVAL", L"  Port=COM7"}},
        {DBT_MONITORCHANGE, MAKELPARAM(1920, 1024), {L"DBT_MONITORCHANGE: x=1920,y=1024"}},
        {0x8007, 0, {L"UNKNOWN (32775)"}},
    };
    std::vector<std::wstring> expected = LogLines();
    const size_t header = expected.size();
    // A selection the user made is not replaced: entries go at the end, the caret after them.
    ::SendMessageW(m_orvane.View(), EM_SETSEL, 0, 3);
    for (const auto& event : events)
    {
        ASSERT_TRUE(m_orvane.SendDeviceChange(event.code, event.data)) << "not answered TRUE: " << event.lines[0];
        expected.insert(expected.end(), event.lines, event.lines + (event.lines[1] != nullptr ? 2 : 1));
    }

    const auto lines = LogLines();
    ASSERT_EQ(lines.size(), expected.size());
    for (size_t at = header; at < lines.size(); ++at)
    {
        LogLine line;
        ASSERT_TRUE(ParseLogLine(lines[at], line)) << "no prefix: " << lines[at].c_str();
        EXPECT_EQ(line.text, expected[at]);
        // An event's first line opens its entry with the time; its details stand under it.
        EXPECT_EQ(line.timestamped, expected[at][0] != L' ') << lines[at].c_str();
    }
    const auto selection = static_cast<DWORD>(::SendMessageW(m_orvane.View(), EM_GETSEL, 0, 0));
    EXPECT_EQ(selection, MAKELONG(LogText().size(), LogText().size()));
}

// Alt+N, then D: the item's mnemonic runs its command, which marks or unmarks the item and logs a
// status line that opens an entry of its own, also after an event's indented detail line. A
// device change that arrives while the menu is open is logged at once.
TEST_F(OrvaneTest, AltNThenDTogglesDeviceNotificationsAndEventsAreLoggedWhileTheMenuIsOpen)
{
    for (const bool on : {true, false})
    {
        ASSERT_TRUE(m_menus.Open(kNotificationsMenu));
        const size_t count = LogLines().size();
        ASSERT_TRUE(m_orvane.SendDeviceChange(DBT_DEVICEARRIVAL, PortRecord(L"COM3").Address()));
        EXPECT_EQ(LogLines().size(), count + 2) << "the event waited for the menu";
        ASSERT_TRUE(m_menus.TypeKeys({'D'}) && WaitUntil([this] { return !m_menus.InMenu(); }));
        ASSERT_TRUE(NothingOpenAfterSync()) << "the choice showed a box";
        const auto lines = LogLines();
        ASSERT_EQ(lines.size(), count + 3);
        LogLine added;
        ASSERT_TRUE(ParseLogLine(lines.back(), added));
        EXPECT_TRUE(added.timestamped);
        EXPECT_EQ(added.text, on ? L"Device notifications enabled." : L"Device notifications disabled.");
        EXPECT_EQ(m_menus.ShownItems(kNotificationsMenu).front(), on ? L"&Device (marked)" : L"&Device");
    }
}

// Read-only: typed characters, Backspace and Delete leave it as it is.
TEST_F(OrvaneTest, TheLogRefusesTyping)
{
    const std::wstring before = LogText();
    HWND view = m_orvane.View();
    ASSERT_TRUE(::PostMessageW(view, WM_CHAR, 'x', 1) && ::PostMessageW(view, WM_CHAR, '\b', 1) &&
                ::PostMessageW(view, WM_KEYDOWN, VK_DELETE, 1));
    ASSERT_TRUE(m_orvane.Sync());
    EXPECT_EQ(LogText(), before);
    EXPECT_FALSE(IsModified());
}
