#pragma once
// One program started from here, and its owner: a process still running when the owner goes
// (a test failed half-way, a benchmark was aborted) is killed, so none leaves a window behind.
#include "Wait.h"
#include "DriverHandles.h"

#include <string>

class ChildProcess
{
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess() { Kill(); }

    // Starts exe with the arguments and the show command (a program still running from an
    // earlier start is killed first).
    HRESULT Start(const std::wstring& exe, const std::wstring& arguments = {}, int showCommand = SW_SHOWNORMAL);

    [[nodiscard]] HANDLE Handle() const noexcept { return m_process.get(); }
    [[nodiscard]] DWORD Id() const noexcept { return m_processId; }
    [[nodiscard]] bool IsRunning() const;

    // Waits for the process to end, handling this thread's messages meanwhile: a program on its
    // way out may send to this thread's windows.
    bool WaitForExit(DWORD& exitCode, DWORD timeoutMs = kDefaultWaitMs);
    // Posts WM_CLOSE to window and waits for the process to end; kills it when it has not ended
    // within timeoutMs. True when it ended by itself.
    bool CloseOrKill(HWND window, DWORD timeoutMs = kDefaultWaitMs);
    void Kill();

private:
    unique_handle m_process;
    DWORD m_processId = 0;
};
