#include "OrvaneProcess.h"

#include "WindowQuery.h"

#include <commctrl.h>
#include <shlwapi.h>

std::wstring OrvaneExePath()
{
    wchar_t path[MAX_PATH] = {};
    if (::GetModuleFileNameW(nullptr, path, MAX_PATH) == 0 || !::PathRemoveFileSpecW(path) ||
        !::PathAppendW(path, L"Orvane.exe"))
        return {};
    return path;
}

OrvaneProcess::~OrvaneProcess()
{
    Kill();
}

HRESULT OrvaneProcess::Start(int showCommand, DWORD timeoutMs)
{
    const std::wstring exe = OrvaneExePath();
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info))
        return HRESULT_FROM_WIN32(::GetLastError());
    m_process.reset(info.hProcess);
    unique_handle thread(info.hThread);
    m_processId = info.dwProcessId;

    const bool shown = WaitUntil(
        [this] {
            const auto frames = FindTopLevelWindows(m_processId, nullptr, L"Orvane");
            for (HWND frame : frames)
            {
                if (::GetWindow(frame, GW_OWNER) != nullptr)
                    continue;
                HWND view = FindChild(frame, kViewId);
                if (view != nullptr)
                {
                    m_frame = frame;
                    m_view = view;
                    return true;
                }
            }
            return !IsRunning();
        },
        timeoutMs);
    if (!shown || m_frame == nullptr)
        return shown ? E_UNEXPECTED : HRESULT_FROM_WIN32(ERROR_TIMEOUT);
    m_threadId = ::GetWindowThreadProcessId(m_frame, nullptr);
    return S_OK;
}

HWND OrvaneProcess::StatusBar() const
{
    return FindChild(m_frame, kStatusBarId, STATUSCLASSNAMEW);
}

HWND OrvaneProcess::ReBar() const
{
    return FindChild(m_frame, kReBarId, REBARCLASSNAMEW);
}

HWND OrvaneProcess::CommandBar() const
{
    HWND rebar = ReBar();
    if (rebar == nullptr)
        return nullptr;
    for (HWND child : ChildWindows(rebar))
    {
        if (::IsWindowVisible(child))
            return child;
    }
    return nullptr;
}

ProbeClient& OrvaneProcess::Probe()
{
    if (!m_probe.IsAttached() && m_threadId != 0)
        m_probe.Attach(m_threadId);
    return m_probe;
}

bool OrvaneProcess::Sync(DWORD timeoutMs)
{
    return Probe().Sync(m_frame, timeoutMs);
}

bool OrvaneProcess::ReadLog(std::wstring& text) const
{
    return ReadWindowText(m_view, text);
}

bool OrvaneProcess::ReadStatusBar(std::wstring& text, bool* simple)
{
    HWND statusBar = StatusBar();
    std::wstring answer;
    if (statusBar == nullptr ||
        !Probe().Query(m_frame, ProbeRequest::StatusBarText, reinterpret_cast<LPARAM>(statusBar), answer) ||
        answer.size() < 2 || answer[1] != L'\t')
        return false;
    if (simple != nullptr)
        *simple = answer[0] == L'1';
    text = answer.substr(2);
    return true;
}

bool OrvaneProcess::Close(DWORD& exitCode, DWORD timeoutMs)
{
    if (!::PostMessageW(m_frame, WM_CLOSE, 0, 0))
        return false;
    return WaitForExit(exitCode, timeoutMs);
}

bool OrvaneProcess::WaitForExit(DWORD& exitCode, DWORD timeoutMs)
{
    // Pump while waiting: the program may send this thread's windows messages on its way out.
    if (!WaitUntil([this] { return !IsRunning(); }, timeoutMs))
        return false;
    return ::GetExitCodeProcess(m_process.get(), &exitCode) != FALSE;
}

bool OrvaneProcess::IsRunning() const
{
    return m_process && ::WaitForSingleObject(m_process.get(), 0) == WAIT_TIMEOUT;
}

void OrvaneProcess::Kill()
{
    if (IsRunning())
    {
        ::TerminateProcess(m_process.get(), 0xDEAD);
        ::WaitForSingleObject(m_process.get(), 5000);
    }
}
