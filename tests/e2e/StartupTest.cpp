// The frame as a user meets it: the status bar and its toggle, the log between the bars, the menus
// with their gray and marked items, and the keyboard's ways into and between them.
#include "OrvaneTest.h"
#include "Wait.h"
#include "WindowQuery.h"

#include <array>

// The log fills the client area from the menu bar down to the status bar, or to the bottom
// while the bar is hidden; also after the frame is resized.
TEST_F(OrvaneTest, StatusBarChosenTwiceHidesAndShowsTheBarAndTheLogFollows)
{
    auto expectLogBetweenTheBars = [this](bool statusBarShown) {
        HWND statusBar = m_orvane.StatusBar();
        EXPECT_EQ(::IsWindowVisible(statusBar) != FALSE, statusBarShown);
        const RECT client = ClientRectOnScreen(m_orvane.Frame()), view = WindowRect(m_orvane.View());
        const RECT status = statusBarShown ? WindowRect(statusBar) : RECT{0, client.bottom, 0, client.bottom};
        const LONG rebarBottom = WindowRect(m_orvane.ReBar()).bottom;
        EXPECT_EQ((std::array{view.left, view.top, view.right, view.bottom, status.bottom}),
                  (std::array{client.left, rebarBottom, client.right, status.top, client.bottom}));
    };
    for (const bool shown : {false, true})
    {
        ASSERT_TRUE(ChooseFromMenu(kViewMenu, ID_VIEW_STATUS_BAR));
        ASSERT_TRUE(NothingOpenAfterSync());
        expectLogBetweenTheBars(shown);
        EXPECT_EQ(MenuTexts(kViewMenu), std::vector<std::wstring>{shown ? L"&Status Bar (marked)" : L"&Status Bar"});
    }
    ASSERT_TRUE(::SetWindowPos(m_orvane.Frame(), nullptr, 0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
    expectLogBetweenTheBars(true);
}

TEST_F(OrvaneTest, MenusOfferTheirItemsGrayedAndMarkedAsTheProgramUpdatesThem)
{
    const std::vector<std::wstring> popups[] = {
        {L"&New\tCtrl+N", L"&Open...\tCtrl+O (gray)", L"&Save\tCtrl+S", L"Save &As...", L"-",
         L"&Print...\tCtrl+P (gray)", L"Print Pre&view (gray)", L"P&rint Setup... (gray)", L"-", L"E&xit"},
        {L"&Device", L"&Port (gray) (marked)", L"&Volume (gray) (marked)"},
        {L"&Status Bar (marked)"},
        {L"&About..."},
    };
    for (int index : {kFileMenu, kNotificationsMenu, kViewMenu, kHelpMenu})
        EXPECT_EQ(MenuTexts(index), popups[index]);
    EXPECT_EQ(::GetMenu(m_orvane.Frame()), nullptr) << "a native menu bar besides the command bar";
}

// Alt+F reaches the focused log, not the frame that owns the menu bar; the highlighted item's
// prompt stands in the status bar until the menu closes, and then "Ready" again.
TEST_F(OrvaneTest, AltFInTheLogDropsFileAndTheStatusBarPromptsForTheHighlightedItem)
{
    std::wstring text;
    bool simple = true;
    ASSERT_TRUE(m_orvane.ReadStatusBar(text, &simple));
    EXPECT_EQ(text, L"Ready");
    EXPECT_FALSE(simple);
    ASSERT_TRUE(m_menus.OpenWithMnemonic(L'F'));
    ASSERT_TRUE(m_menus.Highlight(ID_FILE_SAVE)) << "the popup Alt+F dropped has no Save";
    ASSERT_TRUE(m_orvane.ReadStatusBar(text, &simple));
    EXPECT_EQ(text, L"Save the active document");
    EXPECT_TRUE(simple);
    ASSERT_TRUE(m_menus.CloseAll());
    ASSERT_TRUE(m_orvane.ReadStatusBar(text, &simple));
    EXPECT_EQ(text, L"Ready");
    EXPECT_FALSE(simple);
}

// Alt or F10 alone selects File without dropping it, as a native menu bar does; from there the
// arrows move the selection, Down or a bare mnemonic drops a menu, whose Esc hands the selection
// back, and Alt or Esc leaves with the focus back in the log. Left and Right move from an open
// popup to its neighbour. Both wrap at the ends. Real keys, through the system.
TEST_F(OrvaneTest, AltOrF10AloneSelectsFileAndTheKeysMoveDropAndLeave)
{
    const struct { WORD key; int selected; const wchar_t* dropped; } steps[] = {
        {VK_MENU, kFileMenu, L""},   {VK_LEFT, kHelpMenu, L""},      {VK_RIGHT, kFileMenu, L""},
        {VK_DOWN, -2, L"&New\tCtrl+N"}, {VK_LEFT, -2, L"&About..."},    {VK_RIGHT, -2, L"&New\tCtrl+N"},
        {VK_RIGHT, -2, L"&Device"},  {VK_ESCAPE, kNotificationsMenu, L""}, {VK_MENU, -1, L""},
        {VK_F10, kFileMenu, L""},    {'V', -2, L"&Status Bar"},      {VK_ESCAPE, kViewMenu, L""},
        {VK_ESCAPE, -1, L""}};
    for (const auto& step : steps)
    {
        ASSERT_TRUE(m_menus.TypeKey(step.key));
        bool highlighted = false;
        ASSERT_TRUE(WaitUntil([&] {
            return m_menus.OpenPopupFirstItem(&highlighted) == step.dropped &&
                   (step.selected == -2 ? highlighted : m_menus.SelectedMenu() == step.selected);
        })) << "after key " << step.key << ": selected " << m_menus.SelectedMenu();
    }
    EXPECT_EQ(FocusOfThread(m_orvane.ThreadId()), m_orvane.View());
}
