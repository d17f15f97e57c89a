#pragma once
// Where a module's file lies: the program's own for its title, its default save name and its
// version record.
#include <windows.h>

// The full path of module's file, or of the program's own for a null module; false, with the
// last error set, when the system gives none. A longer path is cut as the system cuts it.
inline bool GetModulePath(HMODULE module, wchar_t (&path)[MAX_PATH]) noexcept
{
    return ::GetModuleFileNameW(module, path, MAX_PATH) != 0;
}
