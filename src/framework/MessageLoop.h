#pragma once
// The user-interface thread's message loop with its message filters (offered every message
// before dispatch, last added first) and idle handlers (run once whenever the queue runs
// empty after a message that is not mouse movement, painting or the caret's timer).
#include <windows.h>
#include <algorithm>
#include <vector>

class CMessageFilter
{
public:
    virtual ~CMessageFilter() = default;
    virtual BOOL PreTranslateMessage(MSG* pMsg) = 0;
};

class CIdleHandler
{
public:
    virtual ~CIdleHandler() = default;
    virtual void OnIdle() = 0;
};

// The loop's list of filters or of idle handlers. A handler may add or remove handlers, itself
// included, while the list offers a message, and a modal loop it runs may offer another one
// meanwhile. So while any walk runs, a removed entry only turns null where it stands and the
// entries keep their places: a walk offers each entry that was there when it began and still is
// at its turn, once; one added meanwhile waits for the next walk. The last walk to end closes
// the gaps.
template <typename T>
class CHandlerList
{
public:
    enum class Order { OldestFirst, NewestFirst };

    CHandlerList() = default;
    CHandlerList(const CHandlerList&) = delete;
    CHandlerList& operator=(const CHandlerList&) = delete;

    bool Add(T* item)
    {
        try
        {
            m_items.push_back(item);
            return true;
        }
        catch (...)
        {
            return false;
        }
    }

    bool Remove(T* item)
    {
        const auto it = std::find(m_items.begin(), m_items.end(), item);
        if (it == m_items.end())
            return false;
        if (m_walks > 0)
            *it = nullptr;
        else
            m_items.erase(it);
        return true;
    }

    // Calls offer with each non-null entry in order until one returns true; returns whether one did.
    template <typename Offer>
    bool OfferEach(Order order, Offer offer)
    {
        const Walk walk(*this);
        const size_t count = m_items.size();
        for (size_t i = 0; i < count; ++i)
        {
            T* item = m_items[order == Order::NewestFirst ? count - 1 - i : i];
            if (item != nullptr && offer(item))
                return true;
        }
        return false;
    }

private:
    struct Walk
    {
        explicit Walk(CHandlerList& owner) : list(owner) { ++list.m_walks; }
        Walk(const Walk&) = delete;
        Walk& operator=(const Walk&) = delete;
        ~Walk()
        {
            std::vector<T*>& items = list.m_items;
            if (--list.m_walks == 0)
                items.erase(std::remove(items.begin(), items.end(), nullptr), items.end());
        }

        CHandlerList& list;
    };

    std::vector<T*> m_items;
    int m_walks = 0; // walks in progress
};

class CMessageLoop
{
public:
    CMessageLoop() = default;
    CMessageLoop(const CMessageLoop&) = delete;
    CMessageLoop& operator=(const CMessageLoop&) = delete;
    virtual ~CMessageLoop() = default;

    bool AddMessageFilter(CMessageFilter* filter) { return m_aMsgFilter.Add(filter); }
    bool RemoveMessageFilter(CMessageFilter* filter) { return m_aMsgFilter.Remove(filter); }
    bool AddIdleHandler(CIdleHandler* handler) { return m_aIdleHandler.Add(handler); }
    bool RemoveIdleHandler(CIdleHandler* handler) { return m_aIdleHandler.Remove(handler); }

    // Runs until WM_QUIT and returns its wParam.
    int Run();

    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Runs every idle handler once.
    virtual void OnIdle();

    // Messages that do not make the loop idle again: they come in bursts on their own.
    static bool IsIdleMessage(const MSG& msg) noexcept;

protected:
    CHandlerList<CMessageFilter> m_aMsgFilter;
    CHandlerList<CIdleHandler> m_aIdleHandler;
    MSG m_msg{};
};
