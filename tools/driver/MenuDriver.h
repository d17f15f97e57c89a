#pragma once
// Driving the program's menus as a user at the keyboard would: Alt with a popup's mnemonic drops
// the popup, arrow keys move the highlight, Escape closes. The keys are posted to the program's
// thread, so they work whichever window has the focus on the (virtual) desktop. Item states are
// read from inside the program through the probe.
#include <windows.h>

#include <string>
#include <vector>

class OrvaneProcess;

// The menu bar's buttons, left to right.
enum MenuBarButton : int
{
    kFileMenu,
    kNotificationsMenu,
    kViewMenu,
    kHelpMenu,
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

    // Presses Alt+mnemonic in the log view and waits for a popup menu window of the program.
    bool OpenWithMnemonic(wchar_t mnemonic);
    // Clicks the menu bar's button at index (0 for File) and waits for a popup menu window.
    bool OpenWithClick(int index);
    // The open popup menu window ("#32768") of the program, or null.
    [[nodiscard]] HWND OpenPopup() const;
    bool ReadOpenPopup(std::vector<MenuItem>& items);
    // Presses Down until the item with command id is highlighted.
    bool Highlight(UINT id);
    // Clicks the button, moves to the item with command id and presses Enter on it. The pointer
    // then leaves the bar, as it does when a user goes on to the window. A command that ends the
    // program counts as chosen.
    bool Choose(MenuBarButton button, UINT id);
    // Presses Escape until no popup is open and the program's menu mode has ended.
    bool CloseAll();
    // Presses one key in the program's thread: key down, then key up.
    bool PressKey(UINT virtualKey);
    // Presses one key as real keyboard input (SendInput) once the frame is the foreground window
    // with a focused child. Returns once the input is queued, not once the program has read it.
    bool TypeKey(WORD virtualKey);
    // The menu bar's selected button (its hot item): -1 for none, -2 when the bar did not answer.
    [[nodiscard]] int SelectedMenu() const;
    // The first item's text of the open popup and whether it is highlighted; empty when none is open.
    [[nodiscard]] std::wstring OpenPopupFirstItem(bool* highlighted = nullptr);

private:
    OrvaneProcess& m_process;
};
