// The category table's rows against the SDK's own definitions, so that a mistyped digit shows.
#include "InterfaceCategories.h"

#include <initguid.h>
#include <hidclass.h>
#include <ntddstor.h>
#include <usbiodef.h>

#include <gtest/gtest.h>

#include <utility>

TEST(InterfaceCategories, RowsMatchTheSystemsGuids)
{
    const std::pair<GUID, const wchar_t*> known[] = {
        {GUID_DEVINTERFACE_USB_DEVICE, L"GUID_DEVINTERFACE_USB_DEVICE"}, {GUID_DEVINTERFACE_HID, L"GUID_DEVINTERFACE_HID"},
        {GUID_DEVINTERFACE_DISK, L"GUID_DEVINTERFACE_DISK"},
        {GUID_DEVINTERFACE_VOLUME, L"GUID_DEVINTERFACE_VOLUME"}};
    for (const auto& [guid, name] : known)
        EXPECT_STREQ(FindInterfaceCategory(guid), name);
    EXPECT_EQ(FindInterfaceCategory(GUID_NULL), nullptr);
}
