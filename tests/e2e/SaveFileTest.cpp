// Saving the log from the File menu: Save As asks for a path and remembers it, Save reuses it,
// New forgets it, and a save that cannot be written says why and leaves the earlier file alone.
#include "OrvaneUserTest.h"
#include "SaveDialogDriver.h"
#include "UniqueHandle.h"
#include "resource.h"

#include <cwchar>

namespace
{
constexpr wchar_t kSavedName[] = L"log.txt";

// The system's own text for error, without the line break it ends in.
std::wstring SystemText(DWORD error)
{
    wchar_t text[512] = {};
    const DWORD length = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                                          0, text, static_cast<DWORD>(std::size(text)), nullptr);
    std::wstring trimmed(text, length);
    trimmed.erase(trimmed.find_last_not_of(L" \t\r\n") + 1);
    return trimmed;
}

class SavingTheLog : public OrvaneUserTest
{
protected:
    // File > Save As to the test's file; true once the dialog closed and the save was handled.
    bool SaveAsTo(const std::wstring& path)
    {
        if (!PostCommand(ID_FILE_SAVE_AS))
            return false;
        HWND dialog = WaitForSaveDialog(m_orvane.ProcessId(), kDialogWaitMs);
        return dialog != nullptr && SaveUnderName(dialog, path, kDialogWaitMs) && m_orvane.Sync();
    }

    std::string FileBytes(const std::wstring& path)
    {
        std::string bytes;
        EXPECT_TRUE(ReadFileBytes(path, bytes)) << "cannot read the saved file";
        return bytes;
    }

    bool IsModified()
    {
        bool modified = false;
        EXPECT_TRUE(ReadModified(modified));
        return modified;
    }

    const std::wstring m_path = m_folder.File(kSavedName);
};

