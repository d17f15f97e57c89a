#include "Records.h"

#include <cstddef>
#include <cstring>

namespace
{
template <typename T>
BroadcastRecord MakeRecord(DWORD deviceType, size_t size = sizeof(T))
{
    BroadcastRecord record(size);
    auto* header = record.As<DEV_BROADCAST_HDR>();
    header->dbch_size = static_cast<DWORD>(size);
    header->dbch_devicetype = deviceType;
    return record;
}
} // namespace

BroadcastRecord::BroadcastRecord(size_t size) : m_bytes((size + sizeof(ULONGLONG) - 1) / sizeof(ULONGLONG), 0)
{
}

BroadcastRecord VolumeRecord(DWORD unitMask, WORD flags)
{
    auto record = MakeRecord<DEV_BROADCAST_VOLUME>(DBT_DEVTYP_VOLUME);
    record.As<DEV_BROADCAST_VOLUME>()->dbcv_unitmask = unitMask;
    record.As<DEV_BROADCAST_VOLUME>()->dbcv_flags = flags;
    return record;
}

BroadcastRecord PortRecord(const std::wstring& name)
{
    const size_t size = offsetof(DEV_BROADCAST_PORT_W, dbcp_name) + (name.size() + 1) * sizeof(wchar_t);
    auto record = MakeRecord<DEV_BROADCAST_PORT_W>(DBT_DEVTYP_PORT, size);
    std::memcpy(record.As<DEV_BROADCAST_PORT_W>()->dbcp_name, name.c_str(), (name.size() + 1) * sizeof(wchar_t));
    return record;
}

BroadcastRecord DeviceInterfaceRecord(const GUID& classGuid, const std::wstring& path)
{
    const size_t size = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + (path.size() + 1) * sizeof(wchar_t);
    auto record = MakeRecord<DEV_BROADCAST_DEVICEINTERFACE_W>(DBT_DEVTYP_DEVICEINTERFACE, size);
    record.As<DEV_BROADCAST_DEVICEINTERFACE_W>()->dbcc_classguid = classGuid;
    std::memcpy(record.As<DEV_BROADCAST_DEVICEINTERFACE_W>()->dbcc_name, path.c_str(),
                (path.size() + 1) * sizeof(wchar_t));
    return record;
}

BroadcastRecord UserDefinedRecord(const std::string& name)
{
    const size_t size = offsetof(_DEV_BROADCAST_USERDEFINED, dbud_szName) + name.size() + 1;
    // The user-defined header carries no device type of its own meaning; the event code says it.
    auto record = MakeRecord<_DEV_BROADCAST_USERDEFINED>(0, size);
    std::memcpy(record.As<_DEV_BROADCAST_USERDEFINED>()->dbud_szName, name.c_str(), name.size() + 1);
    return record;
}
