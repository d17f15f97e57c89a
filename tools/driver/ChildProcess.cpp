#include "ChildProcess.h"

#include "LastError.h"

HRESULT ChildProcess::Start(const std::wstring& exe, const std::wstring& arguments, int showCommand)
{
    Kill();
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
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
