#pragma once
// CDeviceNotification: owns one registration for device-interface notifications of every
// interface class. While it is open the system sends interface arrivals and removals to the
// recipient (as WM_DEVICECHANGE to a window, or to a service's control handler).
#include <windows.h>

class CDeviceNotification
{
public:
    CDeviceNotification() noexcept = default;
    CDeviceNotification(const CDeviceNotification&) = delete;
    CDeviceNotification& operator=(const CDeviceNotification&) = delete;

    // Ends a registration that is still open; reports nothing and keeps the last error.
    virtual ~CDeviceNotification();

    // Registers hRecipient, a window or a service status handle. E_INVALIDARG for a null
    // recipient, E_UNEXPECTED while a registration is already open (which stays as it is),
    // otherwise S_OK or the system's error.
    HRESULT Register(HANDLE hRecipient);

    // S_OK when nothing is open or the registration ended. On failure the handle is kept,
    // so a later call (or the destructor) can try again.
    HRESULT Unregister();

private:
    // Null exactly while no registration is open, except after a failed unregistration.
    HDEVNOTIFY m_hDevNotify = nullptr;
};
