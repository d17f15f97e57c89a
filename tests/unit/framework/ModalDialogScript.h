#pragma once
// Drives a modal dialog from inside its own message loop: a thread timer waits until the
// dialog is on screen and hands it to a script once; the script reads it and ends it (a
// click, a key, a command) the way a user would. A dialog still open after the time limit
// is ended with kTimedOut, so a broken close path fails the test instead of hanging it.
#include <windows.h>

#include <cwchar>
#include <functional>

class CModalDialogScript
{
public:
    static constexpr INT_PTR kTimedOut = -2;

    // doModal starts the dialog (e.g. [&] { return dlg.DoModal(owner); }); returns its result.
    static INT_PTR Run(const std::function<INT_PTR()>& doModal, std::function<void(HWND)> script,
                       DWORD timeoutMs = 10000)
    {
        State& state = Current();
        state = State{std::move(script), ::GetTickCount64() + timeoutMs, false};
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &CModalDialogScript::OnTimer);
        const INT_PTR result = doModal();
        ::KillTimer(nullptr, timer);
        state = State{};
        return result;
    }

    // The visible dialog window of this thread, or null.
    static HWND FindDialog() noexcept
    {
        HWND found = nullptr;
        ::EnumThreadWindows(::GetCurrentThreadId(), &CModalDialogScript::MatchDialog,
                            reinterpret_cast<LPARAM>(&found));
        return found;
    }

    // Runs this thread's messages until done() holds or timeoutMs has passed.
    static bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000)
    {
        const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
        while (!done())
        {
            if (::GetTickCount64() > deadline)
                return false;
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
        return true;
    }

private:
    struct State
    {
        std::function<void(HWND)> script;
        ULONGLONG deadline = 0;
        bool started = false;
    };

    static State& Current()
    {
        static thread_local State state;
        return state;
    }

    static BOOL CALLBACK MatchDialog(HWND hWnd, LPARAM found)
    {
        wchar_t className[16] = {};
        ::GetClassNameW(hWnd, className, 16);
        if (::IsWindowVisible(hWnd) && wcscmp(className, L"#32770") == 0)
        {
            *reinterpret_cast<HWND*>(found) = hWnd;
            return FALSE;
        }
        return TRUE;
    }

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        State& state = Current();
        HWND dialog = FindDialog();
        if (dialog == nullptr)
            return;
        if (::GetTickCount64() > state.deadline)
        {
            ::EndDialog(dialog, kTimedOut);
            return;
        }
        if (state.started)
            return;
        state.started = true; // the script may pump messages, and with them this timer
        if (state.script)
            state.script(dialog);
    }
};
