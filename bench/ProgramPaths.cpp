#include "ProgramPaths.h"

#include <windows.h>
#include <shlwapi.h>

std::wstring PathNextToThisProgram(const wchar_t* name)
{
    wchar_t path[MAX_PATH] = {};
    if (::GetModuleFileNameW(nullptr, path, MAX_PATH) == 0 || !::PathRemoveFileSpecW(path) ||
        !::PathAppendW(path, name))
        return {};
    return path;
}
