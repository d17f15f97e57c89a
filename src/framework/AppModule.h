#pragma once
// The application module: the map from thread id to the message loop running on that thread,
// guarded by one critical section. A window finds its thread's loop there.
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

    // Registers loop, or removes the registration, of the calling thread.
    bool AddMessageLoop(CMessageLoop* loop);
    bool RemoveMessageLoop();
    // The loop registered for threadId; null when there is none.
    CMessageLoop* GetMessageLoop(DWORD threadId);

private:
    std::unique_ptr<std::map<DWORD, CMessageLoop*>> m_pMsgLoopMap;
    CRITICAL_SECTION m_lock;
};

// The process's one module, which the program built on the framework defines.
extern CAppModule g_appModule;
