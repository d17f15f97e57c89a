// The frame as a user meets it: menu 128 as the system's own menu bar, driven with real keys, its
// items grayed and marked, the status bar's prompts, and the log between the bars.
#include "OrvaneTest.h"
#include "Wait.h"
#include "WindowQuery.h"

#include <array>

class FrameTest : public OrvaneTest {};

// The log fills the client area between the bars that show: the rebar only while View >
// Toolbar's command shows the toolbar, the status bar while View > Status Bar is marked; also
// after the frame is resized.
TEST_F(FrameTest, TheLogFillsWhatTheShownBarsLeave)
{
    auto expectBars = [this](bool toolBar, bool statusBar) {
        const RECT client = ClientRectOnScreen(m_orvane.Frame()), view = WindowRect(m_orvane.View());
        const LONG top = ::IsWindowVisible(m_orvane.ReBar()) ? WindowRect(m_orvane.ReBar()).bottom : client.top;
        const LONG bottom = ::IsWindowVisible(m_orvane.StatusBar()) ? WindowRect(m_orvane.StatusBar()).top : client.bottom;
        EXPECT_EQ((std::array{top > client.top, bottom < client.bottom}), (std::array{toolBar, statusBar}));
        EXPECT_EQ((std::array{view.left, view.top, view.right, view.bottom}),
                  (std::array{client.left, top, client.right, bottom}));
    };
    ASSERT_TRUE(m_orvane.Sync()); // the frame is laid out once it has been shown
    expectBars(false, true);
    for (const bool shown : {true, false})
    {
        ASSERT_TRUE(PostCommand(ID_VIEW_TOOLBAR) && m_orvane.Sync());
        expectBars(shown, true);
    }
    for (const bool shown : {false, true})
    {
        ASSERT_TRUE(m_menus.Choose(kViewMenu, ID_VIEW_STATUS_BAR) && NothingOpenAfterSync());
        expectBars(false, shown);
        EXPECT_EQ(m_menus.ShownItems(kViewMenu).at(0), shown ? L"&Status Bar (marked)" : L"&Status Bar");
    }
    ASSERT_TRUE(::SetWindowPos(m_orvane.Frame(), nullptr, 0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
    expectBars(false, true);
}

// Keys typed in the log reach the frame's own menu bar. Alt alone selects File without dropping it
// and Down drops it; the highlighted item's prompt stands in the status bar until the menu closes,
// then "Ready" again. Alt and a menu's mnemonic drops that menu, its items with their shortcut texts
// and the states the menu resource and the program's updates give them. A character, Backspace
// and Delete leave the read-only log as it is.
TEST_F(FrameTest, KeysTypedInTheLogDropTheMenusOfTheFramesOwnMenuBar)
{
    auto statusBar = [this] {
        std::wstring text;
        bool simple = false;
        return m_orvane.ReadStatusBar(text, &simple) ? text + (simple ? L" (simple)" : L"") : L"(unreadable)";
    };
    EXPECT_NE(::GetMenu(m_orvane.Frame()), nullptr) << "the frame has no menu bar of its own";
    const std::wstring log = LogText();
    ASSERT_TRUE(m_menus.TypeKeys({'X'}) && m_menus.TypeKeys({VK_BACK}) && m_menus.TypeKeys({VK_DELETE}));
    EXPECT_EQ(statusBar(), L"Ready");
    ASSERT_TRUE(m_menus.TypeKeys({VK_MENU}) && WaitUntil([this] { return m_menus.InMenu(); }));
    EXPECT_EQ(m_menus.OpenPopup(), nullptr) << "Alt alone dropped a menu";
    ASSERT_TRUE(m_menus.TypeKeys({VK_DOWN}) && m_menus.Highlight(ID_FILE_SAVE)) << "Down dropped no File menu";
    EXPECT_EQ(statusBar(), L"Save the active document (simple)");
    ASSERT_TRUE(m_menus.CloseAll());
    EXPECT_EQ(statusBar(), L"Ready");

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
    // The keys typed before the menus dropped have been read by now.
    EXPECT_EQ(LogText(), log);
    EXPECT_FALSE(IsModified());
}
