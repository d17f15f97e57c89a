// The save-dialog driver and the test folder against the real thing in this process: a classic
// save dialog on a thread of its own, a message box that must not pass for a save dialog, and
// files on disk.
#include "MessageBoxDriver.h"
#include "SaveDialogDriver.h"
#include "TestFolder.h"
#include "Wait.h"

#include <gtest/gtest.h>

#include <atomic>
#include <commdlg.h>
#include <thread>

namespace
{
constexpr DWORD kWaitMs = 20000;

// GetSaveFileNameW on a thread of its own, proposing proposed; keeps the answer and the path.
class ClassicSaveDialogOnThread
{
public:
    explicit ClassicSaveDialogOnThread(const wchar_t* proposed)
    {
        lstrcpynW(m_path, proposed, MAX_PATH);
        m_thread = std::thread([this] {
            OPENFILENAMEW dialog{};
            dialog.lStructSize = sizeof(dialog);
            dialog.lpstrFile = m_path;
            dialog.nMaxFile = MAX_PATH;
            dialog.lpstrFilter = L"Text Documents (*.txt)\0*.txt\0";
            dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY;
            m_saved = ::GetSaveFileNameW(&dialog) != FALSE;
            m_finished = true;
        });
    }
    ~ClassicSaveDialogOnThread()
    {
        // A dialog the test did not answer is cancelled so that the thread can end.
        while (!m_finished)
        {
            if (HWND dialog = WaitForSaveDialog(::GetCurrentProcessId(), 100))
                ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        }
        m_thread.join();
    }
    bool WaitForAnswer() { return WaitUntil([this] { return m_finished.load(); }, kWaitMs); }
    [[nodiscard]] bool Saved() const { return m_saved; }
    [[nodiscard]] std::wstring Path() const { return m_path; }

private:
    wchar_t m_path[MAX_PATH] = {};
    std::atomic<bool> m_saved{false};
    std::atomic<bool> m_finished{false};
    std::thread m_thread;
};
} // namespace

TEST(SaveDialogDriver, ReadsTheProposedNameAndSavesUnderATypedPath)
{
    TestFolder folder;
    ASSERT_TRUE(folder.IsValid());
    ClassicSaveDialogOnThread shown(L"proposed.txt");
    HWND dialog = WaitForSaveDialog(::GetCurrentProcessId(), kWaitMs);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ProposedFileName(dialog), L"proposed.txt");

    const std::wstring typed = folder.File(L"typed.txt");
    ASSERT_TRUE(SaveUnderName(dialog, typed, kWaitMs));
    ASSERT_TRUE(shown.WaitForAnswer());
    EXPECT_TRUE(shown.Saved());
    EXPECT_EQ(shown.Path(), typed);
}

TEST(SaveDialogDriver, CancelEndsTheDialogWithoutAName)
{
    ClassicSaveDialogOnThread shown(L"proposed.txt");
    HWND dialog = WaitForSaveDialog(::GetCurrentProcessId(), kWaitMs);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(CancelSaveDialog(dialog, kWaitMs));
    ASSERT_TRUE(shown.WaitForAnswer());
    EXPECT_FALSE(shown.Saved());
}

TEST(SaveDialogDriver, MessageBoxIsNoSaveDialog)
{
    std::atomic<bool> answered{false};
    std::thread box([&answered] {
        ::MessageBoxW(nullptr, L"Not a save dialog", L"Harness", MB_OK);
        answered = true;
    });
    HWND shown = WaitForMessageBox(::GetCurrentProcessId(), kWaitMs);
    EXPECT_NE(shown, nullptr);
    EXPECT_EQ(WaitForSaveDialog(::GetCurrentProcessId(), 200), nullptr);
    EXPECT_TRUE(HasOpenDialog(::GetCurrentProcessId()));
    if (shown != nullptr)
        ::PostMessageW(shown, WM_COMMAND, IDOK, 0);
    box.join();
    EXPECT_TRUE(answered);
}

TEST(TestFolder, IsRemovedWithItsFilesAndListsThemSorted)
{
    std::wstring path;
    {
        TestFolder folder;
        ASSERT_TRUE(folder.IsValid());
        path = folder.Path();
        for (const wchar_t* name : {L"b.txt", L"a.txt"})
        {
            HANDLE file = ::CreateFileW(folder.File(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
            ASSERT_NE(file, INVALID_HANDLE_VALUE);
            ::CloseHandle(file);
        }
        EXPECT_EQ(folder.Names(), (std::vector<std::wstring>{L"a.txt", L"b.txt"}));
        TestFolder other;
        EXPECT_NE(other.Path(), path);
    }
    EXPECT_EQ(::GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(Utf16LeBytes, PutsTheLowByteFirst)
{
    EXPECT_EQ(Utf16LeBytes(L"A\x20AC\r\n"), std::string("A\0\xAC\x20\r\0\n\0", 8));
}
