#pragma once
// The device-change decoder: turns one WM_DEVICECHANGE (event code and data) into a
// timestamped event line in the log, followed by indented lines that describe the record
// the event carries. It keeps no state between events and never refuses a query.
//
// Every formatter reads only what lies inside the record's dbch_size: a record too short
// for the fields of its type, or a null record, gives no detail line. The formatters set the
// entry's m_bTimestamp to false before they look at the record, so whatever they append is
// a continuation line, and they leave it false even when they append nothing.
#include <windows.h>
#include <dbt.h>

class CLogEntry;

// Logs the event and its record; always TRUE, which the frame returns as the message result.
BOOL OnDeviceChange(CLogEntry& entry, UINT nEventType, DWORD_PTR dwData);

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
