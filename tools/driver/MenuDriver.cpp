#include "MenuDriver.h"

#include "OrvaneProcess.h"
#include "Wait.h"
#include "WindowQuery.h"

#include <commctrl.h>

#include <cstdio>
#include <cwctype>
#include <sstream>

namespace
{
constexpr wchar_t kPopupMenuClass[] = L"#32768";
// The keyboard's context bit: the key came with Alt held.
constexpr LPARAM kAltDown = 1 << 29;
constexpr LPARAM kKeyUpBits = (1 << 30) | (1u << 31);
constexpr int kMenuAttempts = 3;

LPARAM KeyData(UINT virtualKey, LPARAM flags)
{
    const UINT scanCode = ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    return 1 | (static_cast<LPARAM>(scanCode) << 16) | flags;
}
} // namespace

bool ParseMenuDescription(const std::wstring& description, std::vector<MenuItem>& items)
{
    items.clear();
    std::wistringstream lines(description);
    std::wstring line;
    while (std::getline(lines, line))
    {
        MenuItem item;
        const size_t first = line.find(L'\t');
        const size_t second = first == std::wstring::npos ? first : line.find(L'\t', first + 1);
        const size_t third = second == std::wstring::npos ? second : line.find(L'\t', second + 1);
        if (third == std::wstring::npos)
            return false;
        try
        {
            item.id = static_cast<UINT>(std::stoul(line.substr(0, first)));
            item.type = static_cast<UINT>(std::stoul(line.substr(first + 1, second - first - 1)));
            item.state = static_cast<UINT>(std::stoul(line.substr(second + 1, third - second - 1)));
        }
        catch (const std::exception&)
        {
            return false;
        }
        item.text = line.substr(third + 1);
        items.push_back(std::move(item));
    }
    return true;
}

bool MenuDriver::OpenWithMnemonic(wchar_t mnemonic)
{
    const UINT key = static_cast<UINT>(std::towupper(mnemonic));
    // A user's Alt+F reaches the focused window (the log view) as a system key; the program's
    // own loop translates it into the menu command.
    HWND target = m_process.View();
    if (!::PostMessageW(target, WM_SYSKEYDOWN, VK_MENU, KeyData(VK_MENU, kAltDown)) ||
        !::PostMessageW(target, WM_SYSKEYDOWN, key, KeyData(key, kAltDown)) ||
        !::PostMessageW(target, WM_SYSKEYUP, key, KeyData(key, kAltDown | kKeyUpBits)))
        return false;
    return WaitUntil([this] { return OpenPopup() != nullptr; });
}

bool MenuDriver::OpenWithClick(int index)
{
    HWND bar = m_process.CommandBar();
    std::wstring answer;
    if (bar == nullptr || !m_process.Probe().Query(bar, ProbeRequest::ToolbarButtonRect, index, answer))
        return false;
    RECT button{};
    if (std::swscanf(answer.c_str(), L"%ld %ld %ld %ld", &button.left, &button.top, &button.right, &button.bottom) != 4)
        return false;
    const LPARAM centre = MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    // The pointer comes to the button, then presses it: the bar drops the popup on the press.
    return ::PostMessageW(bar, WM_MOUSEMOVE, 0, centre) && ::PostMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, centre) &&
           WaitUntil([this] { return OpenPopup() != nullptr; });
}

HWND MenuDriver::OpenPopup() const
{
    const auto popups = FindTopLevelWindows(m_process.ProcessId(), kPopupMenuClass);
    return popups.empty() ? nullptr : popups.front();
}

bool MenuDriver::ReadOpenPopup(std::vector<MenuItem>& items)
{
    HWND popup = OpenPopup();
    if (popup == nullptr)
        return false;
    DWORD_PTR menu = 0;
    if (!::SendMessageTimeoutW(popup, MN_GETHMENU, 0, 0, SMTO_NORMAL, kDefaultWaitMs, &menu) || menu == 0)
        return false;
    std::wstring description;
    if (!m_process.Probe().Query(m_process.Frame(), ProbeRequest::DescribeMenu, static_cast<LPARAM>(menu),
                                 description))
        return false;
    return ParseMenuDescription(description, items);
}

