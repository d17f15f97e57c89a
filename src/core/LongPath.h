#pragma once
// The two forms of one path: the extended-length form the file system needs for paths of
// MAX_PATH characters or more ("\\?\C:\x", "\\?\UNC\server\x"), and the form the user knows.
#include "WideString.h"

// Gives path the extended-length prefix when it is too long to work without one. Throws only
// std::bad_alloc.
void AllowLongPath(CString& path);

// The path as the user knows it: "\\?\C:\x" reads "C:\x", "\\?\UNC\server\x" reads
// "\\server\x". Rewrites path in place and points into it, so that it needs no memory.
const wchar_t* ShownPath(CString& path) noexcept;
