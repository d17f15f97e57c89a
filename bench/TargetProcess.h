#pragma once
// One run of a program under measurement, started from the benchmark: its process, the time
// it was started, its top-level windows and its memory. A run still alive when the object
// goes is ended, so an aborted benchmark leaves no window behind.
#include "Stopwatch.h"
#include "UniqueHandle.h"

#include <psapi.h>

#include <string>

// The environment block (NUL-separated, double-NUL-terminated) of environment with override
// added to WINEDLLOVERRIDES; the variable is created if missing. Names compare ignoring case.
std::wstring EnvironmentWithDllOverride(const wchar_t* environment, const std::wstring& dllOverride);

class CTargetProcess
{
public:
    CTargetProcess() = default;
    CTargetProcess(const CTargetProcess&) = delete;
    CTargetProcess& operator=(const CTargetProcess&) = delete;
    ~CTargetProcess() { Kill(); }

    // Starts exe with the arguments and show command. dllOverride, when not empty, is added to
    // the child's WINEDLLOVERRIDES (under Wine, "wbemprox=d" takes WMI away from it).
    HRESULT Start(const std::wstring& exe, const std::wstring& arguments = {}, int showCommand = SW_SHOWNORMAL,
                  const std::wstring& dllOverride = {});

    [[nodiscard]] HANDLE Handle() const noexcept { return m_process.get(); }
    [[nodiscard]] DWORD Id() const noexcept { return m_processId; }
    // Milliseconds since the moment before CreateProcessW.
    [[nodiscard]] double MsSinceStart() const noexcept { return m_sinceStart.ElapsedMs(); }

    // The visible, unowned top-level window of the process titled title that is no dialog.
    [[nodiscard]] HWND FindMainWindow(const wchar_t* title) const;
    HWND WaitForMainWindow(const wchar_t* title, DWORD timeoutMs);
    // Polls the main window with WM_DEVICECHANGE (DBT_DEVNODES_CHANGED) until it answers TRUE;
    // the milliseconds from start to that answer, or a negative value on time-out.
    double WaitForFirstDeviceChangeAnswer(const wchar_t* title, DWORD timeoutMs);

    bool ReadMemory(PROCESS_MEMORY_COUNTERS_EX& counters) const;
    [[nodiscard]] bool IsRunning() const;
    bool WaitForExit(DWORD timeoutMs);
    // Posts WM_CLOSE to window and waits for the process to end; kills it after timeoutMs.
    bool Close(HWND window, DWORD timeoutMs);
    void Kill();

private:
    unique_handle m_process;
    DWORD m_processId = 0;
    CStopwatch m_sinceStart;
};

// The private memory process has committed, summed over its address space: what Windows
// reports as the process's PrivateUsage, which Wine leaves at 0 for another process.
SIZE_T PrivateCommittedBytes(HANDLE process);

// Paints what window and its children still have to paint, in the window's own thread, and
// returns when that is done: a run's time includes the drawing it caused.
void FlushPainting(HWND window);
