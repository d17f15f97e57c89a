#include "Wait.h"

#include <algorithm>

void PumpMessages(DWORD waitMs)
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    if (waitMs != 0)
        ::MsgWaitForMultipleObjectsEx(0, nullptr, waitMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;)
    {
        PumpMessages(0);
        if (condition())
            return true;
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline)
            return false;
        // Wake for our own messages at once, otherwise look again shortly.
        PumpMessages(static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 10)));
    }
}
