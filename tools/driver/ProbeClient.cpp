#include "ProbeClient.h"

#include "LastError.h"
#include "ProgramPaths.h"
#include "Wait.h"

namespace
{
constexpr wchar_t kAnswerWindowClass[] = L"OrvaneE2E.ProbeAnswer";
} // namespace

ProbeClient::~ProbeClient() = default;

HRESULT ProbeClient::Attach(DWORD threadId)
{
    const std::wstring path = PathBesideThisProgram(L"orvane_probe.dll");
    if (path.empty())
        return E_FAIL;
    m_library.reset(::LoadLibraryW(path.c_str()));
    if (!m_library)
        return LastErrorResult();

    const auto callWndProc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(
        ::GetProcAddress(m_library.get(), kProbeCallWndProcExport)));
    const auto getMessage = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(
        ::GetProcAddress(m_library.get(), kProbeGetMessageExport)));
    if (callWndProc == nullptr || getMessage == nullptr)
        return LastErrorResult();

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &ProbeClient::AnswerWindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kAnswerWindowClass;
    if (!::RegisterClassExW(&windowClass) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return LastErrorResult();
    m_answerWindow.reset(::CreateWindowExW(0, kAnswerWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                           windowClass.hInstance, nullptr));
    if (!m_answerWindow)
        return LastErrorResult();
    ::SetWindowLongPtrW(m_answerWindow.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

    m_callWndProcHook.reset(::SetWindowsHookExW(WH_CALLWNDPROC, callWndProc, m_library.get(), threadId));
    if (!m_callWndProcHook)
        return LastErrorResult();
    m_getMessageHook.reset(::SetWindowsHookExW(WH_GETMESSAGE, getMessage, m_library.get(), threadId));
    if (!m_getMessageHook)
    {
        const HRESULT hr = LastErrorResult();
        m_callWndProcHook.reset();
        return hr;
    }
    return S_OK;
}

bool ProbeClient::Query(HWND target, ProbeRequest request, LPARAM argument, std::wstring& answer, DWORD timeoutMs)
{
    if (!IsAttached())
        return false;
    m_pendingRequest = request;
    m_answered = false;
    m_answer.clear();
    DWORD_PTR ignored = 0;
    // The probe answers from inside the send, which this thread serves while it waits.
    if (!::SendMessageTimeoutW(target, ::RegisterWindowMessageW(ProbeRequestMessageName(request)),
                               reinterpret_cast<WPARAM>(m_answerWindow.get()), argument, SMTO_NORMAL, timeoutMs,
                               &ignored))
        return false;
    if (!WaitUntil([this] { return m_answered; }, timeoutMs))
        return false;
    answer = m_answer;
    return true;
}

bool ProbeClient::Sync(HWND target, DWORD timeoutMs)
{
    if (!IsAttached())
        return false;
    const LPARAM cookie = ++m_syncCookie;
    if (!::PostMessageW(target, ::RegisterWindowMessageW(kProbeSyncMessageName),
                        reinterpret_cast<WPARAM>(m_answerWindow.get()), cookie))
        return false;
    return WaitUntil([this, cookie] { return m_syncDone == cookie; }, timeoutMs);
}

LRESULT CALLBACK ProbeClient::AnswerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<ProbeClient*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && message == WM_COPYDATA)
    {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data->dwData != static_cast<ULONG_PTR>(self->m_pendingRequest))
            return FALSE;
        try
        {
            self->m_answer.assign(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
            self->m_answered = true;
        }
        catch (...)
        {
            return FALSE;
        }
        return TRUE;
    }
    if (self != nullptr && message == kProbeSyncDone)
    {
        self->m_syncDone = lParam;
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}
