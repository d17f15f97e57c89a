#pragma once
// Drives a modal dialog from inside its own loop: a thread timer hands the dialog on screen once to a
// script, which reads and ends it as a user would. A dialog still open after the time limit is
// ended with kTimedOut, so that a broken close path fails the test instead of hanging it.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>

class CModalDialogScript
{
public:
    static constexpr INT_PTR kTimedOut = -2;

    // doModal starts the dialog, e.g. [&] { return dlg.DoModal(owner); }; returns its result.
    static INT_PTR Run(const std::function<INT_PTR()>& doModal, std::function<void(HWND)> script,
                       DWORD timeoutMs = 10000)
    {
        s_script = std::move(script);
        s_deadline = ::GetTickCount64() + timeoutMs;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &OnTimer);
        const INT_PTR result = doModal();
        ::KillTimer(nullptr, timer);
        s_script = nullptr;
        return result;
    }

private:
    static inline std::function<void(HWND)> s_script;
    static inline ULONGLONG s_deadline = 0;

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        HWND dialog = ::GetActiveWindow();
        wchar_t className[8] = {};
        if (dialog == nullptr || !::IsWindowVisible(dialog) || ::GetClassNameW(dialog, className, 8) == 0 ||
            std::wstring(className) != L"#32770")
            return;
        if (::GetTickCount64() > s_deadline)
            ::EndDialog(dialog, kTimedOut);
        else if (s_script)
            std::exchange(s_script, nullptr)(dialog); // once: the script may pump this timer
    }
};
