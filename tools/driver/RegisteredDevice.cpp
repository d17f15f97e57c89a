#include "RegisteredDevice.h"

#include "LastError.h"

#include <vector>

RegisteredDevice::~RegisteredDevice()
{
    const DWORD lastError = ::GetLastError();
    Remove();
    ::SetLastError(lastError);
}

HRESULT RegisteredDevice::Register(const wchar_t* deviceId, const GUID& setupClass, const GUID& interfaceClass,
                                   const DeviceNames& names)
{
    if (m_registered)
        return HRESULT_FROM_WIN32(ERROR_ALREADY_EXISTS);
    m_set.reset(::SetupDiCreateDeviceInfoList(&setupClass, nullptr));
    if (!m_set)
        return LastErrorResult();
    m_device = {sizeof(m_device), {}, 0, 0};
    if (!::SetupDiCreateDeviceInfoW(m_set.get(), deviceId, &setupClass, nullptr, nullptr, DICD_GENERATE_ID,
                                    &m_device) ||
        !::SetupDiRegisterDeviceInfo(m_set.get(), &m_device, 0, nullptr, nullptr, nullptr))
        return LastErrorResult();
    m_registered = true;

    HRESULT hr = S_OK;
    if (FAILED(hr = SetName(SPDRP_FRIENDLYNAME, names.friendlyName)) ||
        FAILED(hr = SetName(SPDRP_DEVICEDESC, names.description)) ||
        FAILED(hr = SetName(SPDRP_MFG, names.manufacturer)))
        return hr;

    SP_DEVICE_INTERFACE_DATA interfaceData{sizeof(interfaceData), {}, 0, 0};
    if (!::SetupDiCreateDeviceInterfaceW(m_set.get(), &m_device, &interfaceClass, nullptr, 0, &interfaceData))
        return LastErrorResult();
    DWORD size = 0;
    ::SetupDiGetDeviceInterfaceDetailW(m_set.get(), &interfaceData, nullptr, 0, &size, nullptr);
    if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W))
        return LastErrorResult();
    std::vector<BYTE> block(size);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(block.data());
    detail->cbSize = sizeof(*detail);
    if (!::SetupDiGetDeviceInterfaceDetailW(m_set.get(), &interfaceData, detail, size, nullptr, nullptr))
        return LastErrorResult();
    m_path = detail->DevicePath;
    return S_OK;
}

HRESULT RegisteredDevice::SetName(DWORD property, const std::wstring& text)
{
    if (text.empty()) // a name left empty is one the device does not have
        return S_OK;
    const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return ::SetupDiSetDeviceRegistryPropertyW(m_set.get(), &m_device, property,
                                               reinterpret_cast<const BYTE*>(text.c_str()), bytes)
               ? S_OK
               : LastErrorResult();
}

HRESULT RegisteredDevice::Remove()
{
    if (!m_registered)
        return S_OK;
    if (!::SetupDiRemoveDevice(m_set.get(), &m_device))
        return LastErrorResult();
    m_registered = false;
    m_path.clear();
    return S_OK;
}
