#include "DeviceNotification.h"

#include "LastError.h"

#include <dbt.h>

CDeviceNotification::~CDeviceNotification()
{
    if (m_hDevNotify == nullptr)
        return;
    const CKeepLastError keepLastError;
    if (::UnregisterDeviceNotification(m_hDevNotify))
        m_hDevNotify = nullptr;
}

HRESULT CDeviceNotification::Register(HANDLE hRecipient)
{
    if (hRecipient == nullptr)
        return E_INVALIDARG;
    if (m_hDevNotify != nullptr)
        return E_UNEXPECTED;

    // The same call serves windows and services; only the flag tells the system which
    // kind of handle it is given. No class GUID in the filter: the flag asks for them all.
    const DWORD recipientKind = ::IsWindow(static_cast<HWND>(hRecipient)) ? DEVICE_NOTIFY_WINDOW_HANDLE
                                                                           : DEVICE_NOTIFY_SERVICE_HANDLE;
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = sizeof(filter);
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;

    m_hDevNotify = ::RegisterDeviceNotificationW(hRecipient, &filter,
                                                 recipientKind | DEVICE_NOTIFY_ALL_INTERFACE_CLASSES);
    return m_hDevNotify != nullptr ? S_OK : LastErrorResult();
}

HRESULT CDeviceNotification::Unregister()
{
    if (m_hDevNotify == nullptr)
        return S_OK;
    if (!::UnregisterDeviceNotification(m_hDevNotify))
        return LastErrorResult();
    m_hDevNotify = nullptr;
    return S_OK;
}
