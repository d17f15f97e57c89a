#include "MessageLoop.h"

namespace
{
constexpr UINT kCaretBlinkTimer = 0x0118;
} // namespace

bool CMessageLoop::IsIdleMessage(const MSG& msg) noexcept
{
    switch (msg.message)
    {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_PAINT:
    case kCaretBlinkTimer:
        return false;
    default:
        return true;
    }
}

int CMessageLoop::Run()
{
    bool doIdle = true;
    for (;;)
    {
        if (doIdle && !::PeekMessageW(&m_msg, nullptr, 0, 0, PM_NOREMOVE))
        {
            OnIdle();
            doIdle = false;
        }

        const BOOL got = ::GetMessageW(&m_msg, nullptr, 0, 0);
        if (got == -1)
            continue;
        if (!got)
            return static_cast<int>(m_msg.wParam);

        if (!PreTranslateMessage(&m_msg))
        {
            ::TranslateMessage(&m_msg);
            ::DispatchMessageW(&m_msg);
        }

        if (IsIdleMessage(m_msg))
            doIdle = true;
    }
}

BOOL CMessageLoop::PreTranslateMessage(MSG* pMsg)
{
    const auto consumes = [pMsg](CMessageFilter* filter) { return filter->PreTranslateMessage(pMsg) != FALSE; };
    return m_aMsgFilter.OfferEach(CHandlerList<CMessageFilter>::Order::NewestFirst, consumes) ? TRUE : FALSE;
}

void CMessageLoop::OnIdle()
{
    m_aIdleHandler.OfferEach(CHandlerList<CIdleHandler>::Order::OldestFirst, [](CIdleHandler* handler) {
        handler->OnIdle();
        return false;
    });
}
