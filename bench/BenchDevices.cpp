#include "BenchDevices.h"

#include <initguid.h>
#include <devguid.h>
#include <usbiodef.h>

#include <cwchar>

namespace
{
constexpr wchar_t kInstancePrefix[] = L"ROOT\\ORVANEBENCH\\";
// Device instance ids are at most 200 characters (MAX_DEVICE_ID_LEN of the driver kit).
constexpr DWORD kMaxInstanceIdLength = 200;

HRESULT LastErrorResult()
{
    const DWORD error = ::GetLastError();
    return error != ERROR_SUCCESS ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

bool SetText(HDEVINFO set, SP_DEVINFO_DATA& device, DWORD property, const std::wstring& text)
{
    return ::SetupDiSetDeviceRegistryPropertyW(set, &device, property, reinterpret_cast<const BYTE*>(text.c_str()),
                                               static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) != FALSE;
}

bool ReadInterfacePath(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& data, std::wstring& path)
{
    DWORD size = 0;
    ::SetupDiGetDeviceInterfaceDetailW(set, &data, nullptr, 0, &size, nullptr);
    if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W))
        return false;
    std::vector<BYTE> block(size);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(block.data());
    detail->cbSize = sizeof(*detail);
    if (!::SetupDiGetDeviceInterfaceDetailW(set, &data, detail, size, nullptr, nullptr))
        return false;
    path = detail->DevicePath;
    return true;
}

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

// Instance ids start with the registering process's id, so a run can tell its own devices, and
// those of a run still going, from the ones a finished run left.
std::wstring NextInstanceId()
{
    static unsigned counter = 0;
    return kInstancePrefix + std::to_wstring(::GetCurrentProcessId()) + L"_" + std::to_wstring(::GetTickCount64()) +
           L"_" + std::to_wstring(++counter);
}
} // namespace

// The HID setup class has a description in every system, Wine's included; the USB device
// interface class is one the program names as a category.
const GUID& kBenchInterfaceClass = GUID_DEVINTERFACE_USB_DEVICE;

CBenchDevices::CBenchDevices() : m_set(::SetupDiCreateDeviceInfoList(nullptr, nullptr))
{
}

CBenchDevices::~CBenchDevices()
{
    RemoveAll();
}

HRESULT CBenchDevices::Add(size_t count)
{
    if (!m_set)
        return E_UNEXPECTED;
    for (size_t i = 0; i < count; ++i)
    {
        const HRESULT hr = AddOne();
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

HRESULT CBenchDevices::AddOne()
{
    const std::wstring id = NextInstanceId();
    SP_DEVINFO_DATA device{sizeof(device), {}, 0, 0};
    if (!::SetupDiCreateDeviceInfoW(m_set.get(), id.c_str(), &GUID_DEVCLASS_HIDCLASS, nullptr, nullptr, 0, &device))
        return LastErrorResult();
    if (!::SetupDiRegisterDeviceInfo(m_set.get(), &device, 0, nullptr, nullptr, nullptr))
    {
        const HRESULT hr = LastErrorResult();
        ::SetupDiDeleteDeviceInfo(m_set.get(), &device);
        return hr;
    }
    m_devices.push_back(device);

    const std::wstring number = std::to_wstring(m_devices.size());
    SP_DEVICE_INTERFACE_DATA data{sizeof(data), {}, 0, 0};
    std::wstring path;
    if (!SetText(m_set.get(), device, SPDRP_FRIENDLYNAME, L"Orvane Bench Device " + number) ||
        !SetText(m_set.get(), device, SPDRP_DEVICEDESC, L"Benchmark device " + number + L" behind a docking station") ||
        !SetText(m_set.get(), device, SPDRP_MFG, L"Orvane Bench Devices") ||
        !::SetupDiCreateDeviceInterfaceW(m_set.get(), &device, &kBenchInterfaceClass, nullptr, 0, &data) ||
        !ReadInterfacePath(m_set.get(), data, path))
        return LastErrorResult();
    m_paths.push_back(std::move(path));
    return S_OK;
}

bool CBenchDevices::RemoveAll()
{
    bool removedAll = true;
    for (SP_DEVINFO_DATA& device : m_devices)
        removedAll = ::SetupDiRemoveDevice(m_set.get(), &device) != FALSE && removedAll;
    m_devices.clear();
    m_paths.clear();
    return removedAll;
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

std::vector<BroadcastRecord> InterfaceRecords(const CBenchDevices& devices)
{
    std::vector<BroadcastRecord> records;
    for (const std::wstring& path : devices.Paths())
        records.push_back(DeviceInterfaceRecord(kBenchInterfaceClass, path));
    return records;
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
