// The category table against the SDK's GUIDs, so a mistyped digit shows (USB's row: DeviceInterfaceRecordTest).
#include "InterfaceCategories.h"

#include <initguid.h>
#include <hidclass.h>
#include <ntddstor.h>

#include <gtest/gtest.h>

TEST(InterfaceCategories, RowsMatchTheSystemsGuids)
{
    EXPECT_STREQ(FindInterfaceCategory(GUID_DEVINTERFACE_HID), L"GUID_DEVINTERFACE_HID");
    EXPECT_STREQ(FindInterfaceCategory(GUID_DEVINTERFACE_DISK), L"GUID_DEVINTERFACE_DISK");
    EXPECT_STREQ(FindInterfaceCategory(GUID_DEVINTERFACE_VOLUME), L"GUID_DEVINTERFACE_VOLUME");
    EXPECT_EQ(FindInterfaceCategory(GUID_NULL), nullptr);
}
