#include "OrvaneRun.h"

#include "WindowQuery.h"

HRESULT COrvaneRun::Start(const std::wstring& exe, int showCommand, DWORD timeoutMs)
{
    const HRESULT hr = m_process.Start(exe, {}, showCommand);
    if (FAILED(hr))
        return hr;
    m_frame = m_process.WaitForMainWindow(L"Orvane", timeoutMs);
    m_view = m_frame != nullptr ? FindChild(m_frame, kViewId) : nullptr;
    if (m_view == nullptr)
        return HRESULT_FROM_WIN32(ERROR_TIMEOUT);
    FlushPainting(m_frame);
    return S_OK;
}

bool COrvaneRun::ReadLog(std::wstring& text) const
{
    return ReadWindowText(m_view, text, 30000);
}

bool COrvaneRun::SendEvent(UINT_PTR eventType, LPARAM data) const
{
    DWORD_PTR answer = 0;
    return ::SendMessageTimeoutW(m_frame, WM_DEVICECHANGE, eventType, data, SMTO_NORMAL, 30000, &answer) &&
           answer == TRUE;
}

bool CloseOrvaneWithoutPrompt(CTargetProcess& process, HWND frame, DWORD timeoutMs)
{
    HWND view = frame != nullptr ? FindChild(frame, COrvaneRun::kViewId) : nullptr;
    DWORD_PTR ignored = 0;
    if (view != nullptr)
        ::SendMessageTimeoutW(view, EM_SETMODIFY, FALSE, 0, SMTO_NORMAL, timeoutMs, &ignored);
    return process.Close(frame, timeoutMs);
}
