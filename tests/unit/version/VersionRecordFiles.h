#pragma once
// The test's version-record DLLs, built next to this test program.
#include <windows.h>

#include <string>

inline std::wstring VersionRecordPath(const wchar_t* fileName)
{
    wchar_t self[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, length);
    path.erase(path.find_last_of(L"\\/") + 1);
    return path + fileName;
}
