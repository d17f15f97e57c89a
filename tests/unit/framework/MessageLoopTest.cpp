// Filters and idle handlers may join or leave the loop's lists while a message is offered (the
// frame leaves when an accelerator it translates closes it), and a modal loop may offer another
// message meanwhile: each one still there is offered a message once, and one that left is not.
#include "MessageLoop.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace
{
struct CHandler : CMessageFilter, CIdleHandler
{
    std::function<void()> m_onOffer;
    BOOL PreTranslateMessage(MSG*) override { return m_onOffer(), FALSE; }
    void OnIdle() override { m_onOffer(); }
};
} // namespace

TEST(MessageLoop, EachFilterNewestFirstAndEachIdleHandlerOldestFirstIsOfferedOnceWhileThere)
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

    offered.clear();
    a.m_onOffer = [&] { offered += L"a"; loop.RemoveIdleHandler(&a), loop.AddIdleHandler(&a); };
    b.m_onOffer = [&] { offered += L"b"; loop.RemoveIdleHandler(&c); };
    for (CHandler* handler : {&a, &b, &c})
        ASSERT_TRUE(loop.AddIdleHandler(handler));
    loop.OnIdle();
    loop.OnIdle();
    EXPECT_EQ(offered, L"abba");
}
