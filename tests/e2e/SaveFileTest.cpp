// Saving the log: Save As remembers the name, the longest that fits, for Ctrl+S until Ctrl+N; a
// save that cannot be written says why and leaves the earlier file alone.
#include "OrvaneTest.h"
#include "Wait.h"

#include <regex>

class SaveFileTest : public OrvaneTest {};

// The program keeps the chosen path in a buffer of MAX_PATH characters: the longest path that
// fits is saved, although its temporary file's path is longer still. (Wine's save dialog cuts
// every path to that length itself, so a longer one never reaches the program here.)
TEST_F(SaveFileTest, SaveAsRemembersTheLongestNameForCtrlSUntilCtrlNStartsAFreshLog)
{
    const std::wstring header = LogText();
    // In a folder of MAX_PATH - 11 characters, which only the extended form creates.
    std::wstring folder = m_folder.Path() + L"\\";
    while (folder.size() < MAX_PATH - 12)
    {
        folder += std::wstring(std::min<size_t>(60, MAX_PATH - 12 - folder.size()), L'd') + L"\\";
        ASSERT_TRUE(::CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr)) << ::GetLastError();
    }
    const std::wstring path = folder + std::wstring(MAX_PATH - 1 - folder.size() - 4, L'f') + L".txt";
    ASSERT_TRUE(SendOneEvent());
    ASSERT_TRUE(SaveAsTo(path) && NothingOpenAfterSync()) << "the longest path that fits was refused";
    ASSERT_TRUE(SendOneEvent());
    const std::string twoEvents = Utf16LeBytes(LogText());
    // Real keys, through the program's accelerators, to the focused log.
    ASSERT_EQ(::GetForegroundWindow(), m_orvane.Frame());
    ASSERT_TRUE(PressCtrlAnd('S'));
    // The file is read only once the save is over: a reader that holds it open meanwhile makes
    // the replacement fail, as it would for any program.
    EXPECT_TRUE(WaitUntil([&] { return !IsModified(); })) << "Ctrl+S did not save";
    EXPECT_TRUE(NothingOpenAfterSync()) << "Ctrl+S with a remembered name asked for one";
    EXPECT_EQ(FileBytes(path), twoEvents) << "Ctrl+S did not save to the same file";

    // With nothing unsaved, nothing is asked (every way to drop the log asks through one check).
    ASSERT_TRUE(PressCtrlAnd('N'));
    EXPECT_TRUE(WaitUntil([&] { return LogText() == header; })) << "Ctrl+N did not start a fresh log";
    EXPECT_TRUE(NothingOpenAfterSync()) << "Ctrl+N with nothing unsaved asked";

    ASSERT_TRUE(SendOneEvent());
    ASSERT_TRUE(PressCtrlAnd('S'));
    HWND dialog = WaitForSaveDialog();
    ASSERT_NE(dialog, nullptr) << "Save after New wrote to the forgotten file instead of asking";
    ASSERT_TRUE(CancelSaveDialog(dialog, kDialogWaitMs));
    EXPECT_EQ(FileBytes(path), twoEvents);
}

// A file marked read-only after the first save: no later save replaces it, nor waits for it.
TEST_F(SaveFileTest, FailedSaveSaysWhyKeepsTheEarlierFileAndTheWindow)
{
    const std::wstring path = m_folder.File(L"log.txt");
    ASSERT_TRUE(SaveAsTo(path));
    const std::string saved = FileBytes(path);
    ASSERT_FALSE(saved.empty());
    ASSERT_TRUE(SendOneEvent());
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));

    // Save, then Yes on closing: each says why and keeps the window.
    for (const bool closing : {false, true})
    {
        ASSERT_TRUE(closing ? ::PostMessageW(m_orvane.Frame(), WM_CLOSE, 0, 0) : PostCommand(ID_FILE_SAVE));
        MessageBoxInfo box;
        ASSERT_TRUE(!closing || (WaitForBox(box) && box.text == kSaveQuestion &&
                                 PressMessageBoxButton(box.window, IDYES, kDialogWaitMs)));
        ASSERT_TRUE(WaitForBox(box)) << "a save that could not be written said nothing";
        // The program's line, then the system's text for the error and its number.
        EXPECT_TRUE(std::regex_match(box.text, std::wregex(LR"(Unable to save the file\.\n\n[^\n]+ \([1-9]\d*\))")))
            << box.text.c_str();
        EXPECT_EQ(box.icon, L"IDI_ERROR");
        ASSERT_TRUE(PressMessageBoxButton(box.window, IDOK, kDialogWaitMs));
        ASSERT_TRUE(NothingOpenAfterSync()) << "the program ended or left a box open";
        EXPECT_TRUE(IsModified());
    }
    EXPECT_EQ(FileBytes(path), saved);
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}
