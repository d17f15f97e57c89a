#pragma once
// Finding, reading and answering a message box of another process: the dialog of class
// "#32770" owned by that process, its title, text, icon and buttons.
#include <windows.h>

#include <string>
#include <vector>

class OrvaneProcess;
class ProbeClient;

struct MessageBoxButton
{
    int id = 0;
    std::wstring text;
};

struct MessageBoxInfo
{
    HWND window = nullptr;
    HWND owner = nullptr;
    std::wstring title;
    std::wstring text;
    // The system icon's name as the probe reports it ("IDI_QUESTION", ...), "none" without one.
    std::wstring icon;
    std::vector<MessageBoxButton> buttons;
    RECT rect{};

    [[nodiscard]] std::vector<int> ButtonIds() const;
};

// Waits for a visible message box of processId; null when none showed within timeoutMs.
HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs);

// Reads the box; the icon is asked of probe, which must be attached to the box's thread.
bool ReadMessageBox(HWND box, ProbeClient& probe, MessageBoxInfo& info);

// Waits for a message box of the program and reads it through the program's probe.
bool WaitForAndReadMessageBox(OrvaneProcess& orvane, MessageBoxInfo& info, DWORD timeoutMs);

// Clicks the button with id and waits for the box to go away.
bool PressMessageBoxButton(HWND box, int id, DWORD timeoutMs);
