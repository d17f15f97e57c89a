// The demonstration drive as the system's device list sees it: there with its names while
// registered, gone once removed.
#include "DemoDevice.h"

#include <gtest/gtest.h>

#include <initguid.h>
#include <devguid.h>
#include <ntddstor.h>

#include <vector>


namespace
{
constexpr DemoDeviceNames kNames{L"Test Flash Drive", L"Disk drive", L"Test Maker"};

// The friendly name of the device behind the interface path, found by walking the system's
// list of disk interfaces afresh; empty when the list holds no such interface.
std::wstring FriendlyNameBehind(const std::wstring& path)
{
    unique_hdevinfo set(::SetupDiGetClassDevsW(&GUID_DEVINTERFACE_DISK, nullptr, nullptr, DIGCF_DEVICEINTERFACE));
    SP_DEVICE_INTERFACE_DATA item{sizeof(item), {}, 0, 0};
    for (DWORD i = 0; set && ::SetupDiEnumDeviceInterfaces(set.get(), nullptr, &GUID_DEVINTERFACE_DISK, i, &item); ++i)
    {
        DWORD size = 0;
        ::SetupDiGetDeviceInterfaceDetailW(set.get(), &item, nullptr, 0, &size, nullptr);
        std::vector<BYTE> block(size);
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(block.data());
        detail->cbSize = sizeof(*detail);
        SP_DEVINFO_DATA device{sizeof(device), {}, 0, 0};
        wchar_t name[128] = {};
        if (::SetupDiGetDeviceInterfaceDetailW(set.get(), &item, detail, size, nullptr, &device) &&
            _wcsicmp(detail->DevicePath, path.c_str()) == 0 &&
            ::SetupDiGetDeviceRegistryPropertyW(set.get(), &device, SPDRP_FRIENDLYNAME, nullptr,
                                                reinterpret_cast<BYTE*>(name), sizeof(name) - sizeof(wchar_t), nullptr))
            return name;
    }
    return {};
}
} // namespace

TEST(DemoDevice, ListedWithItsNamesWhileRegistered)
{
    CDemoDevice drive;
    ASSERT_EQ(drive.Register(GUID_DEVCLASS_DISKDRIVE, GUID_DEVINTERFACE_DISK, kNames), S_OK);
    EXPECT_TRUE(drive.IsRegistered());
    EXPECT_EQ(FriendlyNameBehind(drive.InterfacePath()), L"Test Flash Drive");
}

TEST(DemoDevice, GoneAfterRemoveAndAfterDestruction)
{
    std::wstring removedPath;
    std::wstring destroyedPath;
    {
        CDemoDevice removed;
        CDemoDevice destroyed;
        ASSERT_EQ(removed.Register(GUID_DEVCLASS_DISKDRIVE, GUID_DEVINTERFACE_DISK, kNames), S_OK);
        ASSERT_EQ(destroyed.Register(GUID_DEVCLASS_DISKDRIVE, GUID_DEVINTERFACE_DISK, kNames), S_OK);
        removedPath = removed.InterfacePath();
        destroyedPath = destroyed.InterfacePath();
        EXPECT_NE(removedPath, destroyedPath) << "each registration gets an instance of its own";
        ASSERT_EQ(removed.Remove(), S_OK);
        EXPECT_FALSE(removed.IsRegistered());
        EXPECT_EQ(FriendlyNameBehind(removedPath), L"");
        EXPECT_EQ(removed.Remove(), S_OK) << "removing twice is no error";
    }
    EXPECT_EQ(FriendlyNameBehind(destroyedPath), L"");
}
