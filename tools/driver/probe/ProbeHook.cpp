// The probe library: loaded by the system into the user-interface thread of the program under
// test when the tests hook that thread, it answers the questions of ProbeProtocol.h from inside.
// It only reads: it changes no state of the program, and it never throws.
#include "ProbeProtocol.h"

#include <commctrl.h>

#include <string>

namespace
{
UINT MessageOf(ProbeRequest request)
{
    return ::RegisterWindowMessageW(ProbeRequestMessageName(request));
}

void Answer(HWND answerWindow, ProbeRequest request, const std::wstring& text)
{
    COPYDATASTRUCT data{};
    data.dwData = static_cast<ULONG_PTR>(request);
    data.cbData = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    data.lpData = const_cast<wchar_t*>(text.data());
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(answerWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 5000, &ignored);
}

std::wstring DescribeMenu(HMENU menu)
{
    std::wstring text;
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i)
    {
        wchar_t label[256] = {};
        MENUITEMINFOW item{};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
        item.dwTypeData = label;
        item.cch = static_cast<UINT>(std::size(label));
        if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item))
            continue;
        text += std::to_wstring(item.wID) + L'\t' + std::to_wstring(item.fType) + L'\t' +
                std::to_wstring(item.fState) + L'\t' + label + L'\n';
    }
    return text;
}

std::wstring StatusBarText(HWND statusBar)
{
    const bool simple = ::SendMessageW(statusBar, SB_ISSIMPLE, 0, 0) != 0;
    // In simple mode part 0 stands for the simple text.
    const LRESULT lengthAndType = ::SendMessageW(statusBar, SB_GETTEXTLENGTHW, 0, 0);
    std::wstring buffer(static_cast<size_t>(LOWORD(lengthAndType)) + 1, L'\0');
    ::SendMessageW(statusBar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(::wcslen(buffer.c_str()));
    return std::wstring(simple ? L"1\t" : L"0\t") + buffer;
}

std::wstring StaticIcon(HWND control)
{
    const auto shown = reinterpret_cast<HICON>(::SendMessageW(control, STM_GETICON, 0, 0));
    if (shown == nullptr)
        return L"none";
    // Shared system icons are cached per process, so the box's icon is the very same handle.
    const struct
    {
        LPCWSTR id;
        const wchar_t* name;
    } known[] = {
        {IDI_QUESTION, L"IDI_QUESTION"},
        {IDI_ERROR, L"IDI_ERROR"},
        {IDI_WARNING, L"IDI_WARNING"},
        {IDI_INFORMATION, L"IDI_INFORMATION"},
    };
    for (const auto& candidate : known)
    {
        if (::LoadIconW(nullptr, candidate.id) == shown)
            return candidate.name;
    }
    return L"other";
}

std::wstring WindowFont(HWND window)
{
    const auto font = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
    LOGFONTW description{};
    if (font == nullptr || ::GetObjectW(font, sizeof(description), &description) != sizeof(description))
        return L"";
    constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring hex;
    const auto* bytes = reinterpret_cast<const BYTE*>(&description);
    for (size_t i = 0; i < sizeof(description); ++i)
    {
        hex += kDigits[bytes[i] >> 4];
        hex += kDigits[bytes[i] & 0xF];
    }
    return hex;
}
} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeCallWndProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION)
    {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        const auto answerWindow = reinterpret_cast<HWND>(call->wParam);
        try
        {
            if (call->message == MessageOf(ProbeRequest::DescribeMenu))
                Answer(answerWindow, ProbeRequest::DescribeMenu, DescribeMenu(reinterpret_cast<HMENU>(call->lParam)));
            else if (call->message == MessageOf(ProbeRequest::StatusBarText))
                Answer(answerWindow, ProbeRequest::StatusBarText, StatusBarText(reinterpret_cast<HWND>(call->lParam)));
            else if (call->message == MessageOf(ProbeRequest::StaticIcon))
                Answer(answerWindow, ProbeRequest::StaticIcon, StaticIcon(reinterpret_cast<HWND>(call->lParam)));
            else if (call->message == MessageOf(ProbeRequest::WindowFont))
                Answer(answerWindow, ProbeRequest::WindowFont, WindowFont(reinterpret_cast<HWND>(call->lParam)));
        }
        catch (...)
        {
            // Out of memory inside someone else's process: no answer, the test times out.
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeGetMessage(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == PM_REMOVE)
    {
        auto* msg = reinterpret_cast<MSG*>(lParam);
        if (msg->message == ::RegisterWindowMessageW(kProbeSyncMessageName))
        {
            ::PostMessageW(reinterpret_cast<HWND>(msg->wParam), kProbeSyncDone, 0, msg->lParam);
            // Nothing of the program's should see the test's marker.
            msg->message = WM_NULL;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
