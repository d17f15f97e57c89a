// The message-box driver against real boxes shown by a thread of this process: what it reads
// must be what the box was given, or the program's boxes could not be checked at all.
#include "MessageBoxDriver.h"
#include "ProbeClient.h"
#include "Wait.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace
{
// Shows one box on a thread of its own and keeps its answer.
class BoxOnThread
{
public:
    BoxOnThread(const wchar_t* text, const wchar_t* title, UINT type)
        : m_thread([this, text, title, type] {
              m_threadId = ::GetCurrentThreadId();
              m_result = ::MessageBoxW(nullptr, text, title, type);
              m_finished = true;
          })
    {
    }
    ~BoxOnThread()
    {
        // A box the test did not answer is cancelled so that the thread can end.
        while (!m_finished)
        {
            if (HWND box = WaitForMessageBox(::GetCurrentProcessId(), 100))
                ::PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
        }
        m_thread.join();
    }
    [[nodiscard]] DWORD ThreadId() const { return m_threadId; }
    [[nodiscard]] int Result() const { return m_result; }
    [[nodiscard]] bool Done() const { return m_finished; }

private:
    std::atomic<DWORD> m_threadId{0};
    std::atomic<int> m_result{0};
    std::atomic<bool> m_finished{false};
    std::thread m_thread;
};

// Waits for the box of shown, hooks its thread with probe and reads the box into info.
void FindAndRead(const BoxOnThread& shown, ProbeClient& probe, MessageBoxInfo& info)
{
    HWND box = WaitForMessageBox(::GetCurrentProcessId(), 10000);
    ASSERT_NE(box, nullptr);
    ASSERT_EQ(probe.Attach(shown.ThreadId()), S_OK);
    ASSERT_TRUE(ReadMessageBox(box, probe, info));
}

struct IconCase
{
    UINT type;
    const wchar_t* icon;
};

void PrintTo(const IconCase& iconCase, std::ostream* os)
{
    *os << std::string(iconCase.icon, iconCase.icon + ::wcslen(iconCase.icon));
}

class MessageBoxIcons : public ::testing::TestWithParam<IconCase>
{
};
} // namespace

TEST(MessageBoxDriver, ReadsTitleTextAndButtonsAndPresses)
{
    BoxOnThread shown(L"Keep going?", L"Harness", MB_YESNOCANCEL);
    ProbeClient probe;
    MessageBoxInfo info;
    ASSERT_NO_FATAL_FAILURE(FindAndRead(shown, probe, info));
    EXPECT_EQ(info.title, L"Harness");
    EXPECT_EQ(info.text, L"Keep going?");
    EXPECT_EQ(info.icon, L"none");
    EXPECT_EQ(info.ButtonIds(), (std::vector<int>{IDYES, IDNO, IDCANCEL}));

    ASSERT_TRUE(PressMessageBoxButton(info.window, IDNO, 10000));
    ASSERT_TRUE(WaitUntil([&] { return shown.Done(); }));
    EXPECT_EQ(shown.Result(), IDNO);
}

TEST(MessageBoxDriver, NoBoxMeansNull)
{
    EXPECT_EQ(WaitForMessageBox(::GetCurrentProcessId(), 50), nullptr);
}

TEST_P(MessageBoxIcons, NamesTheSystemIconShown)
{
    BoxOnThread shown(L"Icon", L"Harness", MB_OK | GetParam().type);
    ProbeClient probe;
    MessageBoxInfo info;
    ASSERT_NO_FATAL_FAILURE(FindAndRead(shown, probe, info));
    EXPECT_EQ(info.icon, GetParam().icon);
    ASSERT_TRUE(PressMessageBoxButton(info.window, IDOK, 10000));
}

INSTANTIATE_TEST_SUITE_P(EachIcon, MessageBoxIcons,
                         ::testing::Values(IconCase{MB_ICONQUESTION, L"IDI_QUESTION"},
                                           IconCase{MB_ICONERROR, L"IDI_ERROR"},
                                           IconCase{MB_ICONWARNING, L"IDI_WARNING"},
                                           IconCase{MB_ICONINFORMATION, L"IDI_INFORMATION"}),
                         [](const ::testing::TestParamInfo<IconCase>& param) {
                             const std::wstring name = param.param.icon + 4; // after "IDI_"
                             return std::string(name.begin(), name.end());
                         });
