// The category table's rows against the SDK's own definitions, so that a mistyped digit shows.
#include "InterfaceCategories.h"

#include <initguid.h>
#include <hidclass.h>
#include <ntddstor.h>
#include <usbiodef.h>

#include <gtest/gtest.h>

TEST(InterfaceCategories, RowsMatchTheSystemsGuids)
{
    EXPECT_STREQ(FindInterfaceCategory(GUID_DEVINTERFACE_USB_DEVICE), L"GUID_DEVINTERFACE_USB_DEVICE");
    EXPECT_STREQ(FindInterfaceCategory(GUID_DEVINTERFACE_HID), L"GUID_DEVINTERFACE_HID");
    EXPECT_STREQ(FindInterfaceCategory(GUID_DEVINTERFACE_DISK), L"GUID_DEVINTERFACE_DISK");
    EXPECT_STREQ(FindInterfaceCategory(GUID_DEVINTERFACE_VOLUME), L"GUID_DEVINTERFACE_VOLUME");
    EXPECT_EQ(FindInterfaceCategory(GUID_NULL), nullptr);
}
