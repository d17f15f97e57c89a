#pragma once
// The fixed table that names well-known device interface classes in the log. A class that
// is in no row simply gets no category line.
#include <windows.h>

// The name of the first row whose GUID equals guid in all 16 bytes, or null.
const wchar_t* FindInterfaceCategory(const GUID& guid) noexcept;
