#pragma once
// The demonstration's USB flash drive: a device with one device interface, registered with
// SetupAPI under the ROOT enumerator so that the program's look-ups find its names, and removed
// again when the object goes. No driver is installed and no hardware is involved.
#include "UniqueDevInfo.h"

#include <string>

struct DemoDeviceNames
{
    const wchar_t* friendlyName;
    const wchar_t* description;
    const wchar_t* manufacturer;
};

class CDemoDevice
{
public:
    CDemoDevice() = default;
    CDemoDevice(const CDemoDevice&) = delete;
    CDemoDevice& operator=(const CDemoDevice&) = delete;
    ~CDemoDevice();

    // Registers a device of setupClass with one interface of interfaceClass and gives it the
    // names. The system chooses a free instance id, so reruns never collide.
    HRESULT Register(const GUID& setupClass, const GUID& interfaceClass, const DemoDeviceNames& names);
    // Takes the device off the system's list; S_OK when none is registered.
    HRESULT Remove();

    [[nodiscard]] bool IsRegistered() const noexcept { return m_registered; }
    // The interface's device path, as the system puts it into an arrival broadcast.
    [[nodiscard]] const std::wstring& InterfacePath() const noexcept { return m_path; }

private:
    HRESULT SetName(DWORD property, const wchar_t* text);

    unique_hdevinfo m_set;
    SP_DEVINFO_DATA m_device{};
    std::wstring m_path;
    bool m_registered = false;
};
