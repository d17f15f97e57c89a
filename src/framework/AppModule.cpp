#include "AppModule.h"

namespace
{
class CLockGuard
{
public:
    explicit CLockGuard(CRITICAL_SECTION& lock) noexcept : m_lock(lock) { ::EnterCriticalSection(&m_lock); }
    CLockGuard(const CLockGuard&) = delete;
    CLockGuard& operator=(const CLockGuard&) = delete;
    ~CLockGuard() { ::LeaveCriticalSection(&m_lock); }

private:
    CRITICAL_SECTION& m_lock;
};
} // namespace

CAppModule::CAppModule()
{
    ::InitializeCriticalSection(&m_lock);
}

CAppModule::~CAppModule()
{
    Term();
    ::DeleteCriticalSection(&m_lock);
}

HRESULT CAppModule::Init()
{
    CLockGuard guard(m_lock);
    try
    {
        m_pMsgLoopMap = std::make_unique<std::map<DWORD, CMessageLoop*>>();
    }
    catch (...)
    {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

void CAppModule::Term()
{
    CLockGuard guard(m_lock);
    m_pMsgLoopMap.reset();
}

bool CAppModule::AddMessageLoop(CMessageLoop* loop)
{
    CLockGuard guard(m_lock);
    if (!m_pMsgLoopMap || loop == nullptr)
        return false;
    try
    {
        return m_pMsgLoopMap->emplace(::GetCurrentThreadId(), loop).second;
    }
    catch (...)
    {
        return false;
    }
}

bool CAppModule::RemoveMessageLoop()
{
    CLockGuard guard(m_lock);
    return m_pMsgLoopMap && m_pMsgLoopMap->erase(::GetCurrentThreadId()) == 1;
}

CMessageLoop* CAppModule::GetMessageLoop(DWORD threadId)
{
    CLockGuard guard(m_lock);
    if (!m_pMsgLoopMap)
        return nullptr;
    const auto found = m_pMsgLoopMap->find(threadId);
    return found != m_pMsgLoopMap->end() ? found->second : nullptr;
}
