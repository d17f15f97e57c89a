#include "OrvaneProcess.h"

#include "ProgramPaths.h"
#include "WindowQuery.h"

#include <commctrl.h>

HRESULT OrvaneProcess::Start(int showCommand, DWORD timeoutMs)
{
    const HRESULT hr = Launch(PathBesideThisProgram(L"Orvane.exe"), showCommand);
    return SUCCEEDED(hr) ? WaitForFrame(timeoutMs) : hr;
}

HRESULT OrvaneProcess::Launch(const std::wstring& exe, int showCommand, const std::wstring& arguments)
{
    m_threadId = 0;
    m_frame = m_view = nullptr;
    return m_program.Start(exe, arguments, showCommand);
}

HRESULT OrvaneProcess::WaitForFrame(DWORD timeoutMs)
{
    const bool shown = WaitUntil(
        [this] {
            HWND frame = FindMainWindow(m_program.Id(), kFrameTitle);
            HWND view = frame != nullptr ? FindChild(frame, kViewId) : nullptr;
            if (view != nullptr)
            {
                m_frame = frame;
                m_view = view;
            }
            return view != nullptr || !IsRunning();
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

bool OrvaneProcess::ReadLog(std::wstring& text, DWORD timeoutMs) const
{
    return ReadWindowText(m_view, text, timeoutMs);
}

bool OrvaneProcess::IsLogModified(bool& modified) const
{
    DWORD_PTR flag = 0;
    if (!::SendMessageTimeoutW(m_view, EM_GETMODIFY, 0, 0, SMTO_NORMAL, kDefaultWaitMs, &flag))
        return false;
    modified = flag != 0;
    return true;
}

bool OrvaneProcess::SendDeviceChange(UINT_PTR eventType, LPARAM data, DWORD timeoutMs) const
{
    DWORD_PTR answer = 0;
    return ::SendMessageTimeoutW(m_frame, WM_DEVICECHANGE, eventType, data, SMTO_NORMAL, timeoutMs, &answer) &&
           answer == TRUE;
}

bool OrvaneProcess::QueryEndSession(bool& allowed, DWORD timeoutMs) const
{
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutW(m_frame, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, timeoutMs, &answer))
        return false;
    allowed = answer != FALSE;
    return true;
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
    return m_program.WaitForExit(exitCode, timeoutMs);
}

bool OrvaneProcess::CloseWithoutPrompt(DWORD timeoutMs)
{
    DWORD_PTR ignored = 0;
    if (m_view != nullptr)
        ::SendMessageTimeoutW(m_view, EM_SETMODIFY, FALSE, 0, SMTO_NORMAL, timeoutMs, &ignored);
    return m_program.CloseOrKill(m_frame, timeoutMs);
}
