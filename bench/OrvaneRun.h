#pragma once
// A running Orvane.exe as the benchmark drives it: the frame titled "Orvane", its log view
// (control id 0xE900), events sent from here as the system sends them, and the log read back.
#include "TargetProcess.h"

#include <string>

// Clears the log's modified mark, so closing asks nothing, and closes the frame; kills the
// process when it does not end within timeoutMs.
bool CloseOrvaneWithoutPrompt(CTargetProcess& process, HWND frame, DWORD timeoutMs = 10000);

class COrvaneRun
{
public:
    static constexpr int kViewId = 0xE900;
    static constexpr UINT kFileSave = 57603;
    static constexpr UINT kFileSaveAs = 57604;

    // Starts exe and waits until its frame and log view are shown and its thread is idle.
    HRESULT Start(const std::wstring& exe, int showCommand = SW_SHOWNORMAL, DWORD timeoutMs = 60000);

    [[nodiscard]] HWND Frame() const noexcept { return m_frame; }
    [[nodiscard]] HWND View() const noexcept { return m_view; }
    [[nodiscard]] CTargetProcess& Process() noexcept { return m_process; }

    bool ReadLog(std::wstring& text) const;
    // Sends one WM_DEVICECHANGE; false unless it was answered with TRUE.
    bool SendEvent(UINT_PTR eventType, LPARAM data) const;

    bool Close(DWORD timeoutMs = 10000) { return CloseOrvaneWithoutPrompt(m_process, m_frame, timeoutMs); }

private:
    CTargetProcess m_process;
    HWND m_frame = nullptr;
    HWND m_view = nullptr;
};
