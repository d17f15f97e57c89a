#pragma once
// The driver's end of the probe: hooks one user-interface thread of the program it drives with
// the probe library (which the system then loads into that process) and asks it questions.
#include "ProbeProtocol.h"
#include "DriverHandles.h"

#include <string>

class ProbeClient
{
public:
    ProbeClient() = default;
    ProbeClient(const ProbeClient&) = delete;
    ProbeClient& operator=(const ProbeClient&) = delete;
    ~ProbeClient();

    // Hooks threadId; the probe library is orvane_probe.dll beside this program.
    HRESULT Attach(DWORD threadId);
    [[nodiscard]] bool IsAttached() const noexcept { return m_callWndProcHook.is_valid(); }

    // Sends the request to target (a window of the hooked thread) and returns the answer in
    // answer; false when no answer came within timeoutMs.
    bool Query(HWND target, ProbeRequest request, LPARAM argument, std::wstring& answer, DWORD timeoutMs = 10000);

    // Posts a marker to target's thread and waits until that thread took it from its queue:
    // everything posted to the thread before has been dispatched by then.
    bool Sync(HWND target, DWORD timeoutMs = 10000);

private:
    unique_hmodule m_library;
    unique_hhook m_callWndProcHook;
    unique_hhook m_getMessageHook;
    unique_hwnd m_answerWindow;
    ProbeRequest m_pendingRequest{};
    bool m_answered = false;
    std::wstring m_answer;
    LPARAM m_syncCookie = 0;
    LPARAM m_syncDone = 0;

    static LRESULT CALLBACK AnswerWindowProc(HWND, UINT, WPARAM, LPARAM);
};
