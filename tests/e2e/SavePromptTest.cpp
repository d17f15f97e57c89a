// The question that guards unsaved lines: asked on closing, on File > Exit and when the session
// ends, with each answer doing what it says.
#include "OrvaneUserTest.h"
#include "SaveDialogDriver.h"
#include "Wait.h"
#include "WindowQuery.h"
#include "resource.h"

#include <atomic>
#include <thread>

namespace
{
class SavePrompt : public OrvaneUserTest
{
protected:
    // Adds a line, then asks the frame to close: the prompt is the program's answer.
    bool CloseWithUnsavedLine()
    {
        return SendOneEvent() && ::PostMessageW(m_orvane.Frame(), WM_CLOSE, 0, 0);
    }
};

// WM_QUERYENDSESSION sent from a thread of its own, since the program answers only once its
// question has been answered here.
class EndSessionQuery
{
public:
    explicit EndSessionQuery(HWND frame)
        : m_thread([this, frame] {
              DWORD_PTR result = 0;
              m_sent = ::SendMessageTimeoutW(frame, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL,
                                             2 * kDialogWaitMs, &result) != 0;
              m_result = result;
              m_done = true;
          })
    {
    }
    EndSessionQuery(const EndSessionQuery&) = delete;
    EndSessionQuery& operator=(const EndSessionQuery&) = delete;
    ~EndSessionQuery() { m_thread.join(); }

    bool WaitForAnswer(LRESULT& result)
    {
        if (!WaitUntil([this] { return m_done.load(); }, 2 * kDialogWaitMs) || !m_sent)
            return false;
        result = static_cast<LRESULT>(m_result.load());
        return true;
    }

private:
    std::atomic<bool> m_done{false};
    std::atomic<bool> m_sent{false};
    std::atomic<DWORD_PTR> m_result{0};
    std::thread m_thread;
};
} // namespace

TEST_F(SavePrompt, AsksTheQuestionTitledOrvaneCentredOverTheFrame)
{
    // Off the screen's centre, so that a box centred on the screen cannot pass for one centred
    // over the frame.
    ASSERT_TRUE(::SetWindowPos(m_orvane.Frame(), nullptr, 30, 40, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE));
    ASSERT_TRUE(SendOneEvent());
    MessageBoxInfo box;
    for (int attempt = 0; attempt < kActivationAttempts; ++attempt)
    {
        ASSERT_TRUE(BringFrameToFront());
        ASSERT_TRUE(::PostMessageW(m_orvane.Frame(), WM_CLOSE, 0, 0));
        ASSERT_TRUE(WaitForBox(box)) << "closing with an unsaved line asked nothing";
        if (box.owner == m_orvane.Frame())
            break;
        ASSERT_TRUE(PressMessageBoxButton(box.window, IDCANCEL, kDialogWaitMs));
    }

    EXPECT_EQ(box.text, kSaveQuestion);
    EXPECT_EQ(box.title, L"Orvane");
    EXPECT_EQ(box.icon, L"IDI_QUESTION");
    EXPECT_EQ(box.ButtonIds(), (std::vector<int>{IDYES, IDNO, IDCANCEL}));
    EXPECT_EQ(box.owner, m_orvane.Frame());
    const RECT frame = WindowRect(m_orvane.Frame());
    const LONG width = box.rect.right - box.rect.left;
    const LONG height = box.rect.bottom - box.rect.top;
    EXPECT_EQ(box.rect.left, frame.left + (frame.right - frame.left - width) / 2);
    EXPECT_EQ(box.rect.top, frame.top + (frame.bottom - frame.top - height) / 2);
    EXPECT_TRUE(PressMessageBoxButton(box.window, IDCANCEL, kDialogWaitMs));
}

TEST_F(SavePrompt, CancelKeepsTheWindowTheLogAndTheMark)
{
    ASSERT_TRUE(SendOneEvent());
    const std::wstring before = LogText();
    ASSERT_TRUE(::PostMessageW(m_orvane.Frame(), WM_CLOSE, 0, 0));
    ASSERT_TRUE(AnswerSavePrompt(IDCANCEL));

    ASSERT_TRUE(NothingOpenAfterSync());
    EXPECT_TRUE(m_orvane.IsRunning());
    EXPECT_TRUE(::IsWindowVisible(m_orvane.Frame()));
    EXPECT_EQ(LogText(), before);
    bool modified = false;
    ASSERT_TRUE(ReadModified(modified));
    EXPECT_TRUE(modified);
}

TEST_F(SavePrompt, NoClosesWithExitCodeOne)
{
    ASSERT_TRUE(CloseWithUnsavedLine());
    ASSERT_TRUE(AnswerSavePrompt(IDNO));
    DWORD exitCode = 0;
    ASSERT_TRUE(m_orvane.WaitForExit(exitCode));
    EXPECT_EQ(exitCode, 1u);
}

