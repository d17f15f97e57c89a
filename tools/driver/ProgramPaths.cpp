#include "ProgramPaths.h"

#include <windows.h>
#include <shlwapi.h>

std::wstring PathBesideThisProgram(const wchar_t* name)
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || !::PathRemoveFileSpecW(path) || !::PathAppendW(path, name))
        return {};
    return path;
}
