// Device-change broadcasts sent from this process, exactly as the system sends them, land in the
// program's log as the right lines: one time-stamped line per event, indented detail lines under
// it, in the order sent.
#include "LogText.h"
#include "OrvaneTestFixture.h"
#include "Records.h"

namespace
{
struct SentEvent
{
    UINT_PTR code;
    const BroadcastRecord* record; // null: data is passed as a plain value
    LPARAM value;
    std::vector<std::wstring> lines;
};

class EventStream : public OrvaneTest
{
};
} // namespace

TEST_F(EventStream, EventsFromAnotherProcessLandAsTheirLinesInOrder)
{
    const auto port = PortRecord(L"COM7");
    const auto volume = VolumeRecord(0x14, 0);
    const auto oem = OemRecord(5, 9);
    const auto devnode = DevnodeRecord(1234);
    const auto network = NetRecord(1, 0);
    const auto handle = HandleRecord(reinterpret_cast<HANDLE>(0x7712345678), reinterpret_cast<HDEVNOTIFY>(0xABCDEF));
    const auto lock = VolLockRecord(0xBEEF, 7, 0, 'D', 1);
    const auto user = UserDefinedRecord("OrvaneTestMessage");

    const std::vector<SentEvent> events = {
        {DBT_DEVNODES_CHANGED, nullptr, 0, {L"DBT_DEVNODES_CHANGED"}},
        {DBT_DEVICEARRIVAL, &port, 0, {L"DBT_DEVICEARRIVAL", L"  Port=COM7"}},
        {DBT_DEVICEREMOVECOMPLETE,
         &volume,
         0,
         {L"DBT_DEVICEREMOVECOMPLETE", L"  Unit(s): C: E:, changes affect physical device/local volume."}},
        {0x001B, nullptr, MAKELPARAM(1920, 1024), {L"DBT_MONITORCHANGE: x=1920,y=1024"}},
        {DBT_DEVICEQUERYREMOVE, &oem, 0, {L"DBT_DEVICEQUERYREMOVE", L"  Device ID=5, Function value=9"}},
        {DBT_DEVICEARRIVAL, &devnode, 0, {L"DBT_DEVICEARRIVAL", L"  Node=1234"}},
        {DBT_DEVICEARRIVAL, &network, 0, {L"DBT_DEVICEARRIVAL"}},
        {DBT_DEVICEREMOVEPENDING, &handle, 0, {L"DBT_DEVICEREMOVEPENDING", L"  Handle=12345678 (hDevNotify=0000000000ABCDEF)"}},
        {DBT_VOLLOCKLOCKTAKEN,
         &lock,
         0,
         {L"DBT_VOLLOCKLOCKTAKEN",
          L" Drive=D Owner=0x0000beef (Allow writes,Fail memory mappings,Level 0 lock format,Physical lock)"}},
        {DBT_USERDEFINED, &user, 0, {L"DBT_USERDEFINED", L"  Message=OrvaneTestMessage"}},
        {0x8007, nullptr, 0, {L"UNKNOWN (32775)"}},
        {0x0047, nullptr, 3, {L"DBT_NO_DISK_SPACE, drive=3 (1-based)"}},
    };

    SYSTEMTIME before{};
    ::GetLocalTime(&before);
    for (const SentEvent& event : events)
    {
        LRESULT result = 0;
        const LPARAM data = event.record != nullptr ? event.record->Address() : event.value;
        ASSERT_TRUE(SendDeviceChange(m_orvane.Frame(), event.code, data, &result)) << event.lines[0].c_str();
        EXPECT_EQ(result, TRUE) << event.lines[0].c_str();
    }
    SYSTEMTIME after{};
    ::GetLocalTime(&after);

    const auto lines = LogLines();
    size_t expectedCount = kHeaderLineCount;
    for (const SentEvent& event : events)
        expectedCount += event.lines.size();
    ASSERT_EQ(lines.size(), expectedCount);

    size_t at = kHeaderLineCount;
    ULONGLONG previous = ToComparableTime(before);
    for (const SentEvent& event : events)
    {
        for (size_t i = 0; i < event.lines.size(); ++i, ++at)
        {
            LogLine line;
            ASSERT_TRUE(ParseLogLine(lines[at], line)) << "no prefix: " << lines[at].c_str();
            EXPECT_EQ(line.text, event.lines[i]);
            // The first line of an event opens an entry with the time; its details stand under it.
            EXPECT_EQ(line.timestamped, i == 0) << lines[at].c_str();
            if (line.timestamped)
            {
                const ULONGLONG time = ToComparableTime(line.time);
                // The clocks are read on different threads: allow the tick of either.
                EXPECT_GE(time + 20, previous) << lines[at].c_str();
                EXPECT_LE(time, ToComparableTime(after) + 20) << lines[at].c_str();
                previous = time;
            }
        }
    }
}

TEST_F(EventStream, AnEventMarksTheLogModified)
{
    ASSERT_TRUE(SendDeviceChange(m_orvane.Frame(), DBT_DEVNODES_CHANGED, 0));
    DWORD_PTR modified = 0;
    ASSERT_TRUE(::SendMessageTimeoutW(m_orvane.View(), EM_GETMODIFY, 0, 0, SMTO_NORMAL, kDefaultWaitMs, &modified));
    EXPECT_NE(modified, 0u);
}