TEST_F(SavePrompt, YesWithoutAPathAsksForOneProposingOrvaneTxtThenSavesTheLogAndCloses)
{
    ASSERT_TRUE(SendOneEvent());
    const std::wstring log = LogText();
    ASSERT_FALSE(log.empty());
    ASSERT_TRUE(::PostMessageW(m_orvane.Frame(), WM_CLOSE, 0, 0));
    ASSERT_TRUE(AnswerSavePrompt(IDYES));

    HWND dialog = WaitForSaveDialog(m_orvane.ProcessId(), kDialogWaitMs);
    ASSERT_NE(dialog, nullptr) << "Yes without a remembered path opened no save dialog";
    EXPECT_EQ(ProposedFileName(dialog), L"Orvane.txt");
    const std::wstring path = m_folder.File(L"closing.txt");
    ASSERT_TRUE(SaveUnderName(dialog, path, kDialogWaitMs));

    DWORD exitCode = 0;
    ASSERT_TRUE(m_orvane.WaitForExit(exitCode)) << "the window stayed after a successful save";
    EXPECT_EQ(exitCode, 1u);
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(path, bytes));
    // The log's UTF-16 units, low byte first: no byte-order mark, nothing after the last CR LF.
    EXPECT_EQ(bytes, Utf16LeBytes(log));
}

TEST_F(SavePrompt, CancellingTheSaveDialogAfterYesKeepsTheWindow)
{
    ASSERT_TRUE(CloseWithUnsavedLine());
    ASSERT_TRUE(AnswerSavePrompt(IDYES));
    HWND dialog = WaitForSaveDialog(m_orvane.ProcessId(), kDialogWaitMs);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(CancelSaveDialog(dialog, kDialogWaitMs));

    ASSERT_TRUE(NothingOpenAfterSync());
    EXPECT_TRUE(m_orvane.IsRunning());
    bool modified = false;
    ASSERT_TRUE(ReadModified(modified));
    EXPECT_TRUE(modified);
    EXPECT_TRUE(m_folder.Names().empty());
}

TEST_F(SavePrompt, FileExitAsksLikeTheCloseBox)
{
    ASSERT_TRUE(SendOneEvent());
    ASSERT_TRUE(PostCommand(ID_APP_EXIT));
    ASSERT_TRUE(AnswerSavePrompt(IDCANCEL)) << "File > Exit with an unsaved line did not ask";
    ASSERT_TRUE(NothingOpenAfterSync());
    EXPECT_TRUE(m_orvane.IsRunning());

    ASSERT_TRUE(PostCommand(ID_APP_EXIT));
    ASSERT_TRUE(AnswerSavePrompt(IDNO));
    DWORD exitCode = 0;
    ASSERT_TRUE(m_orvane.WaitForExit(exitCode));
    EXPECT_EQ(exitCode, 1u);
}

TEST_F(SavePrompt, FileExitWithNothingUnsavedEndsWithoutAsking)
{
    ASSERT_TRUE(PostCommand(ID_APP_EXIT));
    DWORD exitCode = 0;
    ASSERT_TRUE(m_orvane.WaitForExit(exitCode)) << "File > Exit on a fresh log did not end the program";
    EXPECT_EQ(exitCode, 1u);
}

TEST_F(SavePrompt, SessionEndWithUnsavedLinesAsksAndCancelRefusesIt)
{
    ASSERT_TRUE(SendOneEvent());
    EndSessionQuery query(m_orvane.Frame());
    ASSERT_TRUE(AnswerSavePrompt(IDCANCEL)) << "the session's end did not ask about unsaved lines";
    LRESULT result = TRUE;
    ASSERT_TRUE(query.WaitForAnswer(result));
    EXPECT_EQ(result, FALSE);
    EXPECT_TRUE(m_orvane.IsRunning());
}

TEST_F(SavePrompt, SessionEndAnsweredNoIsAllowed)
{
    ASSERT_TRUE(SendOneEvent());
    EndSessionQuery query(m_orvane.Frame());
    ASSERT_TRUE(AnswerSavePrompt(IDNO));
    LRESULT result = FALSE;
    ASSERT_TRUE(query.WaitForAnswer(result));
    EXPECT_EQ(result, TRUE);
}

TEST_F(SavePrompt, SessionEndWithNothingUnsavedIsAllowedWithoutAsking)
{
    EndSessionQuery query(m_orvane.Frame());
    LRESULT result = FALSE;
    ASSERT_TRUE(query.WaitForAnswer(result));
    EXPECT_EQ(result, TRUE);
    EXPECT_FALSE(HasOpenDialog(m_orvane.ProcessId()));
}

// A log-off query or another close that arrives while the question is open (their senders'
// messages are dispatched inside its modal loop) asks nothing more: the query is refused, the
// close ignored, and the open question still decides.
TEST_F(SavePrompt, QuestionOpenRefusesTheSessionEndAndIgnoresAnotherClose)
{
    ASSERT_TRUE(CloseWithUnsavedLine());
    MessageBoxInfo box;
    ASSERT_TRUE(WaitForBox(box));
    DWORD_PTR answer = TRUE;
    EXPECT_TRUE(::SendMessageTimeoutW(m_orvane.Frame(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL,
                                      kDefaultWaitMs, &answer));
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(FALSE));
    EXPECT_TRUE(::SendMessageTimeoutW(m_orvane.Frame(), WM_CLOSE, 0, 0, SMTO_NORMAL, kDefaultWaitMs, nullptr));
    EXPECT_EQ(FindTopLevelWindows(m_orvane.ProcessId(), L"#32770").size(), 1u);

    ASSERT_TRUE(PressMessageBoxButton(box.window, IDNO, kDialogWaitMs));
    DWORD exitCode = 0;
    ASSERT_TRUE(m_orvane.WaitForExit(exitCode));
    EXPECT_EQ(exitCode, 1u);
}
