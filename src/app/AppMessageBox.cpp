#include "AppMessageBox.h"
#include "ErrorDescription.h"

#include "CenterWindow.h"
#include "LastError.h"
#include "ModulePath.h"
#include "UniqueHandle.h"
#include "WideString.h"
#include "resource.h"

#include <shlwapi.h>

namespace
{
constexpr int kTitleLength = 80;
wchar_t g_title[kTitleLength];

// The CBT hook of the box being set up; it removes itself once the box activates.
unique_hhook g_boxHook;

// The monitor that whoever started the process asked for, passed in the start-up record's
// standard-output field: where a box without owner appears. Null when there is none.
HMONITOR GetStartupMonitor()
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    ::GetStartupInfoW(&startup);
    auto* monitor = reinterpret_cast<HMONITOR>(startup.hStdOutput);
    if (monitor == nullptr)
        return nullptr;
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    return ::GetMonitorInfoW(monitor, &info) ? monitor : nullptr;
}

LRESULT CALLBACK CenterBoxHook(int code, WPARAM wParam, LPARAM lParam) noexcept
{
    if (code == HCBT_ACTIVATE)
    {
        // The box is about to become active: it exists, has its size, and is not yet on screen.
        CenterOnOwner(reinterpret_cast<HWND>(wParam), GetStartupMonitor());
        g_boxHook.reset();
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// The top-level window the user is working in, or its last popup (a dialog it has open).
HWND FindBoxOwner() noexcept
{
    HWND window = ::GetActiveWindow();
    while (window != nullptr && (::GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) != 0)
        window = ::GetParent(window);
    return window != nullptr ? ::GetLastActivePopup(window) : nullptr;
}

UINT DefaultIcon(HRESULT hr) noexcept
{
    if (hr < 0)
        return MB_ICONERROR;
    return hr == 0 ? MB_ICONINFORMATION : MB_ICONWARNING;
}

// The title of every box: string IDS_APP_TITLE, or the executable's file name without it.
LPCWSTR GetAppTitle()
{
    if (g_title[0] != L'\0')
        return g_title;
    if (::LoadStringW(GetResourceInstance(), IDS_APP_TITLE, g_title, kTitleLength) > 0)
        return g_title;
    wchar_t path[MAX_PATH];
    if (!GetModulePath(nullptr, path))
        return g_title;
    ::lstrcpynW(g_title, ::PathFindFileNameW(path), kTitleLength);
    return g_title;
}

// Shows text as it is (never used as a format again), owned by the active window's last popup.
int ShowMessageBox(LPCWSTR text, UINT uType)
{
    g_boxHook.reset(::SetWindowsHookExW(WH_CBT, CenterBoxHook, nullptr, ::GetCurrentThreadId()));
    const int result = ::MessageBoxW(FindBoxOwner(), text, GetAppTitle(), uType);
    // A box that failed before it ever activated leaves the hook behind: the next window
    // activated on this thread must not be moved in its place.
    g_boxHook.reset();
    return result;
}
} // namespace

int AppMessageBox(UINT nID, UINT uType, HRESULT hr, ...)
{
    // Before anything else runs: loading the string may change the last error. A failure that
    // left no error behind is still a failure.
    if (hr == -1)
        hr = LastErrorResult();
    va_list args;
    va_start(args, hr);
    const int result = RunReportingOutOfMemory([&] {
        CString text;
        text.AppendFormatV(nID, args);
        if ((uType & MB_ICONMASK) == 0)
            uType |= DefaultIcon(hr);
        if (hr < 0)
        {
            wchar_t description[kErrorDescriptionLength];
            if (GetErrorDescription(hr, description))
                text.Append(L"\n\n").Append(description);
            else
                AppendHexErrorCode(text, hr);
        }
        return ShowMessageBox(text, uType);
    });
    va_end(args);
    return result;
}
