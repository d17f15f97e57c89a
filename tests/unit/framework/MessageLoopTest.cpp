// The message loop's contract: filters newest first and able to swallow a message, idle
// handlers once per burst of real input, and WM_QUIT's code as the result.
#include "MessageLoop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
class RecordingFilter : public CMessageFilter
{
public:
    RecordingFilter(std::vector<std::string>& log, std::string name, UINT swallow = 0)
        : m_log(log), m_name(std::move(name)), m_swallow(swallow) {}

    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message >= WM_APP)
            m_log.push_back(m_name + ":" + std::to_string(msg->message - WM_APP));
        if (msg->message == WM_TIMER)
        {
            ::KillTimer(nullptr, msg->wParam);
            m_log.push_back("timer");
        }
        return msg->message == m_swallow;
    }

private:
    std::vector<std::string>& m_log;
    std::string m_name;
    UINT m_swallow;
};

constexpr UINT kStartTimer = 0; // step entry: a thread timer that fires once the queue is empty

// Posts the next step of a script each time the loop goes idle, and logs what it sees.
class ScriptedIdle : public CIdleHandler
{
public:
    explicit ScriptedIdle(std::vector<std::string>& log) : m_log(log) {}
    std::vector<std::vector<UINT>> steps;

    BOOL OnIdle() override
    {
        m_log.push_back("idle");
        if (m_next < steps.size())
        {
            for (UINT message : steps[m_next])
            {
                if (message == kStartTimer)
                    ::SetTimer(nullptr, 0, 30, nullptr);
                else
                    ::PostThreadMessageW(::GetCurrentThreadId(), message, 0, 0);
            }
        }
        else
        {
            ::PostQuitMessage(7);
        }
        ++m_next;
        return TRUE;
    }

private:
    std::vector<std::string>& m_log;
    size_t m_next = 0;
};

void DrainQueue()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
    }
}
} // namespace

TEST(MessageLoop, RunReturnsTheQuitCode)
{
    DrainQueue();
    CMessageLoop loop;
    std::vector<std::string> log;
    ScriptedIdle idle(log);
    loop.AddIdleHandler(&idle);
    EXPECT_EQ(loop.Run(), 7);
}

TEST(MessageLoop, FiltersAreOfferedNewestFirst)
{
    DrainQueue();
    CMessageLoop loop;
    std::vector<std::string> log;
    RecordingFilter first(log, "first");
    RecordingFilter second(log, "second");
    loop.AddMessageFilter(&first);
    loop.AddMessageFilter(&second);
    ScriptedIdle idle(log);
    idle.steps = {{WM_APP + 1}};
    loop.AddIdleHandler(&idle);

    loop.Run();
    EXPECT_EQ(log, (std::vector<std::string>{"idle", "second:1", "first:1", "idle"}));
}

TEST(MessageLoop, ASwallowingFilterHidesTheMessageFromOlderFilters)
{
    DrainQueue();
    CMessageLoop loop;
    std::vector<std::string> log;
    RecordingFilter older(log, "older");
    RecordingFilter swallowing(log, "newer", WM_APP + 2);
    loop.AddMessageFilter(&older);
    loop.AddMessageFilter(&swallowing);
    ScriptedIdle idle(log);
    idle.steps = {{WM_APP + 2, WM_APP + 3}};
    loop.AddIdleHandler(&idle);

    loop.Run();
    EXPECT_EQ(log, (std::vector<std::string>{"idle", "newer:2", "newer:3", "older:3", "idle"}));
}

TEST(MessageLoop, MouseMovesPaintAndCaretTimerDoNotRunIdleAgain)
{
    DrainQueue();
    CMessageLoop loop;
    std::vector<std::string> log;
    RecordingFilter watcher(log, "seen");
    loop.AddMessageFilter(&watcher);
    ScriptedIdle idle(log);
    // After these the queue runs empty, yet idle must wait for the timer, a real message.
    idle.steps = {{WM_MOUSEMOVE, WM_NCMOUSEMOVE, 0x0118, WM_PAINT, kStartTimer}};
    loop.AddIdleHandler(&idle);

    loop.Run();
    EXPECT_EQ(log, (std::vector<std::string>{"idle", "timer", "idle"}));
}

TEST(MessageLoop, RemovingAnUnknownEntryFailsAndChangesNothing)
{
    CMessageLoop loop;
    std::vector<std::string> log;
    RecordingFilter filter(log, "f");
    ScriptedIdle idle(log);
    EXPECT_FALSE(loop.RemoveMessageFilter(&filter));
    EXPECT_FALSE(loop.RemoveIdleHandler(&idle));
    ASSERT_TRUE(loop.AddMessageFilter(&filter));
    EXPECT_TRUE(loop.RemoveMessageFilter(&filter));
    EXPECT_FALSE(loop.RemoveMessageFilter(&filter));
}
