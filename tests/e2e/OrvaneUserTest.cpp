#include "OrvaneUserTest.h"

#include "Records.h"
#include "SaveDialogDriver.h"
#include "Wait.h"

#include <dbt.h>

bool OrvaneUserTest::PostCommand(UINT id)
{
    return ::PostMessageW(m_orvane.Frame(), WM_COMMAND, MAKEWPARAM(id, 0), 0) != FALSE;
}

bool OrvaneUserTest::ChooseFromMenu(int menuIndex, UINT id)
{
    return m_menus.OpenWithClick(menuIndex) && m_menus.Highlight(id) && m_menus.ChooseHighlighted();
}

bool OrvaneUserTest::ReadMenuItem(int menuIndex, UINT id, MenuItem& item)
{
    std::vector<MenuItem> items;
    const bool read = m_menus.OpenWithClick(menuIndex) && m_menus.ReadOpenPopup(items);
    if (!m_menus.CloseAll() || !read)
        return false;
    for (const MenuItem& candidate : items)
    {
        if (candidate.id == id && !candidate.IsSeparator())
        {
            item = candidate;
            return true;
        }
    }
    return false;
}

bool OrvaneUserTest::SendOneEvent()
{
    LRESULT result = 0;
    return SendDeviceChange(m_orvane.Frame(), DBT_DEVNODES_CHANGED, 0, &result) && result == TRUE;
}

bool OrvaneUserTest::ReadModified(bool& modified)
{
    DWORD_PTR flag = 0;
    if (!::SendMessageTimeoutW(m_orvane.View(), EM_GETMODIFY, 0, 0, SMTO_NORMAL, kDefaultWaitMs, &flag))
        return false;
    modified = flag != 0;
    return true;
}

std::wstring OrvaneUserTest::LogText()
{
    std::wstring text;
    return m_orvane.ReadLog(text) ? text : std::wstring();
}

bool OrvaneUserTest::WaitForBox(MessageBoxInfo& box)
{
    HWND window = WaitForMessageBox(m_orvane.ProcessId(), kDialogWaitMs);
    return window != nullptr && ReadMessageBox(window, m_orvane.Probe(), box);
}

bool OrvaneUserTest::AnswerSavePrompt(int button)
{
    MessageBoxInfo box;
    return WaitForBox(box) && box.text == kSaveQuestion && PressMessageBoxButton(box.window, button, kDialogWaitMs);
}

bool OrvaneUserTest::BringFrameToFront()
{
    HWND frame = m_orvane.Frame();
    return WaitUntil([frame] { return ::GetForegroundWindow() == frame || ::SetForegroundWindow(frame); }) &&
           WaitUntil([frame] { return ::GetForegroundWindow() == frame; });
}

bool OrvaneUserTest::NothingOpenAfterSync()
{
    return m_orvane.Sync() && !HasOpenDialog(m_orvane.ProcessId());
}
