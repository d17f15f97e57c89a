#pragma once
// Base of the tests that use the running program as a person would: commands, device events,
// the boxes and dialogs those raise, and the files a save leaves behind in a folder of the
// test's own.
#include "MenuDriver.h"
#include "MessageBoxDriver.h"
#include "OrvaneTestFixture.h"
#include "TestFolder.h"

#include <string>

// The menu bar's buttons, left to right.
inline constexpr int kFileMenu = 0;
inline constexpr int kNotificationsMenu = 1;
inline constexpr int kViewMenu = 2;
inline constexpr int kHelpMenu = 3;

// How long a box or dialog of the program may take to appear or to go away.
inline constexpr DWORD kDialogWaitMs = 20000;

class OrvaneUserTest : public OrvaneTest
{
protected:
    void SetUp() override
    {
        OrvaneTest::SetUp();
        ASSERT_TRUE(m_folder.IsValid()) << "no temporary folder for the test's files";
    }

    // Posts the command as the menu or a key would. Posted, not sent: a command that opens a
    // box or a dialog runs its modal loop inside the handler, which a sender would wait out.
    bool PostCommand(UINT id);
    // Clicks the menu bar's button at menuIndex, then chooses the item with command id with
    // the arrow keys and Enter.
    bool ChooseFromMenu(int menuIndex, UINT id);
    // The item's state in the popup of the menu bar's button at menuIndex (closed again).
    bool ReadMenuItem(int menuIndex, UINT id, MenuItem& item);

    // One device-change broadcast as the system sends it; the program logs one line for it.
    bool SendOneEvent();
    bool ReadModified(bool& modified);
    // The log's whole text; an empty string when it cannot be read.
    std::wstring LogText();

    // Waits for a message box of the program and reads it.
    bool WaitForBox(MessageBoxInfo& box);
    // Waits for the save question and answers it with button (IDYES, IDNO or IDCANCEL).
    bool AnswerSavePrompt(int button);

    // Makes the frame the foreground window, as a user's click on it would. The program owns
    // its boxes and dialogs by the active window, which another test's program running side
    // by side may take at any moment.
    bool BringFrameToFront();

    // True when no box or dialog of the program is open once everything posted so far has
    // been dispatched.
    bool NothingOpenAfterSync();

    MenuDriver m_menus{m_orvane};
    TestFolder m_folder;
};

// How often a test that checks what a box is owned by tries again when another program took
// the activation in between.
inline constexpr int kActivationAttempts = 3;

inline constexpr wchar_t kSaveQuestion[] = L"Do you want to save the changes?";
