// CDeviceNotification: real registrations for a real window; the arguments and failures
// Wine cannot show (service handles, refused calls) are seen through the import table.
#include "notify/DeviceNotification.h"
#include "ImportPatch.h"

#include <dbt.h>
#include <gtest/gtest.h>

namespace
{
struct RegisterSeen
{
    HANDLE recipient = nullptr;
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    DWORD flags = 0;
} g_registerSeen;

// Records the call and refuses it with ERROR_ACCESS_DENIED.
HDEVNOTIFY WINAPI RecordRegister(HANDLE recipient, LPVOID filter, DWORD flags)
{
    g_registerSeen = {recipient, *static_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(filter), flags};
    ::SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
}

int g_unregisterCalls = 0;
bool g_unregisterFails = false;

// Counts the call and either fails it with ERROR_INVALID_HANDLE or reports success
// (leaving the system's record of a test window's registration behind).
BOOL WINAPI CountUnregister(HDEVNOTIFY)
{
    ++g_unregisterCalls;
    if (!g_unregisterFails)
        return TRUE;
    ::SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
}

class DeviceNotificationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_window = ::CreateWindowExW(0, L"STATIC", L"recipient", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                     nullptr, nullptr);
        ASSERT_NE(m_window, nullptr);
        g_unregisterCalls = 0;
        g_unregisterFails = false;
    }
    void TearDown() override { ::DestroyWindow(m_window); }

    HWND m_window = nullptr;
};

class RecordedUnregister : public DeviceNotificationTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_patch.IsActive());
        DeviceNotificationTest::SetUp();
    }

    CImportPatch m_patch{"user32.dll", "UnregisterDeviceNotification", reinterpret_cast<const void*>(&CountUnregister)};
};
} // namespace

TEST_F(DeviceNotificationTest, NullRecipientIsInvalidArgument)
{
    CDeviceNotification notification;
    EXPECT_EQ(notification.Register(nullptr), E_INVALIDARG);
    EXPECT_EQ(notification.m_hDevNotify, nullptr);
}

TEST_F(DeviceNotificationTest, WindowRegistersAndUnregisters)
{
    CDeviceNotification notification;
    ASSERT_EQ(notification.Register(m_window), S_OK);
    EXPECT_NE(notification.m_hDevNotify, nullptr);
    EXPECT_EQ(notification.Unregister(), S_OK);
    EXPECT_EQ(notification.m_hDevNotify, nullptr);
}

TEST_F(DeviceNotificationTest, SecondRegistrationIsUnexpectedAndKeepsTheOpenOne)
{
    CDeviceNotification notification;
    ASSERT_EQ(notification.Register(m_window), S_OK);
    const HDEVNOTIFY open = notification.m_hDevNotify;
    EXPECT_EQ(notification.Register(m_window), E_UNEXPECTED);
    EXPECT_EQ(notification.m_hDevNotify, open);
    EXPECT_EQ(notification.Unregister(), S_OK); // still a valid registration
}

TEST_F(DeviceNotificationTest, WindowAsksForAllInterfaceClassesWithTheWindowFlag)
{
    const CImportPatch patch("user32.dll", "RegisterDeviceNotificationW", reinterpret_cast<const void*>(&RecordRegister));
    ASSERT_TRUE(patch.IsActive());
    CDeviceNotification notification;
    EXPECT_EQ(notification.Register(m_window), HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
    EXPECT_EQ(notification.m_hDevNotify, nullptr);

    EXPECT_EQ(g_registerSeen.recipient, m_window);
    EXPECT_EQ(g_registerSeen.flags, 4u);
    EXPECT_EQ(g_registerSeen.filter.dbcc_size, 32u);
    EXPECT_EQ(g_registerSeen.filter.dbcc_devicetype, static_cast<DWORD>(DBT_DEVTYP_DEVICEINTERFACE));
    const GUID noClass{};
    EXPECT_EQ(memcmp(&g_registerSeen.filter.dbcc_classguid, &noClass, sizeof(GUID)), 0);
}

// Wine refuses a non-window with the window flag (ERROR_INVALID_PARAMETER) but takes it
// with the service flag, so only the recorded flags tell the two apart everywhere.
TEST_F(DeviceNotificationTest, OtherHandleGetsTheServiceFlag)
{
    const CImportPatch patch("user32.dll", "RegisterDeviceNotificationW", reinterpret_cast<const void*>(&RecordRegister));
    ASSERT_TRUE(patch.IsActive());
    HANDLE event = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    CDeviceNotification notification;
    notification.Register(event);
    ::CloseHandle(event);
    EXPECT_EQ(g_registerSeen.flags, 5u);
}

TEST_F(RecordedUnregister, FailureKeepsTheHandle)
{
    g_unregisterFails = true;
    const auto bogus = reinterpret_cast<HDEVNOTIFY>(0xDEAD0); // Wine would crash on it
    CDeviceNotification notification;
    notification.m_hDevNotify = bogus;
    EXPECT_EQ(notification.Unregister(), HRESULT_FROM_WIN32(ERROR_INVALID_HANDLE));
    EXPECT_EQ(notification.m_hDevNotify, bogus);
}

TEST_F(RecordedUnregister, DestructorEndsAnOpenRegistrationKeepingTheLastError)
{
    {
        CDeviceNotification notification;
        ASSERT_EQ(notification.Register(m_window), S_OK);
        ::SetLastError(ERROR_FILE_NOT_FOUND);
    }
    EXPECT_EQ(g_unregisterCalls, 1);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}
