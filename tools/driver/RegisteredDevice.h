#pragma once
// A device registered with SetupAPI under the ROOT enumerator for the program to look up: a
// device of a setup class with a friendly name, a description and a manufacturer, and one device
// interface, so that an interface record of it is logged with all its lines. No driver is
// installed and no hardware is involved. The owner takes the device off the system's list again.
#include "UniqueDevInfo.h"

#include <string>

// An empty name is not set at all.
struct DeviceNames
{
    std::wstring friendlyName;
    std::wstring description;
    std::wstring manufacturer;
};

class RegisteredDevice
{
public:
    RegisteredDevice() = default;
    RegisteredDevice(const RegisteredDevice&) = delete;
    RegisteredDevice& operator=(const RegisteredDevice&) = delete;
    ~RegisteredDevice();

    // Registers ROOT\deviceId\NNNN of setupClass, with names and one interface of
    // interfaceClass. The system picks a free instance number NNNN, so reruns never collide. On
    // a failure after the device was registered, the device stays owned and is removed later.
    HRESULT Register(const wchar_t* deviceId, const GUID& setupClass, const GUID& interfaceClass,
                     const DeviceNames& names);
    // Takes the device off the system's list; S_OK when none is registered.
    HRESULT Remove();

    // The interface's device path, as the system puts it into an arrival broadcast.
    [[nodiscard]] const std::wstring& InterfacePath() const noexcept { return m_path; }

private:
    HRESULT SetName(DWORD property, const std::wstring& text);

    unique_hdevinfo m_set;
    SP_DEVINFO_DATA m_device{};
    std::wstring m_path;
    bool m_registered = false;
};
