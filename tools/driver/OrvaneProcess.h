#pragma once
// One run of the real Orvane.exe, driven from outside: started with CreateProcessW, its frame
// and bars found once the frame shows, closed with WM_CLOSE. A run that is still alive when
// the object goes (a test failed half-way) is killed, so no test leaves a window behind.
#include "ChildProcess.h"
#include "FrameIds.h"
#include "ProbeClient.h"
#include "Wait.h"

#include <string>

class OrvaneProcess
{
public:
    static constexpr wchar_t kFrameTitle[] = L"Orvane";
    // Control ids of the frame's children.
    static constexpr int kViewId = ATL_IDW_CLIENT;
    static constexpr int kStatusBarId = ATL_IDW_STATUS_BAR;
    static constexpr int kReBarId = ATL_IDW_TOOLBAR; // the rebar shares the toolbar's id

    OrvaneProcess() = default;
    OrvaneProcess(const OrvaneProcess&) = delete;
    OrvaneProcess& operator=(const OrvaneProcess&) = delete;

    // Starts the program with the show command and waits for its frame and log view.
    HRESULT Start(int showCommand = SW_SHOWNORMAL, DWORD timeoutMs = kStartWaitMs);
    // Starts exe (an Orvane.exe from elsewhere, or a program built from its modules) with the
    // arguments and returns without waiting for its frame.
    HRESULT Launch(const std::wstring& exe, int showCommand = SW_SHOWNORMAL, const std::wstring& arguments = {});
    // Waits for the frame of the launched program (kFrameTitle) and its log view.
    HRESULT WaitForFrame(DWORD timeoutMs = kStartWaitMs);

    [[nodiscard]] DWORD ProcessId() const noexcept { return m_program.Id(); }
    [[nodiscard]] DWORD ThreadId() const noexcept { return m_threadId; }
    [[nodiscard]] HANDLE Process() const noexcept { return m_program.Handle(); }
    [[nodiscard]] HWND Frame() const noexcept { return m_frame; }
    [[nodiscard]] HWND View() const noexcept { return m_view; }
    // Looked up on each call: the bars may come and go.
    [[nodiscard]] HWND StatusBar() const;
    [[nodiscard]] HWND ReBar() const;

    // The probe in the program's user-interface thread, attached on first use.
    ProbeClient& Probe();

    // Waits until the program dispatched everything posted to it so far.
    bool Sync(DWORD timeoutMs = kDefaultWaitMs);

    bool ReadLog(std::wstring& text, DWORD timeoutMs = kDefaultWaitMs) const;
    // Whether the log carries the modified mark (the view's EM_GETMODIFY); false when the view
    // did not answer.
    bool IsLogModified(bool& modified) const;
    // Sends WM_DEVICECHANGE to the frame as the system does; true when the frame granted it
    // (answered TRUE), as the program does with every event.
    bool SendDeviceChange(UINT_PTR eventType, LPARAM data, DWORD timeoutMs = kDefaultWaitMs) const;
    // Asks the frame whether the session may end (WM_QUERYENDSESSION, a log-off) as the system
    // does; true when it answered within timeoutMs, with its answer in allowed.
    bool QueryEndSession(bool& allowed, DWORD timeoutMs = kDefaultWaitMs) const;
    // The text the status bar shows, and whether it shows it in simple mode.
    bool ReadStatusBar(std::wstring& text, bool* simple = nullptr);

    // Posts WM_CLOSE to the frame and waits for the process to end.
    bool Close(DWORD& exitCode, DWORD timeoutMs = kDefaultWaitMs);
    bool WaitForExit(DWORD& exitCode, DWORD timeoutMs = kDefaultWaitMs);
    // Clears the log's modified mark, so closing asks nothing, and closes the frame; kills the
    // process when it has not ended within timeoutMs. True when it ended by itself.
    bool CloseWithoutPrompt(DWORD timeoutMs = kDefaultWaitMs);
    [[nodiscard]] bool IsRunning() const { return m_program.IsRunning(); }
    void Kill() { m_program.Kill(); }

private:
    ChildProcess m_program;
    DWORD m_threadId = 0;
    HWND m_frame = nullptr;
    HWND m_view = nullptr;
    ProbeClient m_probe;
};
