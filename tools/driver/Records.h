#pragma once
// Device-change broadcasts as the system sends them: WM_DEVICECHANGE with an event code and,
// for the device events, the address of a DEV_BROADCAST_* record. The system copies the record
// into the receiving process by its dbch_size, so a record built here arrives intact.
#include <windows.h>
#include <dbt.h>

#include <string>
#include <vector>

// The bytes of one broadcast record, laid out as the SDK's structures.
class BroadcastRecord
{
public:
    explicit BroadcastRecord(size_t size);

    [[nodiscard]] LPARAM Address() const noexcept { return reinterpret_cast<LPARAM>(m_bytes.data()); }
    [[nodiscard]] DWORD Size() const noexcept { return As<DEV_BROADCAST_HDR>()->dbch_size; }
    template <typename T>
    [[nodiscard]] T* As() noexcept
    {
        return reinterpret_cast<T*>(m_bytes.data());
    }
    template <typename T>
    [[nodiscard]] const T* As() const noexcept
    {
        return reinterpret_cast<const T*>(m_bytes.data());
    }

private:
    // Whole 64-bit words keep every field aligned as the SDK structures expect.
    std::vector<ULONGLONG> m_bytes;
};

BroadcastRecord OemRecord(DWORD identifier, DWORD function);
BroadcastRecord DevnodeRecord(DWORD devnode);
BroadcastRecord VolumeRecord(DWORD unitMask, WORD flags);
BroadcastRecord PortRecord(const std::wstring& name);
BroadcastRecord NetRecord(DWORD resource, DWORD flags);
BroadcastRecord DeviceInterfaceRecord(const GUID& classGuid, const std::wstring& path);
BroadcastRecord HandleRecord(HANDLE handle, HDEVNOTIFY notification);
// A header with any device type, for types the program does not know.
BroadcastRecord HeaderOnlyRecord(DWORD deviceType);
BroadcastRecord UserDefinedRecord(const std::string& name);
BroadcastRecord VolLockRecord(DWORD owner, BYTE permissions, BYTE lockType, BYTE drive, BYTE flags);

// Sends WM_DEVICECHANGE to window as the system does; false when it was not answered in time.
bool SendDeviceChange(HWND window, UINT_PTR eventType, LPARAM data, LRESULT* result = nullptr,
                      DWORD timeoutMs = 10000);
bool SendDeviceChange(HWND window, UINT_PTR eventType, const BroadcastRecord& record, LRESULT* result = nullptr,
                      DWORD timeoutMs = 10000);
