// The harness's broadcast records must be byte for byte what the system sends: a record with a
// field at the wrong offset would make a correct program look wrong.
#include "Records.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
template <typename T>
T ReadAt(const BroadcastRecord& record, size_t offset)
{
    T value{};
    std::memcpy(&value, reinterpret_cast<const BYTE*>(record.Address()) + offset, sizeof(T));
    return value;
}

DWORD DeviceType(const BroadcastRecord& record)
{
    return ReadAt<DWORD>(record, 4);
}
} // namespace

TEST(BroadcastRecords, OemFieldsFollowTheHeader)
{
    const auto record = OemRecord(5, 0xFFFFFFF7);
    EXPECT_EQ(DeviceType(record), 0u);
    EXPECT_EQ(ReadAt<DWORD>(record, 12), 5u);
    EXPECT_EQ(ReadAt<DWORD>(record, 16), 0xFFFFFFF7u);
    EXPECT_EQ(record.Size(), 20u);
}

TEST(BroadcastRecords, DevnodeAtOffsetTwelve)
{
    const auto record = DevnodeRecord(1234);
    EXPECT_EQ(DeviceType(record), 1u);
    EXPECT_EQ(ReadAt<DWORD>(record, 12), 1234u);
}

TEST(BroadcastRecords, VolumeMaskAndSixteenBitFlags)
{
    const auto record = VolumeRecord(0x14, 3);
    EXPECT_EQ(DeviceType(record), 2u);
    EXPECT_EQ(ReadAt<DWORD>(record, 12), 0x14u);
    EXPECT_EQ(ReadAt<WORD>(record, 16), 3u);
}

TEST(BroadcastRecords, PortNameIsWideAndSizeCoversItsTerminator)
{
    const auto record = PortRecord(L"COM12");
    EXPECT_EQ(DeviceType(record), 3u);
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(record.Address() + 12)), L"COM12");
    EXPECT_EQ(record.Size(), 12u + 6 * sizeof(wchar_t));
}

TEST(BroadcastRecords, DeviceInterfaceGuidThenPath)
{
    const GUID guid = {0xA5DCBF10, 0x6530, 0x11D2, {0x90, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x51, 0xED}};
    const auto record = DeviceInterfaceRecord(guid, L"\\\\?\\USB#VID_1234");
    EXPECT_EQ(DeviceType(record), 5u);
    EXPECT_EQ(ReadAt<GUID>(record, 12), guid);
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(record.Address() + 28)), L"\\\\?\\USB#VID_1234");
    EXPECT_EQ(record.Size(), 28u + 17 * sizeof(wchar_t));
}

TEST(BroadcastRecords, HandleAndNotificationAreAlignedPointers)
{
    const auto record = HandleRecord(reinterpret_cast<HANDLE>(0x1122334455667788), reinterpret_cast<HDEVNOTIFY>(0x99));
    EXPECT_EQ(DeviceType(record), 6u);
    EXPECT_EQ(ReadAt<ULONGLONG>(record, 16), 0x1122334455667788u);
    EXPECT_EQ(ReadAt<ULONGLONG>(record, 24), 0x99u);
}

TEST(BroadcastRecords, UserDefinedNameIsNarrow)
{
    const auto record = UserDefinedRecord("Name");
    EXPECT_STREQ(reinterpret_cast<const char*>(record.Address() + 12), "Name");
    EXPECT_EQ(record.Size(), 12u + 5);
}

TEST(BroadcastRecords, VolLockFieldsAreBytesAfterTheOwner)
{
    const auto record = VolLockRecord(0xBEEF, 7, 2, 'D', 1);
    EXPECT_EQ(ReadAt<DWORD>(record, 12), 0xBEEFu);
    EXPECT_EQ(ReadAt<BYTE>(record, 16), 7);
    EXPECT_EQ(ReadAt<BYTE>(record, 17), 2);
    EXPECT_EQ(ReadAt<BYTE>(record, 18), 'D');
    EXPECT_EQ(ReadAt<BYTE>(record, 19), 1);
    EXPECT_EQ(record.Size(), 20u);
}

TEST(BroadcastRecords, EveryRecordStartsAlignedForItsPointers)
{
    const auto record = HandleRecord(nullptr, nullptr);
    EXPECT_EQ(record.Address() % alignof(DEV_BROADCAST_HANDLE), 0);
}
