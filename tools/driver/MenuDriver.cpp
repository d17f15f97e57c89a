#include "MenuDriver.h"

#include "OrvaneProcess.h"
#include "Wait.h"
#include "WindowQuery.h"

#include <cwctype>
#include <sstream>

namespace
{
constexpr wchar_t kPopupMenuClass[] = L"#32768";
constexpr int kMenuAttempts = 3;

// Each key down in order, then each up in reverse order.
bool SendKeys(std::initializer_list<WORD> keys)
{
    std::vector<INPUT> inputs(2 * keys.size());
    size_t down = 0;
    size_t up = inputs.size();
    for (WORD key : keys)
    {
        inputs[down].type = inputs[--up].type = INPUT_KEYBOARD;
        inputs[down++].ki.wVk = inputs[up].ki.wVk = key;
        inputs[up].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    return ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

int HighlightedIndex(const std::vector<MenuItem>& items)
{
    for (size_t i = 0; i < items.size(); ++i)
    {
        if (items[i].IsHighlighted())
            return static_cast<int>(i);
    }
    return -1;
}

// The letter after the text's "&", upper case; 0 without one.
WORD Mnemonic(const std::wstring& text)
{
    const size_t amp = text.find(L'&');
    return amp + 1 < text.size() ? static_cast<WORD>(std::towupper(text[amp + 1])) : 0;
}
} // namespace

std::wstring MenuItem::Shown() const
{
    if (IsSeparator())
        return L"-";
    return text + (IsGrayed() ? L" (gray)" : L"") + (IsChecked() ? L" (marked)" : L"");
}

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

bool PressCtrlAnd(WORD key)
{
    return SendKeys({VK_CONTROL, key});
}

bool MenuDriver::TypeKeys(std::initializer_list<WORD> keys)
{
    // Under X the frame becomes the foreground window a moment after it shows or after a dialog
    // closes; keys typed before then go nowhere.
    return WaitUntil([this] {
               return ::GetForegroundWindow() == m_process.Frame() && FocusOfThread(m_process.ThreadId()) != nullptr;
           }) &&
           SendKeys(keys);
}

bool MenuDriver::Open(MenuBarMenu menu)
{
    return TypeKeys({VK_MENU, static_cast<WORD>(menu)}) && WaitUntil([this] { return OpenPopup() != nullptr; });
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

std::vector<std::wstring> MenuDriver::ShownItems(MenuBarMenu menu)
{
    std::vector<MenuItem> items;
    std::vector<std::wstring> shown;
    if (Open(menu) && ReadOpenPopup(items))
    {
        for (const MenuItem& item : items)
            shown.push_back(item.Shown());
    }
    return CloseAll() ? shown : std::vector<std::wstring>{};
}

bool MenuDriver::Highlight(UINT id)
{
    std::vector<MenuItem> items;
    if (!WaitUntil([&] { return ReadOpenPopup(items); }))
        return false;
    // Each Down moves one item on, wrapping at the end: one lap is enough to meet every item.
    for (size_t step = 0; step <= items.size(); ++step)
    {
        const int at = HighlightedIndex(items);
        if (at >= 0 && items[static_cast<size_t>(at)].id == id)
            return true;
        if (!TypeKeys({VK_DOWN}) || !WaitUntil([&] { return ReadOpenPopup(items) && HighlightedIndex(items) != at; }))
            return false;
    }
    return false;
}

bool MenuDriver::Choose(MenuBarMenu menu, UINT id)
{
    // Under X, the focus coming back to the frame after a dialog may arrive late and close a
    // popup that has just opened; such a popup is opened again.
    WORD mnemonic = 0;
    for (int attempt = 0; attempt < kMenuAttempts && mnemonic == 0; ++attempt)
    {
        std::vector<MenuItem> items;
        if (Open(menu) && ReadOpenPopup(items))
        {
            for (const MenuItem& item : items)
                mnemonic = item.id == id ? Mnemonic(item.text) : mnemonic;
            if (mnemonic == 0)
                return CloseAll(), false;
        }
        else if (!CloseAll())
            return false;
    }
    return mnemonic != 0 && TypeKeys({mnemonic}) && WaitUntil([this] { return !m_process.IsRunning() || !InMenu(); });
}

bool MenuDriver::CloseAll()
{
    // Escape closes the dropped popup first and leaves its menu selected in the bar; a second
    // one leaves the bar.
    for (int attempt = 0; attempt < 4 && InMenu(); ++attempt)
    {
        const HWND popup = OpenPopup();
        if (!TypeKeys({VK_ESCAPE}))
            return false;
        WaitUntil([&] { return !InMenu() || OpenPopup() != popup; }, 2000);
    }
    return !InMenu() && m_process.Sync();
}

bool MenuDriver::InMenu() const
{
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return ::GetGUIThreadInfo(m_process.ThreadId(), &info) && (info.flags & GUI_INMENUMODE) != 0;
}
