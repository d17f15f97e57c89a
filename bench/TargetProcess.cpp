#include "TargetProcess.h"

#include "WindowQuery.h"

#include <dbt.h>

#include <cwctype>

namespace
{
constexpr wchar_t kDllOverrides[] = L"WINEDLLOVERRIDES";

bool NameIs(const std::wstring& entry, const wchar_t* name)
{
    const size_t length = ::wcslen(name);
    return entry.size() > length && entry[length] == L'=' && ::_wcsnicmp(entry.c_str(), name, length) == 0;
}
} // namespace

std::wstring EnvironmentWithDllOverride(const wchar_t* environment, const std::wstring& dllOverride)
{
    std::wstring block;
    bool found = false;
    for (const wchar_t* entry = environment; entry != nullptr && *entry != L'\0'; entry += ::wcslen(entry) + 1)
    {
        std::wstring variable = entry;
        if (NameIs(variable, kDllOverrides))
        {
            found = true;
            const bool empty = variable.size() == std::size(kDllOverrides);
            variable += (empty ? L"" : L";") + dllOverride;
        }
        block += variable;
        block += L'\0';
    }
    if (!found)
    {
        block += std::wstring(kDllOverrides) + L"=" + dllOverride;
        block += L'\0';
    }
    block += L'\0';
    return block;
}

HRESULT CTargetProcess::Start(const std::wstring& exe, const std::wstring& arguments, int showCommand,
                              const std::wstring& dllOverride)
{
    std::wstring environment;
    if (!dllOverride.empty())
    {
        wchar_t* current = ::GetEnvironmentStringsW();
        environment = EnvironmentWithDllOverride(current, dllOverride);
        ::FreeEnvironmentStringsW(current);
    }
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION info{};
    m_sinceStart.Restart();
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                          environment.empty() ? nullptr : environment.data(), nullptr, &startup, &info))
        return HRESULT_FROM_WIN32(::GetLastError());
    m_process.reset(info.hProcess);
    unique_handle thread(info.hThread);
    m_processId = info.dwProcessId;
    return S_OK;
}

HWND CTargetProcess::FindMainWindow(const wchar_t* title) const
{
    for (HWND window : FindTopLevelWindows(m_processId, nullptr, title))
    {
        if (::GetWindow(window, GW_OWNER) == nullptr && WindowClassName(window) != L"#32770")
            return window;
    }
    return nullptr;
}

HWND CTargetProcess::WaitForMainWindow(const wchar_t* title, DWORD timeoutMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;)
    {
        if (HWND window = FindMainWindow(title))
            return window;
        // Wakes at once when the process ends; looks again every millisecond otherwise.
        if (::GetTickCount64() > deadline || ::WaitForSingleObject(m_process.get(), 1) != WAIT_TIMEOUT)
            return nullptr;
    }
}

double CTargetProcess::WaitForFirstDeviceChangeAnswer(const wchar_t* title, DWORD timeoutMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    while (::GetTickCount64() <= deadline)
    {
        HWND window = WaitForMainWindow(title, static_cast<DWORD>(deadline - ::GetTickCount64()));
        if (window == nullptr)
            break;
        DWORD_PTR answer = 0;
        if (::SendMessageTimeoutW(window, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0, SMTO_NORMAL, 50, &answer) &&
            answer == TRUE)
            return MsSinceStart();
    }
    return -1.0;
}

bool CTargetProcess::ReadMemory(PROCESS_MEMORY_COUNTERS_EX& counters) const
{
    counters = {};
    counters.cb = sizeof(counters);
    return ::GetProcessMemoryInfo(m_process.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                  sizeof(counters)) != FALSE;
}

bool CTargetProcess::IsRunning() const
{
    return m_process && ::WaitForSingleObject(m_process.get(), 0) == WAIT_TIMEOUT;
}

bool CTargetProcess::WaitForExit(DWORD timeoutMs)
{
    return !m_process || ::WaitForSingleObject(m_process.get(), timeoutMs) == WAIT_OBJECT_0;
}

bool CTargetProcess::Close(HWND window, DWORD timeoutMs)
{
    if (IsRunning() && window != nullptr)
        ::PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForExit(timeoutMs))
        return true;
    Kill();
    return false;
}

void CTargetProcess::Kill()
{
    if (IsRunning())
    {
        ::TerminateProcess(m_process.get(), 0xDEAD);
        ::WaitForSingleObject(m_process.get(), 5000);
    }
}

void FlushPainting(HWND window)
{
    ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    // A round trip through the window's thread: returns once that thread is back in its loop.
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
}

SIZE_T PrivateCommittedBytes(HANDLE process)
{
    SIZE_T committed = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (auto* address = static_cast<BYTE*>(nullptr);
         ::VirtualQueryEx(process, address, &region, sizeof(region)) == sizeof(region);
         address = static_cast<BYTE*>(region.BaseAddress) + region.RegionSize)
    {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            committed += region.RegionSize;
    }
    return committed;
}
