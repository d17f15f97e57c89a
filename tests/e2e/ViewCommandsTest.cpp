// View > Status Bar hides and shows the status bar, keeps the item's mark in step, and the log
// view takes up whatever space the bars leave.
#include "OrvaneUserTest.h"
#include "WindowQuery.h"
#include "resource.h"

namespace
{
class StatusBarToggle : public OrvaneUserTest
{
protected:
    bool ToggleStatusBar() { return PostCommand(ID_VIEW_STATUS_BAR) && NothingOpenAfterSync(); }

    bool IsStatusBarItemMarked()
    {
        MenuItem item;
        EXPECT_TRUE(ReadMenuItem(kViewMenu, ID_VIEW_STATUS_BAR, item));
        return item.IsChecked();
    }

    // The view spans the client area from the menu bar's rebar down to bottom.
    void ExpectViewFillsDownTo(LONG bottom)
    {
        const RECT client = ClientRectOnScreen(m_orvane.Frame());
        const RECT view = WindowRect(m_orvane.View());
        EXPECT_EQ(view.left, client.left);
        EXPECT_EQ(view.right, client.right);
        EXPECT_EQ(view.top, WindowRect(m_orvane.ReBar()).bottom);
        EXPECT_EQ(view.bottom, bottom);
    }
};
} // namespace

TEST_F(StatusBarToggle, FirstChoiceHidesTheBarAndTheViewTakesItsPlace)
{
    ASSERT_TRUE(ToggleStatusBar());
    HWND statusBar = m_orvane.StatusBar();
    ASSERT_NE(statusBar, nullptr);
    EXPECT_FALSE(::IsWindowVisible(statusBar));
    ExpectViewFillsDownTo(ClientRectOnScreen(m_orvane.Frame()).bottom);
    EXPECT_FALSE(IsStatusBarItemMarked());
}

TEST_F(StatusBarToggle, SecondChoiceShowsTheBarBelowTheViewAgain)
{
    ASSERT_TRUE(ToggleStatusBar());
    ASSERT_TRUE(ToggleStatusBar());
    HWND statusBar = m_orvane.StatusBar();
    ASSERT_NE(statusBar, nullptr);
    EXPECT_TRUE(::IsWindowVisible(statusBar));
    EXPECT_EQ(WindowRect(statusBar).bottom, ClientRectOnScreen(m_orvane.Frame()).bottom);
    ExpectViewFillsDownTo(WindowRect(statusBar).top);
    EXPECT_TRUE(IsStatusBarItemMarked());
}
