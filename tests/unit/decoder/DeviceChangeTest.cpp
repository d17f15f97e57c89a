// OnDeviceChange: event lines and record lines, decoded into plain log entries.
#include "DecoderTestSupport.h"

const wchar_t kArrival[] = L"T|DBT_DEVICEARRIVAL";

// Their name, and the value that some of them carry instead of a record.
TEST(Decoder, EventsWithoutRecordGiveOneLineOnly)
{
    const std::pair<UINT, const wchar_t*> events[] = {
        {0x0000, L"DBT_APPYBEGIN"},         {0x0001, L"DBT_APPYEND"},       {0x0007, L"DBT_DEVNODES_CHANGED"},
        {0x0017, L"DBT_QUERYCHANGECONFIG"}, {0x0018, L"DBT_CONFIGCHANGED"}, {0x0019, L"DBT_CONFIGCHANGECANCELED"},
        {0x0020, L"DBT_SHELLLOGGEDON"},     {0x0022, L"DBT_CONFIGMGAPI32"}, {0x0023, L"DBT_VXDINITCOMPLETE"},
        {0x7FFF, L"DBT_CONFIGMGPRIVATE"}};
    for (const auto& [code, name] : events)
        EXPECT_EQ(Decode(code, DWORD_PTR{0x1234}), Lines{L"T|" + std::wstring(name)}) << code;
    EXPECT_EQ(Decode(DBT_MONITORCHANGE, DWORD_PTR{0xABCD'0000'0400'0780}), Lines{L"T|DBT_MONITORCHANGE: x=1920,y=1024"});
    EXPECT_EQ(Decode(DBT_NO_DISK_SPACE, DWORD_PTR{3}), Lines{L"T|DBT_NO_DISK_SPACE, drive=3 (1-based)"});
    EXPECT_EQ(Decode(0x0048, DWORD_PTR{0x1'FFFF'FFFF}), Lines{L"T|DBT_LOW_DISK_SPACE, drive=4294967295 (1-based)"});
}

TEST(Decoder, UnlistedEventsGiveTheirNumber)
{
    EXPECT_EQ(Decode(2, DWORD_PTR{0x1234}), Lines{L"T|UNKNOWN (2)"});
    EXPECT_EQ(Decode(0x8007, DWORD_PTR{0x1234}), Lines{L"T|UNKNOWN (32775)"});
    EXPECT_EQ(Decode(0x80000000, DWORD_PTR{0x1234}), Lines{L"T|UNKNOWN (-2147483648)"}); // printed signed
}

TEST(Decoder, EveryRecordEventDecodesItsRecord)
{
    const DEV_BROADCAST_DEVNODE node{sizeof(node), DBT_DEVTYP_DEVNODE, 0, 42};
    const wchar_t* names[] = {L"DEVICEARRIVAL", L"DEVICEQUERYREMOVE", L"DEVICEQUERYREMOVEFAILED", L"DEVICEREMOVEPENDING",
                              L"DEVICEREMOVECOMPLETE", L"DEVICETYPESPECIFIC", L"CUSTOMEVENT"};
    for (UINT i = 0; i < 7; ++i)
        EXPECT_EQ(Decode(0x8000 + i, &node), (Lines{L"T|DBT_" + std::wstring(names[i]), L"-|  Node=42"}));
    const DEV_BROADCAST_OEM oem{sizeof(oem), DBT_DEVTYP_OEM, 0, 7, 0xFFFFFFFF};
    EXPECT_EQ(Decode(DBT_DEVICEARRIVAL, &oem), (Lines{kArrival, L"-|  Device ID=7, Function value=-1"}));
    const DEV_BROADCAST_HANDLE handle{sizeof(handle), DBT_DEVTYP_HANDLE, 0, reinterpret_cast<HANDLE>(0x1234'0000'ABCDULL),
                                      reinterpret_cast<HDEVNOTIFY>(0xBEEFULL), {}, 0, {}};
    EXPECT_EQ(Decode(DBT_DEVICEARRIVAL, &handle)[1], L"-|  Handle=0000ABCD (hDevNotify=000000000000BEEF)");
    EXPECT_EQ(Decode(DBT_DEVICEARRIVAL, PortRecord(L"COM3")), (Lines{kArrival, L"-|  Port=COM3"}));
    const DEV_BROADCAST_NET net{sizeof(net), DBT_DEVTYP_NET, 0, 1, 0}; // nothing of it is shown
    EXPECT_EQ(Decode(DBT_DEVICEARRIVAL, &net), Lines{kArrival});
}

TEST(Decoder, VolumeRecordListsDrivesAndFlagWords)
{
    DEV_BROADCAST_VOLUME volume{sizeof(volume), DBT_DEVTYP_VOLUME, 0, 0x14, 0};
    EXPECT_EQ(Decode(DBT_DEVICEARRIVAL, &volume),
              (Lines{kArrival, L"-|  Unit(s): C: E:, changes affect physical device/local volume."}));
    volume = {sizeof(volume), DBT_DEVTYP_VOLUME, 0, 0, DBTF_MEDIA | DBTF_NET};
    EXPECT_EQ(Decode(DBT_DEVICEARRIVAL, &volume)[1], L"-|  Unit(s):, changes affect media/network volume.");
    volume = {sizeof(volume), DBT_DEVTYP_VOLUME, 0, 0xFFFFFFFF, 0xFFFC};
    EXPECT_EQ(Decode(DBT_DEVICEARRIVAL, &volume)[1],
              L"-|  Unit(s): A: B: C: D: E: F: G: H: I: J: K: L: M: N: O: P: Q: R: S: T: U: V: W: X: Y: Z:, "
              L"changes affect physical device/local volume.");
}

TEST(Decoder, VolumeLockRecordListsDriveOwnerAndFlagWords)
{
    VolLockBroadcast lock{{sizeof(lock), 99, 0}, 0x00AB12CD, 0, 0, 'D', 0}; // device type not consulted
    EXPECT_EQ(Decode(DBT_VOLLOCKQUERYLOCK, &lock),
              (Lines{L"T|DBT_VOLLOCKQUERYLOCK",
                     L"-| Drive=D Owner=0x00ab12cd (Fail writes,Allow memory mappings,Allow format,Logical lock)"}));
    lock.vlb_perms = 7, lock.vlb_flags = 1;
    EXPECT_EQ(
        Decode(DBT_VOLLOCKUNLOCKFAILED, &lock),
        (Lines{L"T|DBT_VOLLOCKUNLOCKFAILED",
               L"-| Drive=D Owner=0x00ab12cd (Allow writes,Fail memory mappings,Level 0 lock format,Physical lock)"}));
}

TEST(Decoder, UserDefinedEventNamesItsMessage)
{
    // The name is widened with the ANSI code page, whichever this machine has.
    const char name[] = "MY_MESSAGE\xE9";
    wchar_t widened[2] = {};
    ASSERT_EQ(::MultiByteToWideChar(CP_ACP, 0, "\xE9", 1, widened, 1), 1);
    EXPECT_EQ(Decode(DBT_USERDEFINED, UserDefinedRecord(name)),
              (Lines{L"T|DBT_USERDEFINED", L"-|  Message=MY_MESSAGE" + std::wstring(widened)}));
}
