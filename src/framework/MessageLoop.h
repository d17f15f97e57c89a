#pragma once
// The user-interface thread's message loop with its message filters (offered every message
// before dispatch, last added first) and idle handlers (run once whenever the queue runs
// empty after a message that is not mouse movement, painting or the caret's timer).
#include <windows.h>
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

class CMessageLoop
{
public:
    CMessageLoop() = default;
    CMessageLoop(const CMessageLoop&) = delete;
    CMessageLoop& operator=(const CMessageLoop&) = delete;
    virtual ~CMessageLoop() = default;

    bool AddMessageFilter(CMessageFilter* filter);
    bool RemoveMessageFilter(CMessageFilter* filter);
    bool AddIdleHandler(CIdleHandler* handler);
    bool RemoveIdleHandler(CIdleHandler* handler);

    // Runs until WM_QUIT and returns its wParam.
    int Run();

    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Runs every idle handler once.
    virtual void OnIdle();

    // Messages that do not make the loop idle again: they come in bursts on their own.
    static bool IsIdleMessage(const MSG& msg) noexcept;

protected:
    std::vector<CMessageFilter*> m_aMsgFilter;
    std::vector<CIdleHandler*> m_aIdleHandler;
    MSG m_msg{};
};