// A log saved once, then one more line, then a save while the test holds the file open
// without sharing: no process can write it, whatever its rights.
class FailedSave : public SavingTheLog
{
protected:
    void SetUp() override
    {
        SavingTheLog::SetUp();
        ASSERT_TRUE(SaveAsTo(m_path));
        m_savedBytes = FileBytes(m_path);
        ASSERT_FALSE(m_savedBytes.empty());
        ASSERT_TRUE(SendOneEvent());
        m_held.reset(::CreateFileW(m_path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(m_held) << "the test cannot hold its own file open";
    }

    // Chooses Save and reads the box it brings.
    bool SaveAndReadTheError(MessageBoxInfo& box) { return PostCommand(ID_FILE_SAVE) && WaitForBox(box); }

    std::string m_savedBytes;
    unique_hfile m_held;
};
} // namespace

TEST_F(SavingTheLog, SaveAsFromTheMenuWritesTheLogAsUtf16WithoutAMark)
{
    ASSERT_TRUE(SendOneEvent());
    const std::wstring log = LogText();
    ASSERT_TRUE(ChooseFromMenu(kFileMenu, ID_FILE_SAVE_AS));
    HWND dialog = WaitForSaveDialog(m_orvane.ProcessId(), kDialogWaitMs);
    ASSERT_NE(dialog, nullptr) << "File > Save As showed no save dialog";
    EXPECT_EQ(ProposedFileName(dialog), L"Orvane.txt");
    ASSERT_TRUE(SaveUnderName(dialog, m_path, kDialogWaitMs));
    ASSERT_TRUE(m_orvane.Sync());

    // Two bytes per unit, low byte first: no byte-order mark, CR LF as 0D 00 0A 00, no NUL.
    EXPECT_EQ(FileBytes(m_path), Utf16LeBytes(log));
    EXPECT_FALSE(IsModified());
}

TEST_F(SavingTheLog, SaveAfterSaveAsRewritesTheSameFileWithoutADialog)
{
    ASSERT_TRUE(SaveAsTo(m_path));
    ASSERT_TRUE(SendOneEvent());
    ASSERT_TRUE(SendOneEvent());
    const std::wstring log = LogText();

    ASSERT_TRUE(PostCommand(ID_FILE_SAVE));
    EXPECT_TRUE(NothingOpenAfterSync()) << "Save with a remembered path showed a dialog";
    // Replaced, not appended to; and nothing else left in the folder.
    EXPECT_EQ(FileBytes(m_path), Utf16LeBytes(log));
    EXPECT_EQ(m_folder.Names(), std::vector<std::wstring>{kSavedName});
    EXPECT_FALSE(IsModified());
}

TEST_F(SavingTheLog, SavedLogClosesWithoutAsking)
{
    ASSERT_TRUE(SendOneEvent());
    ASSERT_TRUE(SaveAsTo(m_path));
    DWORD exitCode = 0;
    ASSERT_TRUE(m_orvane.Close(exitCode)) << "closing a saved log did not end the program";
    EXPECT_EQ(exitCode, 1u);
}

TEST_F(SavingTheLog, SaveAsAfterASaveStillProposesTheProgramsName)
{
    ASSERT_TRUE(SaveAsTo(m_path));
    ASSERT_TRUE(PostCommand(ID_FILE_SAVE_AS));
    HWND dialog = WaitForSaveDialog(m_orvane.ProcessId(), kDialogWaitMs);
    ASSERT_NE(dialog, nullptr) << "Save As with a remembered path showed no dialog";
    EXPECT_EQ(ProposedFileName(dialog), L"Orvane.txt");
    EXPECT_TRUE(CancelSaveDialog(dialog, kDialogWaitMs));
}

TEST_F(SavingTheLog, NewAnsweredNoStartsAFreshLogAndForgetsThePath)
{
    const std::wstring header = LogText();
    ASSERT_TRUE(SaveAsTo(m_path));
    const std::string saved = FileBytes(m_path);
    ASSERT_TRUE(SendOneEvent());

    ASSERT_TRUE(PostCommand(ID_FILE_NEW));
    ASSERT_TRUE(AnswerSavePrompt(IDNO)) << "File > New with an unsaved line did not ask";
    ASSERT_TRUE(NothingOpenAfterSync());
    EXPECT_EQ(LogText(), header);
    EXPECT_FALSE(IsModified());
    EXPECT_EQ(FileBytes(m_path), saved);

    ASSERT_TRUE(SendOneEvent());
    ASSERT_TRUE(PostCommand(ID_FILE_SAVE));
    HWND dialog = WaitForSaveDialog(m_orvane.ProcessId(), kDialogWaitMs);
    ASSERT_NE(dialog, nullptr) << "Save after New wrote to the forgotten path instead of asking";
    EXPECT_TRUE(CancelSaveDialog(dialog, kDialogWaitMs));
    EXPECT_EQ(FileBytes(m_path), saved);
}

TEST_F(SavingTheLog, NewAnsweredYesSavesToTheRememberedPathFirst)
{
    const std::wstring header = LogText();
    ASSERT_TRUE(SaveAsTo(m_path));
    ASSERT_TRUE(SendOneEvent());
    const std::wstring log = LogText();

    ASSERT_TRUE(PostCommand(ID_FILE_NEW));
    ASSERT_TRUE(AnswerSavePrompt(IDYES));
    ASSERT_TRUE(NothingOpenAfterSync());
    EXPECT_EQ(FileBytes(m_path), Utf16LeBytes(log));
    EXPECT_EQ(LogText(), header);
}

TEST_F(SavingTheLog, NewAnsweredCancelKeepsTheLog)
{
    ASSERT_TRUE(SendOneEvent());
    const std::wstring log = LogText();
    ASSERT_TRUE(PostCommand(ID_FILE_NEW));
    ASSERT_TRUE(AnswerSavePrompt(IDCANCEL));
    ASSERT_TRUE(NothingOpenAfterSync());
    EXPECT_EQ(LogText(), log);
    EXPECT_TRUE(IsModified());
}

TEST_F(FailedSave, SaysUnableToSaveWithTheSystemsTextAndNumber)
{
    MessageBoxInfo box;
    ASSERT_TRUE(SaveAndReadTheError(box)) << "a save that could not be written said nothing";
    EXPECT_EQ(box.title, L"Orvane");
    EXPECT_EQ(box.icon, L"IDI_ERROR");
    EXPECT_EQ(box.ButtonIds(), std::vector<int>{IDOK});

    // "Unable to save the file.", an empty line, the system's text for the error, " (n)".
    const std::wstring lead = L"Unable to save the file.\n\n";
    ASSERT_EQ(box.text.rfind(lead, 0), 0u) << "text: " << box.text.c_str();
    const size_t open = box.text.rfind(L" (");
    ASSERT_NE(open, std::wstring::npos) << "text: " << box.text.c_str();
    ASSERT_EQ(box.text.back(), L')');
    const DWORD error = static_cast<DWORD>(std::wcstoul(box.text.c_str() + open + 2, nullptr, 10));
    EXPECT_NE(error, 0u);
    EXPECT_EQ(box.text, lead + SystemText(error) + L" (" + std::to_wstring(error) + L")");
    EXPECT_TRUE(PressMessageBoxButton(box.window, IDOK, kDialogWaitMs));
}

TEST_F(FailedSave, LeavesTheEarlierFileAndTheMark)
{
    MessageBoxInfo box;
    ASSERT_TRUE(SaveAndReadTheError(box));
    ASSERT_TRUE(PressMessageBoxButton(box.window, IDOK, kDialogWaitMs));
    ASSERT_TRUE(NothingOpenAfterSync());
    m_held.reset();

    EXPECT_EQ(FileBytes(m_path), m_savedBytes);
    EXPECT_EQ(m_folder.Names(), std::vector<std::wstring>{kSavedName}) << "a temporary file was left behind";
    EXPECT_TRUE(IsModified());
    // The lines are still unsaved, so closing asks again.
    ASSERT_TRUE(::PostMessageW(m_orvane.Frame(), WM_CLOSE, 0, 0));
    EXPECT_TRUE(AnswerSavePrompt(IDNO));
}

TEST_F(FailedSave, AfterYesOnClosingKeepsTheWindow)
{
    ASSERT_TRUE(::PostMessageW(m_orvane.Frame(), WM_CLOSE, 0, 0));
    ASSERT_TRUE(AnswerSavePrompt(IDYES));
    MessageBoxInfo box;
    ASSERT_TRUE(WaitForBox(box)) << "the failed save after Yes said nothing";
    EXPECT_EQ(box.icon, L"IDI_ERROR");
    ASSERT_TRUE(PressMessageBoxButton(box.window, IDOK, kDialogWaitMs));
    ASSERT_TRUE(NothingOpenAfterSync());
    EXPECT_TRUE(m_orvane.IsRunning());
    EXPECT_TRUE(IsModified());
}
