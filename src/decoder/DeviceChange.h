#pragma once
// The device-change decoder: turns one WM_DEVICECHANGE (event code and data) into a
// timestamped event line in the log, followed by indented lines that describe the record
// the event carries. It keeps no state between events and never refuses a query.
#include <windows.h>
#include <dbt.h>

class CLogEntry;

// Logs the event and its record; always TRUE, which the frame returns as the message result.
// Throws nothing: the lines that cannot be built are left out of the entry.
BOOL OnDeviceChange(CLogEntry& entry, UINT nEventType, DWORD_PTR dwData) noexcept;
