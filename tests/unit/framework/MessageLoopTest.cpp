// The loop's message filters, offered a message newest first, may leave the list meanwhile, as
// the frame does when an accelerator it translates closes it: a filter that has left is not
// offered the message any more, and every other one is offered it once.
#include "MessageLoop.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace
{
class CFilter : public CMessageFilter
{
public:
    std::function<void()> m_onMessage;
    BOOL PreTranslateMessage(MSG*) override { return m_onMessage(), FALSE; }
};
} // namespace

TEST(MessageLoop, FiltersLeavingWhileAMessageIsOfferedAreSkippedAndTheOthersOfferedOnce)
{
    CMessageLoop loop;
    std::wstring offered;
    CFilter oldest, middle, newest;
    oldest.m_onMessage = [&] { offered += L"o"; };
    middle.m_onMessage = [&] { offered += L"m"; };
    newest.m_onMessage = [&] {
        offered += L"n";
        loop.RemoveMessageFilter(&middle); // the next to be offered the message
        loop.RemoveMessageFilter(&newest);
    };
    for (CFilter* filter : {&oldest, &middle, &newest})
        ASSERT_TRUE(loop.AddMessageFilter(filter));
    MSG message{};
    EXPECT_FALSE(loop.PreTranslateMessage(&message));
    EXPECT_EQ(offered, L"no");
    EXPECT_FALSE(loop.PreTranslateMessage(&message));
    EXPECT_EQ(offered, L"noo");
}
