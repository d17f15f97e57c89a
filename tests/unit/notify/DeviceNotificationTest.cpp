// CDeviceNotification against the system's registration calls: real registrations for a
// real window, and the exact arguments and failures seen through the import table where
// Wine cannot show them (service handles, refused calls).
#include "notify/DeviceNotification.h"
#include "ImportPatch.h"

#include <dbt.h>
#include <gtest/gtest.h>

namespace
{
struct RegisterCall
{
    int count = 0;
    HANDLE recipient = nullptr;
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    DWORD flags = 0;
    HDEVNOTIFY answer = nullptr; // what the recorded call returns
    DWORD error = ERROR_SUCCESS; // and leaves as the last error
};
RegisterCall g_register;

HDEVNOTIFY WINAPI RecordRegister(HANDLE recipient, LPVOID filter, DWORD flags)
{
    ++g_register.count;
    g_register.recipient = recipient;
    memcpy(&g_register.filter, filter, sizeof(g_register.filter));
    g_register.flags = flags;
    ::SetLastError(g_register.error);
    return g_register.answer;
}

struct UnregisterCall
{
    int count = 0;
    HDEVNOTIFY handle = nullptr;
    bool forward = false;        // hand the call on to the system
    DWORD error = ERROR_SUCCESS; // otherwise fail with this error
};
UnregisterCall g_unregister;
CImportPatch* g_unregisterPatch = nullptr;

BOOL WINAPI RecordUnregister(HDEVNOTIFY handle)
{
    ++g_unregister.count;
    g_unregister.handle = handle;
    if (g_unregister.forward)
        return g_unregisterPatch->Original<decltype(&::UnregisterDeviceNotification)>()(handle);
    ::SetLastError(g_unregister.error);
    return FALSE;
}

// A top-level window of this thread, as the frame is.
class DeviceNotificationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_window = ::CreateWindowExW(0, L"STATIC", L"recipient", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                     nullptr, nullptr);
        ASSERT_NE(m_window, nullptr);
        g_register = {};
        g_unregister = {};
    }
    void TearDown() override { ::DestroyWindow(m_window); }

    HWND m_window = nullptr;
};

class RecordedRegistration : public DeviceNotificationTest
{
protected:
    CImportPatch m_patch{"user32.dll", "RegisterDeviceNotificationW", reinterpret_cast<const void*>(&RecordRegister)};
};

class RecordedUnregistration : public DeviceNotificationTest
{
protected:
    void SetUp() override
    {
        DeviceNotificationTest::SetUp();
        ASSERT_TRUE(m_patch.IsActive());
        g_unregisterPatch = &m_patch;
    }
    void TearDown() override
    {
        g_unregisterPatch = nullptr;
        DeviceNotificationTest::TearDown();
    }

    CImportPatch m_patch{"user32.dll", "UnregisterDeviceNotification",
                         reinterpret_cast<const void*>(&RecordUnregister)};
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
    EXPECT_EQ(notification.Unregister(), S_OK); // the first registration is still valid
}

TEST_F(DeviceNotificationTest, UnregisterWithNothingOpenSucceeds)
{
    CDeviceNotification notification;
    EXPECT_EQ(notification.Unregister(), S_OK);
    EXPECT_EQ(notification.m_hDevNotify, nullptr);
}

TEST_F(RecordedRegistration, WindowGetsWindowHandleFlagForAllClasses)
{
    ASSERT_TRUE(m_patch.IsActive());
    g_register.answer = reinterpret_cast<HDEVNOTIFY>(0x1000);
    CDeviceNotification notification;
    EXPECT_EQ(notification.Register(m_window), S_OK);
    notification.m_hDevNotify = nullptr; // not a real registration

    ASSERT_EQ(g_register.count, 1);
    EXPECT_EQ(g_register.recipient, m_window);
    EXPECT_EQ(g_register.flags, 4u);
}

