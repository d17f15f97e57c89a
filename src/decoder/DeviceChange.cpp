#include "DeviceChange.h"
#include "RecordFormatters.h"

#include "LogEntry.h"

namespace
{
// What an event does after its line: read nothing more, or hand dwData to a formatter.
enum class EventFollowUp
{
    None,
    BroadcastRecord,
    VolLockRecord,
    UserDefinedRecord,
};

// How the event line uses dwData.
enum class EventArguments
{
    None,
    MonitorSize, // x in bits 0..15, y in bits 16..31
    DriveNumber, // low 32 bits
};

struct DeviceEvent
{
    UINT code;
    const wchar_t* format;
    EventArguments arguments;
    EventFollowUp followUp;
};

constexpr DeviceEvent kDeviceEvents[] = {
    {DBT_APPYBEGIN, L"DBT_APPYBEGIN", EventArguments::None, EventFollowUp::None},
    {DBT_APPYEND, L"DBT_APPYEND", EventArguments::None, EventFollowUp::None},
    {DBT_DEVNODES_CHANGED, L"DBT_DEVNODES_CHANGED", EventArguments::None, EventFollowUp::None},
    {DBT_QUERYCHANGECONFIG, L"DBT_QUERYCHANGECONFIG", EventArguments::None, EventFollowUp::None},
    {DBT_CONFIGCHANGED, L"DBT_CONFIGCHANGED", EventArguments::None, EventFollowUp::None},
    {DBT_CONFIGCHANGECANCELED, L"DBT_CONFIGCHANGECANCELED", EventArguments::None, EventFollowUp::None},
    {DBT_MONITORCHANGE, L"DBT_MONITORCHANGE: x=%hu,y=%hu", EventArguments::MonitorSize, EventFollowUp::None},
    {DBT_SHELLLOGGEDON, L"DBT_SHELLLOGGEDON", EventArguments::None, EventFollowUp::None},
    {DBT_CONFIGMGAPI32, L"DBT_CONFIGMGAPI32", EventArguments::None, EventFollowUp::None},
    {DBT_VXDINITCOMPLETE, L"DBT_VXDINITCOMPLETE", EventArguments::None, EventFollowUp::None},
    {DBT_NO_DISK_SPACE, L"DBT_NO_DISK_SPACE, drive=%u (1-based)", EventArguments::DriveNumber, EventFollowUp::None},
    {DBT_LOW_DISK_SPACE, L"DBT_LOW_DISK_SPACE, drive=%u (1-based)", EventArguments::DriveNumber, EventFollowUp::None},
    {DBT_CONFIGMGPRIVATE, L"DBT_CONFIGMGPRIVATE", EventArguments::None, EventFollowUp::None},
    {DBT_DEVICEARRIVAL, L"DBT_DEVICEARRIVAL", EventArguments::None, EventFollowUp::BroadcastRecord},
    {DBT_DEVICEQUERYREMOVE, L"DBT_DEVICEQUERYREMOVE", EventArguments::None, EventFollowUp::BroadcastRecord},
    {DBT_DEVICEQUERYREMOVEFAILED, L"DBT_DEVICEQUERYREMOVEFAILED", EventArguments::None, EventFollowUp::BroadcastRecord},
    {DBT_DEVICEREMOVEPENDING, L"DBT_DEVICEREMOVEPENDING", EventArguments::None, EventFollowUp::BroadcastRecord},
    {DBT_DEVICEREMOVECOMPLETE, L"DBT_DEVICEREMOVECOMPLETE", EventArguments::None, EventFollowUp::BroadcastRecord},
    {DBT_DEVICETYPESPECIFIC, L"DBT_DEVICETYPESPECIFIC", EventArguments::None, EventFollowUp::BroadcastRecord},
    {DBT_CUSTOMEVENT, L"DBT_CUSTOMEVENT", EventArguments::None, EventFollowUp::BroadcastRecord},
    {DBT_VOLLOCKQUERYLOCK, L"DBT_VOLLOCKQUERYLOCK", EventArguments::None, EventFollowUp::VolLockRecord},
    {DBT_VOLLOCKLOCKTAKEN, L"DBT_VOLLOCKLOCKTAKEN", EventArguments::None, EventFollowUp::VolLockRecord},
    {DBT_VOLLOCKLOCKFAILED, L"DBT_VOLLOCKLOCKFAILED", EventArguments::None, EventFollowUp::VolLockRecord},
    {DBT_VOLLOCKQUERYUNLOCK, L"DBT_VOLLOCKQUERYUNLOCK", EventArguments::None, EventFollowUp::VolLockRecord},
    {DBT_VOLLOCKLOCKRELEASED, L"DBT_VOLLOCKLOCKRELEASED", EventArguments::None, EventFollowUp::VolLockRecord},
    {DBT_VOLLOCKUNLOCKFAILED, L"DBT_VOLLOCKUNLOCKFAILED", EventArguments::None, EventFollowUp::VolLockRecord},
    {DBT_USERDEFINED, L"DBT_USERDEFINED", EventArguments::None, EventFollowUp::UserDefinedRecord},
};

const DeviceEvent* FindDeviceEvent(UINT code) noexcept
{
    for (const DeviceEvent& event : kDeviceEvents)
    {
        if (event.code == code)
            return &event;
    }
    return nullptr;
}

void AppendEventLine(CLogEntry& entry, const DeviceEvent& event, DWORD_PTR dwData)
{
    switch (event.arguments)
    {
    case EventArguments::MonitorSize:
        entry.AppendLine(event.format, static_cast<unsigned>(dwData & 0xFFFF),
                        static_cast<unsigned>((dwData >> 16) & 0xFFFF));
        break;
    case EventArguments::DriveNumber:
        entry.AppendLine(event.format, static_cast<UINT>(dwData));
        break;
    case EventArguments::None:
        entry.AppendLine(event.format);
        break;
    }
}

void LogFollowUp(CLogEntry& entry, EventFollowUp followUp, DWORD_PTR dwData)
{
    // Whatever a formatter appends, even after nothing at all, is a detail line.
    if (followUp != EventFollowUp::None)
        entry.StartDetailLines();
    switch (followUp)
    {
    case EventFollowUp::BroadcastRecord:
        LogBroadcastRecord(entry, reinterpret_cast<const DEV_BROADCAST_HDR*>(dwData));
        break;
    case EventFollowUp::VolLockRecord:
        LogVolLockRecord(entry, reinterpret_cast<const VolLockBroadcast*>(dwData));
        break;
    case EventFollowUp::UserDefinedRecord:
        LogUserDefinedRecord(entry, reinterpret_cast<const _DEV_BROADCAST_USERDEFINED*>(dwData));
        break;
    case EventFollowUp::None:
        break;
    }
}
} // namespace

BOOL OnDeviceChange(CLogEntry& entry, UINT nEventType, DWORD_PTR dwData) noexcept
{
    entry.m_bTimestamp = true;
    try
    {
        const DeviceEvent* event = FindDeviceEvent(nEventType);
        if (event == nullptr)
        {
            entry.AppendLine(L"UNKNOWN (%d)", static_cast<int>(nEventType));
            return TRUE;
        }
        AppendEventLine(entry, *event, dwData);
        LogFollowUp(entry, event->followUp, dwData);
    }
    catch (...)
    {
        // A line that cannot be built (out of memory) is left out with every line after it.
        // Each line reaches the entry whole, so the event line stays once it was built; and the
        // broadcast is answered all the same: a query refused here would refuse a removal.
    }
    return TRUE;
}
