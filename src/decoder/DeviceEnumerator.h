#pragma once
// CDeviceEnumerator: owns the SetupAPI device information set of one device interface
// class and walks it to find the device behind an interface path, then reads that device's
// text properties. Every operation but the destructor returns false on failure with the
// reason in the thread's last error: its own code, or the one the failed SetupAPI call left.
#include <windows.h>
#include <setupapi.h>

#include "UniqueDevInfo.h"

class CString;

class CDeviceEnumerator
{
public:
    CDeviceEnumerator() noexcept;
    CDeviceEnumerator(const CDeviceEnumerator&) = delete;
    CDeviceEnumerator& operator=(const CDeviceEnumerator&) = delete;
    // Closes the set and frees the detail block; the caller's last error survives.
    virtual ~CDeviceEnumerator();

    // Opens the set of every device, present or not, with an interface of path's class.
    // ERROR_INVALID_PARAMETER when path has no interface class GUID, ERROR_INVALID_HANDLE
    // when a set is already open.
    bool OpenInterfaceClass(const wchar_t* path);
    // Makes the device and interface whose path equals path (ignoring ASCII case) current.
    bool FindInterface(const wchar_t* path);
    // Reads the current interface's path and compares it with path, ignoring ASCII case.
    bool InterfacePathMatches(const wchar_t* path);
    // Reads a REG_SZ property of the current device, without trailing "\r\n\t ";
    // ERROR_INVALID_DATA for a property of any other registry type.
    bool GetStringProperty(DWORD property, CString& value);

    // The GUID in the first braced span of path. False without a braced span, for a span
    // that is no GUID or longer than 255 characters; ERROR_INVALID_PARAMETER for a null guid.
    static bool GetInterfaceClassGuid(const wchar_t* path, GUID* guid);

private:
    [[nodiscard]] bool IsOpen() const noexcept { return m_hDevInfo.is_valid(); }
    // Makes the detail block exactly size bytes, keeping it for the next interface.
    bool ResizeDetailBlock(DWORD size) noexcept;

    unique_hdevinfo m_hDevInfo;
    SP_DEVINFO_DATA m_devInfoData;
    SP_DEVICE_INTERFACE_DATA m_interfaceData;
    DWORD m_deviceIndex = 0;
    DWORD m_memberIndex = 0;
    GUID m_interfaceClassGuid = GUID_NULL;
    unique_process_heap_ptr m_pDetailData; // SP_DEVICE_INTERFACE_DETAIL_DATA_W
};
