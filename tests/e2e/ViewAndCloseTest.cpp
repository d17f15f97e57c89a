// The log view refuses the user's typing, and a clean close ends the process with code 1.
#include "OrvaneTestFixture.h"

namespace
{
class LogView : public OrvaneTest
{
protected:
    // Types ch into the view as the keyboard would: key down (translated into the character by
    // the program's loop), key up.
    bool Type(wchar_t ch)
    {
        const SHORT keyAndShift = ::VkKeyScanW(ch);
        const UINT key = LOBYTE(keyAndShift);
        const LPARAM down = 1 | (static_cast<LPARAM>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16);
        return ::PostMessageW(m_orvane.View(), WM_KEYDOWN, key, down) &&
               ::PostMessageW(m_orvane.View(), WM_KEYUP, key, down | (1 << 30) | (1u << 31));
    }
};

class Closing : public OrvaneTest
{
};
} // namespace

TEST_F(LogView, RefusesTyping)
{
    std::wstring before;
    ASSERT_TRUE(m_orvane.ReadLog(before));
    for (wchar_t ch : std::wstring(L"typed"))
        ASSERT_TRUE(Type(ch));
    ASSERT_TRUE(::PostMessageW(m_orvane.View(), WM_CHAR, L'x', 1));
    ASSERT_TRUE(m_orvane.Sync());

    std::wstring after;
    ASSERT_TRUE(m_orvane.ReadLog(after));
    EXPECT_EQ(after, before);
    DWORD_PTR modified = 1;
    ASSERT_TRUE(::SendMessageTimeoutW(m_orvane.View(), EM_GETMODIFY, 0, 0, SMTO_NORMAL, kDefaultWaitMs, &modified));
    EXPECT_EQ(modified, 0u);
}

TEST_F(Closing, CleanCloseRightAfterStartUpExitsWithOne)
{
    DWORD exitCode = 0;
    ASSERT_TRUE(m_orvane.Close(exitCode)) << "the program did not end after WM_CLOSE";
    EXPECT_EQ(exitCode, 1u);
}
