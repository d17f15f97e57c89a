#include "Records.h"

#include <cstring>

namespace
{
static_assert(sizeof(VolLockBroadcast) == 20);

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

BroadcastRecord OemRecord(DWORD identifier, DWORD function)
{
    auto record = MakeRecord<DEV_BROADCAST_OEM>(DBT_DEVTYP_OEM);
    record.As<DEV_BROADCAST_OEM>()->dbco_identifier = identifier;
    record.As<DEV_BROADCAST_OEM>()->dbco_suppfunc = function;
    return record;
}

BroadcastRecord DevnodeRecord(DWORD devnode)
{
    auto record = MakeRecord<DEV_BROADCAST_DEVNODE>(DBT_DEVTYP_DEVNODE);
    record.As<DEV_BROADCAST_DEVNODE>()->dbcd_devnode = devnode;
    return record;
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

BroadcastRecord NetRecord(DWORD resource, DWORD flags)
{
    auto record = MakeRecord<DEV_BROADCAST_NET>(DBT_DEVTYP_NET);
    record.As<DEV_BROADCAST_NET>()->dbcn_resource = resource;
    record.As<DEV_BROADCAST_NET>()->dbcn_flags = flags;
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

BroadcastRecord HandleRecord(HANDLE handle, HDEVNOTIFY notification)
{
    auto record = MakeRecord<DEV_BROADCAST_HANDLE>(DBT_DEVTYP_HANDLE);
    record.As<DEV_BROADCAST_HANDLE>()->dbch_handle = handle;
    record.As<DEV_BROADCAST_HANDLE>()->dbch_hdevnotify = notification;
    return record;
}

BroadcastRecord HeaderOnlyRecord(DWORD deviceType)
{
    return MakeRecord<DEV_BROADCAST_HDR>(deviceType);
}

BroadcastRecord UserDefinedRecord(const std::string& name)
{
    const size_t size = offsetof(_DEV_BROADCAST_USERDEFINED, dbud_szName) + name.size() + 1;
    // The user-defined header carries no device type of its own meaning; the event code says it.
    auto record = MakeRecord<_DEV_BROADCAST_USERDEFINED>(0, size);
    std::memcpy(record.As<_DEV_BROADCAST_USERDEFINED>()->dbud_szName, name.c_str(), name.size() + 1);
    return record;
}

BroadcastRecord VolLockRecord(DWORD owner, BYTE permissions, BYTE lockType, BYTE drive, BYTE flags)
{
    auto record = MakeRecord<VolLockBroadcast>(0);
    auto* lock = record.As<VolLockBroadcast>();
    lock->vlb_owner = owner;
    lock->vlb_perms = permissions;
    lock->vlb_lockType = lockType;
    lock->vlb_drive = drive;
    lock->vlb_flags = flags;
    return record;
}

bool SendDeviceChange(HWND window, UINT_PTR eventType, LPARAM data, LRESULT* result, DWORD timeoutMs)
{
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutW(window, WM_DEVICECHANGE, eventType, data, SMTO_NORMAL, timeoutMs, &answer))
        return false;
    if (result != nullptr)
        *result = static_cast<LRESULT>(answer);
    return true;
}

bool SendDeviceChange(HWND window, UINT_PTR eventType, const BroadcastRecord& record, LRESULT* result,
                      DWORD timeoutMs)
{
    return SendDeviceChange(window, eventType, record.Address(), result, timeoutMs);
}
