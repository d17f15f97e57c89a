// The frame's layout: the client window fills what the rebar and the status bar leave, and
// takes the status bar's place when the bar is hidden.
#include "framework/FrameWindow.h"

#include <gtest/gtest.h>

namespace
{
class TestFrame : public CFrameWindowImpl<TestFrame>
{
public:
    BOOL ProcessWindowMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result, DWORD = 0)
    {
        return ProcessFrameMessage(hWnd, message, wParam, lParam, result);
    }
};

class FrameLayout : public ::testing::Test
{
protected:
    TestFrame frame;
    HWND client = nullptr;

    void SetUp() override
    {
        RECT rect{40, 40, 640, 480};
        ASSERT_NE(frame.Create(nullptr, rect, L"layout", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN), nullptr);
        frame.m_hWndStatusBar = ::CreateStatusWindowW(WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, L"Ready", frame, 59393);
        ASSERT_NE(frame.m_hWndStatusBar, nullptr);
        client = ::CreateWindowExW(0, L"EDIT", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, frame, nullptr, nullptr, nullptr);
        frame.m_hWndClient = client;
        frame.ShowWindow(SW_SHOWNOACTIVATE);
    }
    void TearDown() override
    {
        if (frame.IsWindow())
            frame.DestroyWindow();
        // A destroyed top-level frame posts WM_QUIT, which would end the next test's modal loop.
        MSG quit;
        ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }

    RECT ClientInFrame() const
    {
        RECT rc{};
        ::GetWindowRect(client, &rc);
        ::MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    int StatusBarHeight() const
    {
        RECT rc{};
        ::GetWindowRect(frame.m_hWndStatusBar, &rc);
        return rc.bottom - rc.top;
    }
};
} // namespace

TEST_F(FrameLayout, ClientStopsAboveTheStatusBar)
{
    frame.UpdateLayout();
    RECT frameClient{};
    frame.GetClientRect(&frameClient);
    const RECT rc = ClientInFrame();
    EXPECT_EQ(rc.left, 0);
    EXPECT_EQ(rc.top, 0);
    EXPECT_EQ(rc.right, frameClient.right);
    EXPECT_GT(StatusBarHeight(), 0);
    EXPECT_EQ(rc.bottom, frameClient.bottom - StatusBarHeight());
}

TEST_F(FrameLayout, ClientReachesTheBottomWhenTheStatusBarIsHidden)
{
    ::ShowWindow(frame.m_hWndStatusBar, SW_HIDE);
    frame.UpdateLayout();
    RECT frameClient{};
    frame.GetClientRect(&frameClient);
    EXPECT_EQ(ClientInFrame().bottom, frameClient.bottom);
}

TEST_F(FrameLayout, ResizingTheFrameLaysItOutAgain)
{
    frame.SetWindowPos(nullptr, 0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT frameClient{};
    frame.GetClientRect(&frameClient);
    const RECT rc = ClientInFrame();
    EXPECT_EQ(rc.right, frameClient.right);
    EXPECT_EQ(rc.bottom, frameClient.bottom - StatusBarHeight());
}

TEST_F(FrameLayout, MinimisingDoesNotLayOut)
{
    frame.UpdateLayout();
    const RECT before = ClientInFrame();
    frame.ShowWindow(SW_MINIMIZE);
    RECT after{};
    ::GetWindowRect(client, &after);
    ::MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&after), 2);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}
