#include "MessageLoop.h"

#include <algorithm>

namespace
{
constexpr UINT kCaretBlinkTimer = 0x0118;

template <typename T>
bool AddOne(std::vector<T*>& items, T* item)
{
    try
    {
        items.push_back(item);
        return true;
    }
    catch (...)
    {
        return false;
    }
}

template <typename T>
bool RemoveOne(std::vector<T*>& items, T* item)
{
    auto it = std::find(items.begin(), items.end(), item);
    if (it == items.end())
        return false;
    items.erase(it);
    return true;
}
} // namespace

bool CMessageLoop::AddMessageFilter(CMessageFilter* filter)
{
    return AddOne(m_aMsgFilter, filter);
}

bool CMessageLoop::RemoveMessageFilter(CMessageFilter* filter)
{
    return RemoveOne(m_aMsgFilter, filter);
}

bool CMessageLoop::AddIdleHandler(CIdleHandler* handler)
{
    return AddOne(m_aIdleHandler, handler);
}

bool CMessageLoop::RemoveIdleHandler(CIdleHandler* handler)
{
    return RemoveOne(m_aIdleHandler, handler);
}

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
    // A filter may remove itself (or others) while handling a message, so the live list is
    // walked by index, newest first, and an index the list has shrunk below is skipped.
    for (size_t i = m_aMsgFilter.size(); i-- > 0;)
    {
        if (i >= m_aMsgFilter.size())
            continue;
        CMessageFilter* filter = m_aMsgFilter[i];
        if (filter != nullptr && filter->PreTranslateMessage(pMsg))
            return TRUE;
    }
    return FALSE;
}

void CMessageLoop::OnIdle()
{
    for (size_t i = 0; i < m_aIdleHandler.size(); ++i)
    {
        CIdleHandler* handler = m_aIdleHandler[i];
        if (handler != nullptr)
            handler->OnIdle();
    }
}
