#pragma once
// The application module: the map from thread id to the message loop running on that thread,
// guarded by one critical section.
#include "MessageLoop.h"

#include <map>
#include <memory>

class CAppModule
{
public:
    CAppModule();
    CAppModule(const CAppModule&) = delete;
    CAppModule& operator=(const CAppModule&) = delete;
    ~CAppModule();

    HRESULT Init();
    void Term();

    bool AddMessageLoop(CMessageLoop* loop);
    bool RemoveMessageLoop();

private:
    // Kept: each thread's loop while it runs, though windows are handed their loop directly.
    std::unique_ptr<std::map<DWORD, CMessageLoop*>> m_pMsgLoopMap;
    CRITICAL_SECTION m_lock;
};
