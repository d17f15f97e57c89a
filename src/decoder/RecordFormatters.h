#pragma once
// The decoder's record formatters, one per record layout; OnDeviceChange hands each event's
// record to one of them. Internal to the decoder.
//
// Every formatter reads only what lies inside the record's dbch_size: a record too short for
// the fields of its type, or a null record, gives no detail line. What they append are detail
// lines: the caller has started them on the entry (CLogEntry::StartDetailLines).
#include <windows.h>
#include <dbt.h>

class CLogEntry;

// The record of DBT_DEVICEARRIVAL .. DBT_CUSTOMEVENT; picks the formatter by device type.
void LogBroadcastRecord(CLogEntry& entry, const DEV_BROADCAST_HDR* record);
// Device type 2: the drive letters of the unit mask and the two flag words.
void LogVolumeRecord(CLogEntry& entry, const DEV_BROADCAST_VOLUME* record);
// The record of the DBT_VOLLOCK* events; its device type is not consulted.
void LogVolLockRecord(CLogEntry& entry, const VolLockBroadcast* record);
// The record of DBT_USERDEFINED: the name of the user-defined message.
void LogUserDefinedRecord(CLogEntry& entry, const _DEV_BROADCAST_USERDEFINED* record);
// Device type 5: the interface path and what SetupAPI knows about the device behind it.
void LogDeviceInterfaceRecord(CLogEntry& entry, const DEV_BROADCAST_DEVICEINTERFACE_W* record);
