// The frame as a user meets it: menu 128 as the system's own menu bar, driven with real keys, its
// items grayed and marked, the status bar's prompts, and the log between the bars.
#include "OrvaneTest.h"
#include "Wait.h"
#include "WindowQuery.h"

#include <array>

// The log fills the client area from the menu bar down to the status bar, or to the bottom while
// that is hidden. The rebar takes room only while the toolbar shows, which only View > Toolbar's
// command does; also after the frame is resized.
TEST_F(OrvaneTest, TheLogFillsWhatTheShownBarsLeave)
{
    auto expectLogBetweenTheBars = [this](bool toolBarShown, bool statusBarShown) {
        HWND reBar = m_orvane.ReBar(), statusBar = m_orvane.StatusBar();
        EXPECT_EQ(::IsWindowVisible(statusBar) != FALSE, statusBarShown);
        const RECT client = ClientRectOnScreen(m_orvane.Frame()), view = WindowRect(m_orvane.View());
        const RECT status = statusBarShown ? WindowRect(statusBar) : RECT{0, client.bottom, 0, client.bottom};
        const LONG reBarBottom = ::IsWindowVisible(reBar) ? WindowRect(reBar).bottom : client.top;
        EXPECT_EQ(reBarBottom > client.top, toolBarShown) << "the rebar's room";
        EXPECT_EQ((std::array{view.left, view.top, view.right, view.bottom, status.bottom}),
                  (std::array{client.left, reBarBottom, client.right, status.top, client.bottom}));
    };
    ASSERT_TRUE(m_orvane.Sync()); // the frame is laid out once it has been shown
    expectLogBetweenTheBars(false, true);
    for (const bool shown : {true, false})
    {
        ASSERT_TRUE(PostCommand(ID_VIEW_TOOLBAR) && m_orvane.Sync());
        expectLogBetweenTheBars(shown, true);
    }
    for (const bool shown : {false, true})
    {
        ASSERT_TRUE(ChooseFromMenu(kViewMenu, ID_VIEW_STATUS_BAR));
        ASSERT_TRUE(NothingOpenAfterSync());
        expectLogBetweenTheBars(false, shown);
        EXPECT_EQ(m_menus.ShownItems(kViewMenu), std::vector<std::wstring>{shown ? L"&Status Bar (marked)" : L"&Status Bar"});
    }
    ASSERT_TRUE(::SetWindowPos(m_orvane.Frame(), nullptr, 0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
    expectLogBetweenTheBars(false, true);
}

// Alt with a menu's mnemonic drops that menu of the frame's own menu bar; its items carry their
// shortcut texts and the states that the menu resource and the program's updates give them.
TEST_F(OrvaneTest, AltAndAMnemonicDropsThatMenuWithItsItemsGrayedAndMarked)
{
    EXPECT_NE(::GetMenu(m_orvane.Frame()), nullptr) << "the frame has no menu bar of its own";
    const std::pair<MenuBarMenu, std::vector<std::wstring>> menus[] = {
        {kFileMenu,
         {L"&New\tCtrl+N", L"&Open...\tCtrl+O (gray)", L"&Save\tCtrl+S", L"Save &As...", L"-",
          L"&Print...\tCtrl+P (gray)", L"Print Pre&view (gray)", L"P&rint Setup... (gray)", L"-", L"E&xit"}},
        {kNotificationsMenu, {L"&Device", L"&Port (gray) (marked)", L"&Volume (gray) (marked)"}},
        {kViewMenu, {L"&Status Bar (marked)"}},
        {kHelpMenu, {L"&About..."}},
    };
    for (const auto& [menu, items] : menus)
        EXPECT_EQ(m_menus.ShownItems(menu), items) << "Alt+" << static_cast<char>(menu);
}

// Alt alone selects File without dropping it, and Down drops it. The highlighted item's prompt
// stands in the status bar until the menu closes, and then "Ready" again.
TEST_F(OrvaneTest, AltAloneThenDownDropsFileAndTheStatusBarPromptsForTheHighlightedItem)
{
    auto statusBar = [this] {
        std::wstring text;
        bool simple = false;
        return m_orvane.ReadStatusBar(text, &simple) ? text + (simple ? L" (simple)" : L"") : L"(unreadable)";
    };
    EXPECT_EQ(statusBar(), L"Ready");
    ASSERT_TRUE(m_menus.TypeKeys({VK_MENU}) && WaitUntil([this] { return m_menus.InMenu(); }));
    EXPECT_EQ(m_menus.OpenPopup(), nullptr) << "Alt alone dropped a menu";
    std::vector<MenuItem> items;
    ASSERT_TRUE(m_menus.TypeKeys({VK_DOWN}) && WaitUntil([&] { return m_menus.ReadOpenPopup(items); }));
    EXPECT_EQ(items.front().text, L"&New\tCtrl+N") << "Down dropped another menu than File";
    ASSERT_TRUE(m_menus.Highlight(ID_FILE_SAVE));
    EXPECT_EQ(statusBar(), L"Save the active document (simple)");
    ASSERT_TRUE(m_menus.CloseAll());
    EXPECT_EQ(statusBar(), L"Ready");
}
