#include "ChildProcess.h"

#include "LastError.h"

namespace
{
constexpr wchar_t kDllOverrides[] = L"WINEDLLOVERRIDES";

bool NameIs(const std::wstring& entry, const wchar_t* name)
{
    const size_t length = ::wcslen(name);
    return entry.size() > length && entry[length] == L'=' && ::_wcsnicmp(entry.c_str(), name, length) == 0;
}

// This process's environment block (NUL-separated, double-NUL-terminated) with dllOverride
// added to WINEDLLOVERRIDES, which is created when missing. Names compare ignoring case.
std::wstring EnvironmentWithDllOverride(const std::wstring& dllOverride)
{
    wchar_t* const current = ::GetEnvironmentStringsW();
    std::wstring block;
    bool found = false;
    for (const wchar_t* entry = current; entry != nullptr && *entry != L'\0'; entry += ::wcslen(entry) + 1)
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
    ::FreeEnvironmentStringsW(current);
    if (!found)
    {
        block += std::wstring(kDllOverrides) + L"=" + dllOverride;
        block += L'\0';
    }
    block += L'\0';
    return block;
}
} // namespace

HRESULT ChildProcess::Start(const std::wstring& exe, const std::wstring& arguments, int showCommand,
                            const std::wstring& dllOverride)
{
    Kill();
    std::wstring environment = dllOverride.empty() ? std::wstring() : EnvironmentWithDllOverride(dllOverride);
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                          environment.empty() ? nullptr : environment.data(), nullptr, &startup, &info))
        return LastErrorResult();
    m_process.reset(info.hProcess);
    unique_handle thread(info.hThread);
    m_processId = info.dwProcessId;
    return S_OK;
}

bool ChildProcess::IsRunning() const
{
    return m_process && ::WaitForSingleObject(m_process.get(), 0) == WAIT_TIMEOUT;
}

bool ChildProcess::WaitForExit(DWORD& exitCode, DWORD timeoutMs)
{
    if (!m_process || !WaitUntil([this] { return !IsRunning(); }, timeoutMs))
        return false;
    return ::GetExitCodeProcess(m_process.get(), &exitCode) != FALSE;
}

bool ChildProcess::CloseOrKill(HWND window, DWORD timeoutMs)
{
    if (IsRunning() && window != nullptr)
        ::PostMessageW(window, WM_CLOSE, 0, 0);
    DWORD exitCode = 0;
    if (WaitForExit(exitCode, timeoutMs))
        return true;
    Kill();
    return false;
}

void ChildProcess::Kill()
{
    if (IsRunning())
    {
        ::TerminateProcess(m_process.get(), 0xDEAD);
        ::WaitForSingleObject(m_process.get(), 5000);
    }
}
