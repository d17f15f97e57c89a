// The question that guards unsaved lines, asked by everything that would drop them: the close
// box, File > Exit, File > New and the end of the session. Yes saves first (asking for a name,
// since none is remembered) and goes on only once the save is done; No goes on without saving;
// Cancel keeps everything. While the question is open, nothing asks it again. (With nothing
// unsaved nothing is asked: see the Ctrl+N of SaveFileTest.)
#include "OrvaneTest.h"
#include "WindowQuery.h"

#include <future>

namespace
{
enum Trigger { Close, Exit, New, SessionEnd };
enum Answer { Yes, YesThenCancelTheDialog, No, Cancel };

class SavePrompt : public OrvaneTest, public ::testing::WithParamInterface<std::tuple<Trigger, Answer>> {};

std::string FlowName(const ::testing::TestParamInfo<std::tuple<Trigger, Answer>>& info)
{
    const char* const triggers[] = {"Close", "Exit", "New", "SessionEnd"};
    const char* const answers[] = {"Yes", "YesThenCancelTheDialog", "No", "Cancel"};
    return std::string(triggers[std::get<0>(info.param)]) + "_" + answers[std::get<1>(info.param)];
}
} // namespace

TEST_P(SavePrompt, TheAnswerDecides)
{
    const auto [trigger, answer] = GetParam();
    HWND frame = m_orvane.Frame();
    // Off the screen's centre, so that a box centred on the screen cannot pass.
    ASSERT_TRUE(::SetWindowPos(frame, nullptr, 30, 40, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE));
    const std::wstring header = LogText();
    ASSERT_TRUE(SendOneEvent());
    const std::wstring log = LogText();

    // The session's end is a question sent to the frame, answered once ours is.
    std::future<LRESULT> sessionEnd;
    if (trigger == SessionEnd)
    {
        sessionEnd = std::async(std::launch::async, [this] {
            bool allowed = false;
            return m_orvane.QueryEndSession(allowed, 2 * kDialogWaitMs) ? static_cast<LRESULT>(allowed) : -1;
        });
    }
    else
    {
        ASSERT_TRUE(trigger == Close ? ::PostMessageW(frame, WM_CLOSE, 0, 0)
                                     : PostCommand(trigger == Exit ? ID_APP_EXIT : ID_FILE_NEW));
    }

    const std::wstring path = m_folder.File(L"saved.txt");
    MessageBoxInfo box;
    ASSERT_TRUE(WaitForBox(box)) << "nothing asked about the unsaved line";
    EXPECT_EQ(box.text, kSaveQuestion);
    EXPECT_EQ(box.title, L"Orvane");
    EXPECT_EQ(box.icon, L"IDI_QUESTION");
    EXPECT_EQ(box.ButtonIds(), (std::vector<int>{IDYES, IDNO, IDCANCEL}));
    EXPECT_EQ(box.owner, frame);
    EXPECT_TRUE(IsCentredOver(box.rect, WindowRect(frame)));
    // Another end of the session, or another close, while the question is open asks nothing more:
    // the session's end is refused and the close ignored; the answer to this question decides.
    bool allowed = true;
    EXPECT_TRUE(m_orvane.QueryEndSession(allowed) && !allowed);
    EXPECT_TRUE(::SendMessageTimeoutW(frame, WM_CLOSE, 0, 0, SMTO_NORMAL, kDefaultWaitMs, nullptr));
    EXPECT_EQ(FindTopLevelWindows(m_orvane.ProcessId(), L"#32770").size(), 1u);
    const int button = answer == No ? IDNO : answer == Cancel ? IDCANCEL : IDYES;
    ASSERT_TRUE(PressMessageBoxButton(box.window, button, kDialogWaitMs));
    if (answer == Yes || answer == YesThenCancelTheDialog)
    {
        HWND dialog = WaitForSaveDialog();
        ASSERT_NE(dialog, nullptr) << "Yes without a remembered name asked for none";
        ASSERT_TRUE(answer == Yes ? SaveUnderName(dialog, path, kDialogWaitMs)
                                  : CancelSaveDialog(dialog, kDialogWaitMs));
    }

    const bool goesOn = answer != Cancel && answer != YesThenCancelTheDialog;
    if (trigger == SessionEnd)
    {
        ASSERT_EQ(sessionEnd.wait_for(std::chrono::milliseconds(2 * kDialogWaitMs)), std::future_status::ready);
        EXPECT_EQ(sessionEnd.get(), goesOn ? TRUE : FALSE);
    }
    if (goesOn && (trigger == Close || trigger == Exit))
    {
        DWORD exitCode = 0;
        ASSERT_TRUE(m_orvane.WaitForExit(exitCode)) << "the program did not end";
        EXPECT_EQ(exitCode, 1u);
    }
    else
    {
        ASSERT_TRUE(NothingOpenAfterSync()) << "the program ended or left a box open";
        const bool fresh = goesOn && trigger == New;
        EXPECT_EQ(LogText(), fresh ? header : log);
        EXPECT_EQ(IsModified(), answer != Yes && !fresh) << "the unsaved mark";
    }
    // Only Yes writes, exactly the log's UTF-16 units: no byte-order mark, nothing after the last CR LF.
    EXPECT_EQ(m_folder.Names(), answer == Yes ? std::vector<std::wstring>{L"saved.txt"} : std::vector<std::wstring>{});
    EXPECT_EQ(FileBytes(path), answer == Yes ? Utf16LeBytes(log) : "");
}

INSTANTIATE_TEST_SUITE_P(EveryWayToDropTheLog, SavePrompt,
                         ::testing::Combine(::testing::Values(Close, Exit, New, SessionEnd),
                                            ::testing::Values(Yes, YesThenCancelTheDialog, No, Cancel)),
                         FlowName);
