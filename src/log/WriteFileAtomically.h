#pragma once
// Writes a whole file so that the target only ever holds its old bytes or all of the new
// ones: the bytes go to a new temporary file in the target's folder, are flushed, and the
// temporary file then takes the target's place. A failure anywhere leaves the target as it
// was (a replacement the system left half-done is undone), removes the temporary file, and
// keeps the failing call's last error. Only when the old file was moved aside and neither it
// nor the new one can be moved back is nothing removed: the temporary file is then the only
// copy of the new bytes, and the old bytes stay under the backup name beside it.
#include "WideString.h"

#include <windows.h>

// Replaces (or creates) path with exactly size bytes. TRUE on success; FALSE with the
// thread's last error set otherwise. A write that reports fewer bytes than asked for is a
// failure (ERROR_WRITE_FAULT). keptCopy, when given, receives the path of a temporary file
// that was kept as the only copy of the new bytes, and is emptied otherwise.
BOOL WriteFileAtomically(const wchar_t* path, const void* bytes, DWORD size, CString* keptCopy = nullptr);
