// The command bar as a menu bar: one button per popup of menu 128, mnemonics found from the
// popup texts, and Left/Right moving from an open popup to its neighbour.
#include "CommandBar.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
constexpr UINT_PTR kScriptTimer = 1;

class MenuOwner : public CWindowImpl<MenuOwner, CWindow, CWinTraits<WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN>>
{
public:
    std::vector<HMENU> opened;
    std::vector<WPARAM> script; // keys pressed, one per timer tick, while a popup is open
    size_t nextKey = 0;

    BOOL ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM, LRESULT& result, DWORD = 0)
    {
        if (message == WM_INITMENUPOPUP)
        {
            opened.push_back(reinterpret_cast<HMENU>(wParam));
            result = 0;
            return TRUE;
        }
        if (message == WM_TIMER && wParam == kScriptTimer)
        {
            if (nextKey < script.size())
                ::PostMessageW(m_hWnd, WM_KEYDOWN, script[nextKey++], 0);
            result = 0;
            return TRUE;
        }
        return FALSE;
    }
};

class CommandBar : public ::testing::Test
{
protected:
    MenuOwner owner;
    CCommandBarCtrl bar;

    void SetUp() override
    {
        RECT rect{0, 0, 600, 400};
        ASSERT_NE(owner.Create(nullptr, rect, L"owner"), nullptr);
        ASSERT_NE(bar.Create(owner, WS_CHILD | WS_VISIBLE | TBSTYLE_LIST | TBSTYLE_FLAT | CCS_NODIVIDER), nullptr);
        ASSERT_TRUE(bar.AttachMenu(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(128))));
        owner.ShowWindow(SW_SHOW);
        ::SetForegroundWindow(owner);
    }
    void TearDown() override { owner.DestroyWindow(); }
};
} // namespace

TEST_F(CommandBar, OneButtonPerPopupWithItsText)
{
    ASSERT_EQ(bar.SendMessage(TB_BUTTONCOUNT), 4);
    wchar_t text[64] = {};
    bar.SendMessage(TB_GETBUTTONTEXTW, 2, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"&Notifications");
}

TEST_F(CommandBar, MnemonicsNameThePopups)
{
    EXPECT_EQ(bar.FindMnemonic(L'f'), 0);
    EXPECT_EQ(bar.FindMnemonic(L'N'), 1);
    EXPECT_EQ(bar.FindMnemonic(L'v'), 2);
    EXPECT_EQ(bar.FindMnemonic(L'h'), 3);
    EXPECT_EQ(bar.FindMnemonic(L'x'), -1);
}

TEST_F(CommandBar, RightAndLeftMoveToTheNeighbouringPopups)
{
    owner.script = {VK_RIGHT, VK_RIGHT, VK_LEFT, VK_ESCAPE};
    ::SetTimer(owner, kScriptTimer, 40, nullptr);
    bar.OpenPopup(0, true);
    ::KillTimer(owner, kScriptTimer);

    HMENU menu = bar.GetMenu();
    const std::vector<HMENU> expected = {::GetSubMenu(menu, 0), ::GetSubMenu(menu, 1), ::GetSubMenu(menu, 2),
                                   ::GetSubMenu(menu, 1)};
    EXPECT_EQ(owner.opened, expected);
    EXPECT_EQ(bar.GetOpenPopup(), -1);
}

TEST_F(CommandBar, LeftFromTheFirstPopupWrapsToTheLast)
{
    owner.script = {VK_LEFT, VK_ESCAPE};
    ::SetTimer(owner, kScriptTimer, 40, nullptr);
    bar.OpenPopup(0, true);
    ::KillTimer(owner, kScriptTimer);

    ASSERT_EQ(owner.opened.size(), 2u);
    EXPECT_EQ(owner.opened[1], ::GetSubMenu(bar.GetMenu(), 3));
}
