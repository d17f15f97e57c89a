#pragma once
// The header every new log starts with: the operating system's name as WMI reports it, the
// version numbers the system reports to the program, and the hint on turning notifications on.
#include "WideString.h"

#include <windows.h>

// Replaces header with the whole header text, CR LF line ends: osDescription (what
// GetOSDescription gave with S_OK; null leaves it out), the version line and the hint. Asks
// nothing that can wait: the description is read beforehand. Throws std::bad_alloc only, before
// any window has been touched.
void BuildLogHeader(CString& header, LPCWSTR osDescription);
