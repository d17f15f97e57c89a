#pragma once
// Driving the program's menu bar, the system's own, as a user at the keyboard would: real keys
// (SendInput) to the frame once it is the foreground window. Alt with a menu's mnemonic drops
// that menu, Down moves the highlight, an item's mnemonic chooses the item, Escape closes.
// Another process cannot read a menu under Wine, so the items of an open popup are read from
// inside the program through the probe.
#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

class OrvaneProcess;

// The menus of the menu bar, by the mnemonic that drops each.
enum MenuBarMenu : wchar_t
{
    kFileMenu = L'F',
    kNotificationsMenu = L'N',
    kViewMenu = L'V',
    kHelpMenu = L'H',
};

struct MenuItem
{
    UINT id = 0;
    UINT type = 0;  // MFT_*
    UINT state = 0; // MFS_*
    std::wstring text;

    [[nodiscard]] bool IsSeparator() const noexcept { return (type & MFT_SEPARATOR) != 0; }
    [[nodiscard]] bool IsGrayed() const noexcept { return (state & MFS_DISABLED) != 0; }
    [[nodiscard]] bool IsChecked() const noexcept { return (state & MFS_CHECKED) != 0; }
    [[nodiscard]] bool IsHighlighted() const noexcept { return (state & MFS_HILITE) != 0; }
    // The item as a user reads it: its text, then " (gray)" and " (marked)"; "-" for a separator.
    [[nodiscard]] std::wstring Shown() const;
};

// Parses the probe's description of a menu; false on a malformed line.
bool ParseMenuDescription(const std::wstring& description, std::vector<MenuItem>& items);

// Ctrl+key as real keyboard input, to whatever window has the focus: an accelerator (Ctrl+N,
// Ctrl+S) the way a user presses it.
bool PressCtrlAnd(WORD key);

class MenuDriver
{
public:
    explicit MenuDriver(OrvaneProcess& process) : m_process(process) {}

    // Real keys once the frame is the foreground window with a focused child: each key pressed
    // in order, then released in reverse ({VK_MENU, 'F'} is Alt+F). Returns once the input is
    // queued, not once the program has read it.
    bool TypeKeys(std::initializer_list<WORD> keys);
    // Types Alt and the menu's mnemonic and waits for the popup menu window of the program.
    bool Open(MenuBarMenu menu);
    // The open popup menu window ("#32768") of the program, or null.
    [[nodiscard]] HWND OpenPopup() const;
    bool ReadOpenPopup(std::vector<MenuItem>& items);
    // The items of menu as shown (MenuItem::Shown); empty when it cannot be opened or read.
    std::vector<std::wstring> ShownItems(MenuBarMenu menu);
    // Waits for a popup to open, then presses Down until its item with command id is highlighted.
    bool Highlight(UINT id);
    // Drops menu and types the mnemonic of its item with command id; true once the menu has
    // closed. A command that ends the program counts as chosen.
    bool Choose(MenuBarMenu menu, UINT id);
    // Presses Escape until the program's thread has left its menu.
    bool CloseAll();
    // Whether the program's thread is in a menu, a popup dropped or only the bar selected.
    [[nodiscard]] bool InMenu() const;

private:
    OrvaneProcess& m_process;
};