TEST_F(RecordedRegistration, OtherHandleGetsServiceHandleFlagForAllClasses)
{
    ASSERT_TRUE(m_patch.IsActive());
    g_register.answer = reinterpret_cast<HDEVNOTIFY>(0x1000);
    HANDLE event = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    CDeviceNotification notification;
    EXPECT_EQ(notification.Register(event), S_OK);
    notification.m_hDevNotify = nullptr;
    ::CloseHandle(event);

    ASSERT_EQ(g_register.count, 1);
    EXPECT_EQ(g_register.flags, 5u);
}

TEST_F(RecordedRegistration, FilterNamesInterfacesOfNoParticularClass)
{
    ASSERT_TRUE(m_patch.IsActive());
    CDeviceNotification notification;
    notification.Register(m_window);

    ASSERT_EQ(g_register.count, 1);
    EXPECT_EQ(g_register.filter.dbcc_size, 32u);
    EXPECT_EQ(g_register.filter.dbcc_devicetype, static_cast<DWORD>(DBT_DEVTYP_DEVICEINTERFACE));
    EXPECT_EQ(g_register.filter.dbcc_reserved, 0u);
    const GUID noClass{};
    EXPECT_EQ(memcmp(&g_register.filter.dbcc_classguid, &noClass, sizeof(GUID)), 0);
    EXPECT_EQ(g_register.filter.dbcc_name[0], L'\0');
}

TEST_F(RecordedRegistration, RefusalReturnsTheMappedErrorAndStaysClosed)
{
    ASSERT_TRUE(m_patch.IsActive());
    g_register.error = ERROR_ACCESS_DENIED;
    CDeviceNotification notification;
    EXPECT_EQ(notification.Register(m_window), HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
    EXPECT_EQ(notification.m_hDevNotify, nullptr);
}

TEST_F(RecordedRegistration, RefusalWithoutErrorIsStillAFailure)
{
    ASSERT_TRUE(m_patch.IsActive());
    CDeviceNotification notification;
    EXPECT_EQ(notification.Register(m_window), E_FAIL);
}

TEST_F(RecordedUnregistration, FailureKeepsTheHandle)
{
    g_unregister.error = ERROR_INVALID_HANDLE;
    const auto bogus = reinterpret_cast<HDEVNOTIFY>(0xDEAD0);
    CDeviceNotification notification;
    notification.m_hDevNotify = bogus;

    EXPECT_EQ(notification.Unregister(), HRESULT_FROM_WIN32(ERROR_INVALID_HANDLE));
    EXPECT_EQ(notification.m_hDevNotify, bogus);
    EXPECT_EQ(g_unregister.handle, bogus);
    notification.m_hDevNotify = nullptr;
}

TEST_F(RecordedUnregistration, DestructorEndsAnOpenRegistration)
{
    g_unregister.forward = true;
    HDEVNOTIFY registered = nullptr;
    {
        CDeviceNotification notification;
        ASSERT_EQ(notification.Register(m_window), S_OK);
        registered = notification.m_hDevNotify;
    }
    EXPECT_EQ(g_unregister.count, 1);
    EXPECT_EQ(g_unregister.handle, registered);
}

TEST_F(RecordedUnregistration, DestructorKeepsTheCallersLastError)
{
    g_unregister.error = ERROR_INVALID_HANDLE;
    {
        CDeviceNotification notification;
        notification.m_hDevNotify = reinterpret_cast<HDEVNOTIFY>(0xDEAD0);
        ::SetLastError(ERROR_FILE_NOT_FOUND);
    }
    EXPECT_EQ(g_unregister.count, 1);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(RecordedUnregistration, DestructorAfterUnregisterCallsNothing)
{
    g_unregister.forward = true;
    {
        CDeviceNotification notification;
        ASSERT_EQ(notification.Register(m_window), S_OK);
        ASSERT_EQ(notification.Unregister(), S_OK);
    }
    EXPECT_EQ(g_unregister.count, 1);
}
