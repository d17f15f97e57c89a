// The window procedure of CWindowImpl: an exception that escapes the handler of WM_CREATE
// fails the creation instead of leaving a half-built window.
#include "WindowImpl.h"

#include <gtest/gtest.h>

#include <new>

namespace
{
class CThrowingWindow : public CWindowImpl<CThrowingWindow>
{
public:
    BOOL ProcessWindowMessage(HWND, UINT message, WPARAM, LPARAM, LRESULT&, DWORD = 0)
    {
        if (message == WM_CREATE)
            throw std::bad_alloc();
        return FALSE;
    }
};
} // namespace

TEST(WindowImpl, ExceptionFromCreateFailsTheCreation)
{
    CThrowingWindow window;
    EXPECT_EQ(window.Create(nullptr, CWindow::rcDefault, nullptr, WS_POPUP), nullptr);
    EXPECT_EQ(window.m_hWnd, nullptr);
}
