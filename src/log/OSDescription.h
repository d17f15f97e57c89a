#pragma once
// The operating system's name for the header of a new log, as WMI's Win32_OperatingSystem
// class gives it.
#include <windows.h>

struct IEnumWbemClassObject;

// The description is at most 128 characters; the buffer holds them and the terminator.
inline constexpr int kOSDescriptionCapacity = 129;

// Fills buffer (kOSDescriptionCapacity characters) with the system's caption, service pack and
// architecture as WMI reports them. The calling thread must have COM initialised. A WMI service
// that keeps the connection waiting for the system's limit (two minutes at most), or an object
// for more than 10 seconds, counts as failed. On Windows WMI is another process, and a
// single-threaded apartment waiting on it runs its windows' handlers for what is sent to them:
// call it while no window that would mind exists.
HRESULT GetOSDescription(LPWSTR buffer);

// The step of GetOSDescription that reads the query's objects: each is described in turn into
// buffer, the last one stays. An object that does not arrive within 10 seconds fails the
// description with HRESULT_FROM_WIN32(ERROR_TIMEOUT). Declared for its test's hung service.
HRESULT DescribeOperatingSystems(IEnumWbemClassObject* objects, LPWSTR buffer) noexcept;

// Writes "caption[ service pack][ (architecture)]" into buffer, cut at 128 characters. A space
// goes before the service pack unless the caption already ends in one. Null parts are left out.
// Declared for its test, which gives it values that no system reports.
void ComposeOSDescription(LPWSTR buffer, LPCWSTR caption, LPCWSTR servicePack, LPCWSTR architecture);
