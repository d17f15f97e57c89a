#pragma once
// One run of the real Orvane.exe, driven from outside: started with CreateProcessW, its frame
// and bars found once the frame shows, closed with WM_CLOSE. A run that is still alive when
// the object goes (a test failed half-way) is killed, so no test leaves a window behind.
#include "ProbeClient.h"
#include "Wait.h"
#include "UniqueHandle.h"

#include <string>

// Orvane.exe next to the running test program.
std::wstring OrvaneExePath();

class OrvaneProcess
{
public:
    // Control ids of the frame's children.
    static constexpr int kViewId = 0xE900;
    static constexpr int kStatusBarId = 59393;
    static constexpr int kReBarId = 59392;

    OrvaneProcess() = default;
    OrvaneProcess(const OrvaneProcess&) = delete;
    OrvaneProcess& operator=(const OrvaneProcess&) = delete;
    ~OrvaneProcess();

    // Starts the program with the show command and waits for its frame and log view.
    HRESULT Start(int showCommand = SW_SHOWNORMAL, DWORD timeoutMs = kStartWaitMs);

    [[nodiscard]] DWORD ProcessId() const noexcept { return m_processId; }
    [[nodiscard]] DWORD ThreadId() const noexcept { return m_threadId; }
    [[nodiscard]] HANDLE Process() const noexcept { return m_process.get(); }
    [[nodiscard]] HWND Frame() const noexcept { return m_frame; }
    [[nodiscard]] HWND View() const noexcept { return m_view; }
    // Looked up on each call: the bars may come and go.
    [[nodiscard]] HWND StatusBar() const;
    [[nodiscard]] HWND ReBar() const;
    // The rebar's visible child: the menu bar.
    [[nodiscard]] HWND CommandBar() const;

    // The probe in the program's user-interface thread, attached on first use.
    ProbeClient& Probe();

    // Waits until the program dispatched everything posted to it so far.
    bool Sync(DWORD timeoutMs = kDefaultWaitMs);

    bool ReadLog(std::wstring& text) const;
    // The text the status bar shows, and whether it shows it in simple mode.
    bool ReadStatusBar(std::wstring& text, bool* simple = nullptr);

    // Posts WM_CLOSE to the frame and waits for the process to end.
    bool Close(DWORD& exitCode, DWORD timeoutMs = kDefaultWaitMs);
    bool WaitForExit(DWORD& exitCode, DWORD timeoutMs = kDefaultWaitMs);
    [[nodiscard]] bool IsRunning() const;
    void Kill();

private:
    unique_handle m_process;
    DWORD m_processId = 0;
    DWORD m_threadId = 0;
    HWND m_frame = nullptr;
    HWND m_view = nullptr;
    ProbeClient m_probe;
};
