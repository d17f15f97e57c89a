// Filters may join or leave the loop's list while a message is offered (the frame leaves when an
// accelerator it translates closes it), and a modal loop may offer another message meanwhile:
// each one still there is offered a message once, and one that left is not. (The idle handlers'
// list is the same kind of list, walked oldest first.)
#include "MessageLoop.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace
{
struct CHandler : CMessageFilter
{
    std::function<void()> m_onOffer;
    BOOL PreTranslateMessage(MSG*) override { return m_onOffer(), FALSE; }
};
} // namespace

TEST(MessageLoop, EachFilterNewestFirstIsOfferedOnceWhileThere)
{
    CMessageLoop loop;
    std::wstring offered;
    MSG message{};
    int offers = 0;
    CHandler a, b, c;
    a.m_onOffer = [&] { offered += L"a"; };
    b.m_onOffer = [&] { offered += L"b"; };
    c.m_onOffer = [&] {
        offered += L"c";
        if (++offers == 1) // an older filter leaves, and c leaves and joins again
            loop.RemoveMessageFilter(&a), loop.RemoveMessageFilter(&c), loop.AddMessageFilter(&c);
        else if (offers == 2) // a modal loop offers c a message meanwhile, and b leaves then
            loop.PreTranslateMessage(&message);
        else if (offers == 3)
            loop.RemoveMessageFilter(&b), loop.AddMessageFilter(&a);
    };
    for (CHandler* filter : {&a, &b, &c})
        ASSERT_TRUE(loop.AddMessageFilter(filter));
    for (const wchar_t* expected : {L"cb", L"cc", L"ac"})
    {
        offered.clear();
        EXPECT_FALSE(loop.PreTranslateMessage(&message));
        EXPECT_EQ(offered, expected);
    }
}
