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
    template <typename T>
    [[nodiscard]] T* As() noexcept
    {
        return reinterpret_cast<T*>(m_bytes.data());
    }

private:
    // Whole 64-bit words keep every field aligned as the SDK structures expect.
    std::vector<ULONGLONG> m_bytes;
};

BroadcastRecord PortRecord(const std::wstring& name);
BroadcastRecord VolumeRecord(DWORD unitMask, WORD flags);
BroadcastRecord DeviceInterfaceRecord(const GUID& classGuid, const std::wstring& path);
BroadcastRecord UserDefinedRecord(const std::string& name);
