// The formatters of the broadcast records that carry no device interface: one indented
// line per record, built from the fields that lie inside the record.
#include "RecordFormatters.h"
#include "RecordSpan.h"

#include "WideString.h"
#include "LogEntry.h"

namespace
{
constexpr int kDriveLetterCount = 26;

void LogOemRecord(CLogEntry& entry, const RecordSpan& record)
{
    LONG identifier = 0;
    LONG function = 0;
    if (record.TryRead(offsetof(DEV_BROADCAST_OEM, dbco_identifier), identifier) &&
        record.TryRead(offsetof(DEV_BROADCAST_OEM, dbco_suppfunc), function))
    {
        entry.AppendLine(L"  Device ID=%d, Function value=%d", identifier, function);
    }
}

void LogDevnodeRecord(CLogEntry& entry, const RecordSpan& record)
{
    LONG devnode = 0;
    if (record.TryRead(offsetof(DEV_BROADCAST_DEVNODE, dbcd_devnode), devnode))
        entry.AppendLine(L"  Node=%d", devnode);
}

void LogPortRecord(CLogEntry& entry, const RecordSpan& record)
{
    CString name;
    if (record.TryReadWideString(offsetof(DEV_BROADCAST_PORT_W, dbcp_name), name))
        entry.AppendLine(L"  Port=%s", name.GetString());
}

void LogHandleRecord(CLogEntry& entry, const RecordSpan& record)
{
    HANDLE handle = nullptr;
    HDEVNOTIFY notification = nullptr;
    if (record.TryRead(offsetof(DEV_BROADCAST_HANDLE, dbch_handle), handle) &&
        record.TryRead(offsetof(DEV_BROADCAST_HANDLE, dbch_hdevnotify), notification))
    {
        entry.AppendLine(L"  Handle=%08X (hDevNotify=%08p)", static_cast<UINT>(reinterpret_cast<UINT_PTR>(handle)),
                        notification);
    }
}
} // namespace

void LogBroadcastRecord(CLogEntry& entry, const DEV_BROADCAST_HDR* record)
{
    const RecordSpan span(record);
    if (!span.HasHeader())
        return;
    DWORD deviceType = 0;
    span.TryRead(offsetof(DEV_BROADCAST_HDR, dbch_devicetype), deviceType);
    switch (deviceType)
    {
    case DBT_DEVTYP_OEM: LogOemRecord(entry, span); break;
    case DBT_DEVTYP_DEVNODE: LogDevnodeRecord(entry, span); break;
    case DBT_DEVTYP_VOLUME: LogVolumeRecord(entry, reinterpret_cast<const DEV_BROADCAST_VOLUME*>(record)); break;
    case DBT_DEVTYP_PORT: LogPortRecord(entry, span); break;
    case DBT_DEVTYP_DEVICEINTERFACE:
        LogDeviceInterfaceRecord(entry, reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(record));
        break;
    case DBT_DEVTYP_HANDLE: LogHandleRecord(entry, span); break;
    default: break; // network resources carry nothing to show; later types are not known here
    }
}

void LogVolumeRecord(CLogEntry& entry, const DEV_BROADCAST_VOLUME* record)
{
    const RecordSpan span(record);
    DWORD unitMask = 0;
    WORD flags = 0;
    if (!span.TryRead(offsetof(DEV_BROADCAST_VOLUME, dbcv_unitmask), unitMask) ||
        !span.TryRead(offsetof(DEV_BROADCAST_VOLUME, dbcv_flags), flags))
    {
        return;
    }

    CString drives;
    for (int bit = 0; bit < kDriveLetterCount; ++bit)
    {
        if (unitMask & (1u << bit))
            drives.AppendFormat(L" %c:", L'A' + bit);
    }
    const wchar_t* media = (flags & DBTF_MEDIA) ? L"changes affect media" : L"changes affect physical device";
    const wchar_t* network = (flags & DBTF_NET) ? L"network volume" : L"local volume";
    entry.AppendLine(L"  Unit(s):%s, %s/%s.", drives.GetString(), media, network);
}

void LogVolLockRecord(CLogEntry& entry, const VolLockBroadcast* record)
{
    const RecordSpan span(record);
    DWORD owner = 0;
    BYTE permissions = 0;
    BYTE drive = 0;
    BYTE flags = 0;
    if (!span.TryRead(offsetof(VolLockBroadcast, vlb_owner), owner) ||
        !span.TryRead(offsetof(VolLockBroadcast, vlb_perms), permissions) ||
        !span.TryRead(offsetof(VolLockBroadcast, vlb_drive), drive) ||
        !span.TryRead(offsetof(VolLockBroadcast, vlb_flags), flags))
    {
        return;
    }

    // A NUL would end the line inside the edit control and glue the next entry onto it.
    const wchar_t driveText[2] = {static_cast<wchar_t>(drive), L'\0'};
    entry.AppendLine(L" Drive=%s Owner=0x%08x (%s,%s,%s,%s)", driveText, owner,
                    (permissions & LOCKP_ALLOW_WRITES) ? L"Allow writes" : L"Fail writes",
                    (permissions & LOCKP_FAIL_MEM_MAPPING) ? L"Fail memory mappings" : L"Allow memory mappings",
                    (permissions & LOCKP_LOCK_FOR_FORMAT) ? L"Level 0 lock format" : L"Allow format",
                    (flags & LOCKF_PHYSICAL_LOCK) ? L"Physical lock" : L"Logical lock");
}

void LogUserDefinedRecord(CLogEntry& entry, const _DEV_BROADCAST_USERDEFINED* record)
{
    const RecordSpan span(record);
    CString name;
    if (span.TryReadNarrowString(offsetof(_DEV_BROADCAST_USERDEFINED, dbud_szName), name))
        entry.AppendLine(L"  Message=%s", name.GetString());
}