bool MenuDriver::Highlight(UINT id)
{
    std::vector<MenuItem> items;
    if (!ReadOpenPopup(items))
        return false;
    // Each Down moves one item on, wrapping at the end: one lap is enough to meet every item.
    for (size_t step = 0; step <= items.size(); ++step)
    {
        for (const MenuItem& item : items)
        {
            if (item.id == id && item.IsHighlighted())
                return true;
        }
        if (!PressKey(VK_DOWN) || !ReadOpenPopup(items))
            return false;
    }
    return false;
}

bool MenuDriver::Choose(MenuBarButton button, UINT id)
{
    // Under X, the focus coming back to the frame after a dialog may arrive late and close a
    // popup that has just opened; such a popup is opened again.
    bool highlighted = false;
    for (int attempt = 0; attempt < kMenuAttempts && !highlighted; ++attempt)
    {
        highlighted = OpenWithClick(button) && Highlight(id);
        if (!highlighted && OpenPopup() != nullptr)
        {
            CloseAll();
            return false;
        }
    }
    // Enter, without waiting for an answer from the program: the command may end it (File > Exit).
    HWND frame = m_process.Frame();
    if (!highlighted || !::PostMessageW(frame, WM_KEYDOWN, VK_RETURN, KeyData(VK_RETURN, 0)) ||
        !::PostMessageW(frame, WM_KEYUP, VK_RETURN, KeyData(VK_RETURN, kKeyUpBits)) ||
        !WaitUntil([this] { return OpenPopup() == nullptr || !m_process.IsRunning(); }))
        return false;
    // Otherwise the bar keeps showing the clicked button as hot.
    if (m_process.IsRunning())
        ::PostMessageW(m_process.CommandBar(), WM_MOUSELEAVE, 0, 0);
    return true;
}

bool MenuDriver::CloseAll()
{
    for (int attempt = 0; attempt < 4 && OpenPopup() != nullptr; ++attempt)
    {
        if (!PressKey(VK_ESCAPE))
            return false;
        WaitUntil([this] { return OpenPopup() == nullptr; }, 2000);
    }
    return OpenPopup() == nullptr && m_process.Sync();
}

bool PressCtrlAnd(WORD key)
{
    INPUT inputs[4] = {};
    const WORD keys[4] = {VK_CONTROL, key, key, VK_CONTROL};
    for (int i = 0; i < 4; ++i)
    {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = keys[i];
        inputs[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    return ::SendInput(4, inputs, sizeof(INPUT)) == 4;
}

bool MenuDriver::PressKey(UINT virtualKey)
{
    // While a popup is open the menu's own loop reads the keys from the thread's queue.
    HWND target = m_process.Frame();
    return ::PostMessageW(target, WM_KEYDOWN, virtualKey, KeyData(virtualKey, 0)) &&
           ::PostMessageW(target, WM_KEYUP, virtualKey, KeyData(virtualKey, kKeyUpBits)) && m_process.Sync();
}

bool MenuDriver::TypeKey(WORD virtualKey)
{
    // Under X the frame becomes the foreground window a moment after it shows; keys typed
    // before then go nowhere.
    if (!WaitUntil([this] {
            return ::GetForegroundWindow() == m_process.Frame() && FocusOfThread(m_process.ThreadId()) != nullptr;
        }))
        return false;
    INPUT inputs[2] = {};
    for (int i = 0; i < 2; ++i)
    {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = virtualKey;
        inputs[i].ki.dwFlags = i == 0 ? 0 : KEYEVENTF_KEYUP;
    }
    return ::SendInput(2, inputs, sizeof(INPUT)) == 2;
}

int MenuDriver::SelectedMenu() const
{
    DWORD_PTR hot = 0;
    HWND bar = m_process.CommandBar();
    if (bar == nullptr || !::SendMessageTimeoutW(bar, TB_GETHOTITEM, 0, 0, SMTO_NORMAL, kDefaultWaitMs, &hot))
        return -2;
    return static_cast<int>(static_cast<LRESULT>(hot));
}

std::wstring MenuDriver::OpenPopupFirstItem(bool* highlighted)
{
    std::vector<MenuItem> items;
    if (!ReadOpenPopup(items) || items.empty())
        return {};
    if (highlighted != nullptr)
        *highlighted = items.front().IsHighlighted();
    return items.front().text;
}
