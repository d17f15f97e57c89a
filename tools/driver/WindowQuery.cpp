#include "WindowQuery.h"

namespace
{
struct TopLevelSearch
{
    DWORD processId;
    const wchar_t* className;
    const wchar_t* title;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<TopLevelSearch*>(lParam);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    if (processId != search->processId || !::IsWindowVisible(window))
        return TRUE;
    if (search->className != nullptr && WindowClassName(window) != search->className)
        return TRUE;
    if (search->title != nullptr)
    {
        wchar_t title[256] = {};
        ::GetWindowTextW(window, title, static_cast<int>(std::size(title)));
        if (::lstrcmpW(title, search->title) != 0)
            return TRUE;
    }
    search->found.push_back(window);
    return TRUE;
}
} // namespace

std::vector<HWND> FindTopLevelWindows(DWORD processId, const wchar_t* className, const wchar_t* title)
{
    TopLevelSearch search{processId, className, title, {}};
    ::EnumWindows(&CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindMainWindow(DWORD processId, const wchar_t* title)
{
    for (HWND window : FindTopLevelWindows(processId, nullptr, title))
    {
        if (::GetWindow(window, GW_OWNER) == nullptr && WindowClassName(window) != L"#32770")
            return window;
    }
    return nullptr;
}

std::vector<HWND> ChildWindows(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

HWND FindChild(HWND parent, int id, const wchar_t* className)
{
    for (HWND child : ChildWindows(parent))
    {
        if (::GetDlgCtrlID(child) == id && (className == nullptr || WindowClassName(child) == className))
            return child;
    }
    return nullptr;
}

std::wstring WindowClassName(HWND window)
{
    wchar_t name[256] = {};
    const int length = ::GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return std::wstring(name, length > 0 ? static_cast<size_t>(length) : 0);
}

bool ReadWindowText(HWND window, std::wstring& text, DWORD timeoutMs)
{
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, timeoutMs, &length))
        return false;
    std::wstring buffer(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                               SMTO_NORMAL, timeoutMs, &copied))
        return false;
    buffer.resize(copied);
    text = std::move(buffer);
    return true;
}

RECT WindowRect(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

RECT ClientRectOnScreen(HWND window)
{
    RECT rect{};
    ::GetClientRect(window, &rect);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

HWND FocusOfThread(DWORD threadId)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return ::GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}
