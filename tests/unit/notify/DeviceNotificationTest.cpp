// CDeviceNotification on a real window; what Wine cannot show (the flags for a non-window,
// refused calls) is seen through the import table.
#include "notify/DeviceNotification.h"
#include "ImportPatch.h"

#include <dbt.h>
#include <gtest/gtest.h>

namespace
{
struct
{
    HANDLE recipient;
    DEV_BROADCAST_DEVICEINTERFACE_W filter;
    DWORD flags;
} g_registerSeen;

HDEVNOTIFY WINAPI RefuseRegister(HANDLE recipient, LPVOID filter, DWORD flags)
{
    g_registerSeen = {recipient, *static_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(filter), flags};
    ::SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
}

int g_unregisterCalls = 0;
BOOL WINAPI RefuseUnregister(HDEVNOTIFY)
{
    ++g_unregisterCalls;
    ::SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
}

class DeviceNotificationTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_NE(m_window, nullptr); }
    void TearDown() override { ::DestroyWindow(m_window); }

    HWND m_window = ::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    CDeviceNotification m_notification;
};
} // namespace

TEST_F(DeviceNotificationTest, OneRegistrationAtATimeForAWindow)
{
    EXPECT_EQ(m_notification.Register(nullptr), E_INVALIDARG);
    ASSERT_EQ(m_notification.Register(m_window), S_OK);
    const HDEVNOTIFY open = m_notification.m_hDevNotify;
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(m_notification.Register(m_window), E_UNEXPECTED);
    EXPECT_EQ(m_notification.m_hDevNotify, open);
    EXPECT_EQ(m_notification.Unregister(), S_OK);
    EXPECT_EQ(m_notification.m_hDevNotify, nullptr);
}

TEST_F(DeviceNotificationTest, WindowAndOtherHandleGetTheirFlagsAndAnAllClassesFilter)
{
    const CImportPatch patch("user32.dll", "RegisterDeviceNotificationW", reinterpret_cast<const void*>(&RefuseRegister));
    ASSERT_TRUE(patch.IsActive());
    EXPECT_EQ(m_notification.Register(m_window), HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
    EXPECT_EQ(m_notification.m_hDevNotify, nullptr);
    EXPECT_EQ(g_registerSeen.recipient, m_window);
    EXPECT_EQ(g_registerSeen.flags, DEVICE_NOTIFY_WINDOW_HANDLE | DEVICE_NOTIFY_ALL_INTERFACE_CLASSES);
    EXPECT_EQ(g_registerSeen.filter.dbcc_size, sizeof(DEV_BROADCAST_DEVICEINTERFACE_W));
    EXPECT_EQ(g_registerSeen.filter.dbcc_devicetype, static_cast<DWORD>(DBT_DEVTYP_DEVICEINTERFACE));

    HANDLE event = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    m_notification.Register(event);
    ::CloseHandle(event);
    EXPECT_EQ(g_registerSeen.flags, DEVICE_NOTIFY_SERVICE_HANDLE | DEVICE_NOTIFY_ALL_INTERFACE_CLASSES);
}

TEST_F(DeviceNotificationTest, FailedUnregisterKeepsTheHandleAndTheDestructorKeepsTheLastError)
{
    const CImportPatch patch("user32.dll", "UnregisterDeviceNotification",
                             reinterpret_cast<const void*>(&RefuseUnregister));
    ASSERT_TRUE(patch.IsActive());
    {
        CDeviceNotification notification;
        notification.m_hDevNotify = reinterpret_cast<HDEVNOTIFY>(0xDEAD0); // never reaches Wine
        EXPECT_EQ(notification.Unregister(), HRESULT_FROM_WIN32(ERROR_INVALID_HANDLE));
        EXPECT_EQ(notification.m_hDevNotify, reinterpret_cast<HDEVNOTIFY>(0xDEAD0));
        ::SetLastError(ERROR_FILE_NOT_FOUND);
    }
    EXPECT_EQ(g_unregisterCalls, 2);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}
