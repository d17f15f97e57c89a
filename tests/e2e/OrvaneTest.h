#pragma once
// Base of the end-to-end tests: a fresh Orvane.exe per test (killed at the end if still alive),
// used as a person would use it, and a folder of the test's own for what a save leaves behind.
#include "LogText.h"
#include "MenuDriver.h"
#include "MessageBoxDriver.h"
#include "OrvaneProcess.h"
#include "Records.h"
#include "SaveDialogDriver.h"
#include "TestFolder.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

inline constexpr wchar_t kSaveQuestion[] = L"Do you want to save the changes?";

class OrvaneTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_orvane.Start() == S_OK && m_folder.IsValid()); }

    // Posted as a menu would, not sent: a command may run a modal loop in its handler.
    bool PostCommand(UINT id) { return ::PostMessageW(m_orvane.Frame(), WM_COMMAND, id, 0) != FALSE; }
    // One broadcast as the system sends it; the program logs one line for it.
    bool SendOneEvent() { return m_orvane.SendDeviceChange(DBT_DEVNODES_CHANGED, 0); }
    bool IsModified()
    {
        bool modified = false;
        EXPECT_TRUE(m_orvane.IsLogModified(modified));
        return modified;
    }
    std::wstring LogText()
    {
        std::wstring text;
        return m_orvane.ReadLog(text) ? text : L"(unreadable)";
    }
    std::vector<std::wstring> LogLines()
    {
        bool complete = false;
        auto lines = SplitLogLines(LogText(), &complete);
        EXPECT_TRUE(complete) << "the log does not end in CR LF or holds a lone line break";
        return lines;
    }

    bool WaitForBox(MessageBoxInfo& box) { return WaitForAndReadMessageBox(m_orvane, box, kDialogWaitMs); }
    HWND WaitForSaveDialog() { return ::WaitForSaveDialog(m_orvane.ProcessId(), kDialogWaitMs); }
    // File > Save As from the menu, typing path over the proposed name; true once it is handled.
    bool SaveAsTo(const std::wstring& path)
    {
        HWND dialog = m_menus.Choose(kFileMenu, ID_FILE_SAVE_AS) ? WaitForSaveDialog() : nullptr;
        return dialog != nullptr && ProposedFileName(dialog) == L"Orvane.txt" &&
               SaveUnderName(dialog, path, kDialogWaitMs) && m_orvane.Sync();
    }
    bool NothingOpenAfterSync() { return m_orvane.Sync() && !HasOpenDialog(m_orvane.ProcessId()); }

    OrvaneProcess m_orvane;
    MenuDriver m_menus{m_orvane};
    TestFolder m_folder;
};

// Inner's middle is within a pixel of outer's: centred, by either rounding of CenterWindow.h.
inline bool IsCentredOver(const RECT& inner, const RECT& outer)
{
    return std::abs(inner.left + inner.right - outer.left - outer.right) <= 2 &&
           std::abs(inner.top + inner.bottom - outer.top - outer.bottom) <= 2;
}

// The bytes of text as UTF-16 little-endian (Windows' wchar_t in memory): what a save writes,
// without a byte-order mark.
inline std::string Utf16LeBytes(const std::wstring& text)
{
    return {reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t)};
}
