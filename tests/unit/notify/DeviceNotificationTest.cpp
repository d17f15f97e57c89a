// CDeviceNotification's registration as the system is asked for it, seen through the import
// table: a window's handle, every interface class, a refusal. A real registration is made by
// Notifications > Device in the end-to-end tests.
#include "DeviceNotification.h"
#include "ImportPatch.h"

#include <dbt.h>
#include <gtest/gtest.h>

namespace
{
struct { HANDLE recipient; DEV_BROADCAST_DEVICEINTERFACE_W filter; DWORD flags; } g_registerSeen;

HDEVNOTIFY WINAPI RefuseRegister(HANDLE recipient, LPVOID filter, DWORD flags)
{
    g_registerSeen = {recipient, *static_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(filter), flags};
    ::SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
}

struct DeviceNotificationTest : ::testing::Test
{
    void SetUp() override { ASSERT_TRUE(m_window != nullptr && m_patch.IsActive()); }
    void TearDown() override { ::DestroyWindow(m_window); }

    HWND m_window = ::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    const CImportPatch m_patch{"user32.dll", "RegisterDeviceNotificationW", reinterpret_cast<const void*>(&RefuseRegister)};
    CDeviceNotification m_notification;
};
} // namespace

TEST_F(DeviceNotificationTest, ARefusalIsReported)
{
    EXPECT_EQ(m_notification.Register(m_window), HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
    EXPECT_EQ(m_notification.Register(m_window), HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED)) << "a refusal holds nothing";
}

TEST_F(DeviceNotificationTest, TheRequestNamesTheWindowAndEveryInterfaceClass)
{
    m_notification.Register(m_window);
    EXPECT_EQ(g_registerSeen.recipient, m_window);
    EXPECT_EQ(g_registerSeen.flags, DEVICE_NOTIFY_WINDOW_HANDLE | DEVICE_NOTIFY_ALL_INTERFACE_CLASSES);
    EXPECT_EQ(g_registerSeen.filter.dbcc_size, sizeof(DEV_BROADCAST_DEVICEINTERFACE_W));
    EXPECT_EQ(g_registerSeen.filter.dbcc_devicetype, static_cast<DWORD>(DBT_DEVTYP_DEVICEINTERFACE));
}
