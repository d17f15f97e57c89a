// CFrameWindowImpl::CreateEx when the creation fails: the frame's menu is destroyed exactly once,
// by whoever holds it then. The system's own destruction of a window's menu does not go through
// the program's imports, so the count is of the program's DestroyMenu calls alone.
#include "FrameWindow.h"
#include "ImportPatch.h"

#include <gtest/gtest.h>

namespace
{
enum class FailAt { BeforeTheWindow, NcCreate, CreateAfterTheCommandBarTookTheMenu };

HMENU g_menu = nullptr;
int g_destroyCalls = 0;
decltype(&::DestroyMenu) g_destroyMenu = nullptr;

HMENU WINAPI LoadTestMenu(HINSTANCE, LPCWSTR) { return g_menu; }
BOOL WINAPI CountingDestroyMenu(HMENU menu)
{
    g_destroyCalls += menu == g_menu ? 1 : 0;
    return g_destroyMenu(menu);
}

class CFailingFrame : public CFrameWindowImpl<CFailingFrame>
{
public:
    explicit CFailingFrame(FailAt failAt) : m_failAt(failAt) {}
    BOOL ProcessWindowMessage(HWND, UINT message, WPARAM, LPARAM, LRESULT& result, DWORD = 0)
    {
        if (message == WM_NCCREATE && m_failAt == FailAt::NcCreate)
            return TRUE; // result FALSE: the window is not made
        if (message != WM_CREATE || m_failAt != FailAt::CreateAfterTheCommandBarTookTheMenu)
            return FALSE;
        HMENU menu = GetMenu();
        if (m_cmdBar.Create(m_hWnd, WS_CHILD) != nullptr && SetMenu(nullptr))
            m_cmdBar.AttachMenu(menu);
        result = -1;
        return TRUE;
    }

private:
    FailAt m_failAt;
    CCommandBarCtrl m_cmdBar;
};
} // namespace

TEST(FrameWindow, FailedCreationDestroysTheMenuOnceByWhoeverHoldsIt)
{
    const CImportPatch load{"user32.dll", "LoadMenuW", reinterpret_cast<const void*>(&LoadTestMenu)};
    const CImportPatch destroy{"user32.dll", "DestroyMenu", reinterpret_cast<const void*>(&CountingDestroyMenu)};
    ASSERT_TRUE(load.IsActive() && destroy.IsActive());
    g_destroyMenu = destroy.Original<decltype(&::DestroyMenu)>();
    // The program's DestroyMenu calls while the frame object lives, and after it is gone.
    const struct { FailAt failAt; int whileFrameLives; int afterFrame; } cases[] = {
        {FailAt::BeforeTheWindow, 1, 1}, // an owner that is no window: the creator still holds it
        {FailAt::NcCreate, 0, 0},        // the system destroyed it with the window
        {FailAt::CreateAfterTheCommandBarTookTheMenu, 0, 1}};
    for (const auto& c : cases)
    {
        g_menu = ::CreateMenu();
        g_destroyCalls = 0;
        {
            CFailingFrame frame(c.failAt);
            HWND owner = c.failAt == FailAt::BeforeTheWindow ? reinterpret_cast<HWND>(0x12345) : nullptr;
            EXPECT_EQ(frame.CreateEx(1, owner), nullptr);
            EXPECT_EQ(g_destroyCalls, c.whileFrameLives) << static_cast<int>(c.failAt);
        }
        EXPECT_EQ(g_destroyCalls, c.afterFrame) << static_cast<int>(c.failAt);
    }
}
