#include "BenchDevices.h"
#include "DriverHandles.h"

#include <initguid.h>
#include <devguid.h>
#include <usbiodef.h>

#include <cwchar>

namespace
{
// Device ids are ORVANEBENCH and the registering process's id, so a run can tell its own
// devices, and those of a run still going, from the ones a finished run left.
constexpr wchar_t kDeviceIdPrefix[] = L"ORVANEBENCH";
constexpr wchar_t kInstancePrefix[] = L"ROOT\\ORVANEBENCH";
// Device instance ids are at most 200 characters (MAX_DEVICE_ID_LEN of the driver kit).
constexpr DWORD kMaxInstanceIdLength = 200;

// The id of the process that registered a device, read back from its instance id.
DWORD OwnerProcessId(const wchar_t* instanceId)
{
    return static_cast<DWORD>(std::wcstoul(instanceId + std::size(kInstancePrefix) - 1, nullptr, 10));
}

bool IsProcessRunning(DWORD processId)
{
    const unique_handle process(::OpenProcess(SYNCHRONIZE, FALSE, processId));
    return process && ::WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}
} // namespace

// The USB device interface class is one the program names as a category.
const GUID& kBenchInterfaceClass = GUID_DEVINTERFACE_USB_DEVICE;

HRESULT CBenchDevices::Add(size_t count)
{
    const std::wstring deviceId = kDeviceIdPrefix + std::to_wstring(::GetCurrentProcessId());
    for (size_t i = 0; i < count; ++i)
    {
        const std::wstring number = std::to_wstring(m_devices.size() + 1);
        const DeviceNames names{L"Orvane Bench Device " + number,
                                L"Benchmark device " + number + L" behind a docking station",
                                L"Orvane Bench Devices"};
        m_devices.push_back(std::make_unique<RegisteredDevice>());
        // The HID setup class has a description in every system, Wine's included.
        const HRESULT hr =
            m_devices.back()->Register(deviceId.c_str(), GUID_DEVCLASS_HIDCLASS, kBenchInterfaceClass, names);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

bool CBenchDevices::RemoveAll()
{
    bool removedAll = true;
    for (const auto& device : m_devices)
        removedAll = SUCCEEDED(device->Remove()) && removedAll;
    m_devices.clear();
    return removedAll;
}

std::vector<std::wstring> CBenchDevices::Paths() const
{
    std::vector<std::wstring> paths;
    for (const auto& device : m_devices)
        paths.push_back(device->InterfacePath());
    return paths;
}

size_t CBenchDevices::RemoveLeftovers()
{
    unique_hdevinfo set(::SetupDiGetClassDevsW(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES));
    if (!set)
        return 0;
    // Collected first: removing while enumerating could shift the set's indices.
    std::vector<SP_DEVINFO_DATA> leftovers;
    SP_DEVINFO_DATA device{sizeof(device), {}, 0, 0};
    for (DWORD index = 0; ::SetupDiEnumDeviceInfo(set.get(), index, &device); ++index)
    {
        wchar_t id[kMaxInstanceIdLength] = {};
        if (::SetupDiGetDeviceInstanceIdW(set.get(), &device, id, kMaxInstanceIdLength, nullptr) &&
            ::_wcsnicmp(id, kInstancePrefix, std::size(kInstancePrefix) - 1) == 0 && !IsProcessRunning(OwnerProcessId(id)))
            leftovers.push_back(device);
    }
    size_t removed = 0;
    for (SP_DEVINFO_DATA& leftover : leftovers)
        removed += ::SetupDiRemoveDevice(set.get(), &leftover) ? 1 : 0;
    return removed;
}

size_t CBenchDevices::CountInInterfaceClass(const GUID& interfaceClass)
{
    unique_hdevinfo set(::SetupDiGetClassDevsW(&interfaceClass, nullptr, nullptr, DIGCF_DEVICEINTERFACE));
    if (!set)
        return 0;
    size_t count = 0;
    SP_DEVINFO_DATA device{sizeof(device), {}, 0, 0};
    while (::SetupDiEnumDeviceInfo(set.get(), static_cast<DWORD>(count), &device))
        ++count;
    return count;
}

std::vector<BroadcastRecord> InterfaceRecords(const CBenchDevices& devices)
{
    std::vector<BroadcastRecord> records;
    for (const std::wstring& path : devices.Paths())
        records.push_back(DeviceInterfaceRecord(kBenchInterfaceClass, path));
    return records;
}
