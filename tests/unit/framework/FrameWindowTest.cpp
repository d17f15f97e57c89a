// CFrameWindowImpl::CreateEx when the creation fails: the frame's menu (menu 128 of the program's
// resources) is destroyed once, by whoever holds it then. The system's own destruction of a
// window's menu does not go through the program's imports: only the program's calls are counted.
#include "FrameWindow.h"
#include "ImportPatch.h"
#include "resource.h"

#include <gtest/gtest.h>

namespace
{
enum class FailAt { BeforeTheWindow, NcCreate, CreateAfterTheCommandBarTookTheMenu };

int g_destroyCalls = 0;
decltype(&::DestroyMenu) g_destroyMenu = nullptr;
BOOL WINAPI CountingDestroyMenu(HMENU menu) { return ++g_destroyCalls, g_destroyMenu(menu); }

class CFailingFrame : public CFrameWindowImpl<CFailingFrame>
{
public:
    explicit CFailingFrame(FailAt failAt) : m_failAt(failAt) {}
    BOOL ProcessWindowMessage(HWND, UINT message, WPARAM, LPARAM, LRESULT& result, DWORD = 0)
    {
        if (message == WM_NCCREATE && m_failAt == FailAt::NcCreate)
            return TRUE; // result FALSE: no window
        if (message != WM_CREATE || m_failAt != FailAt::CreateAfterTheCommandBarTookTheMenu)
            return FALSE;
        HMENU menu = GetMenu();
        if (m_cmdBar.Create(m_hWnd, WS_CHILD) != nullptr && SetMenu(nullptr))
            m_cmdBar.AttachMenu(menu);
        return result = -1, TRUE;
    }

private:
    FailAt m_failAt;
    CCommandBarCtrl m_cmdBar;
};
} // namespace

TEST(FrameWindow, FailedCreationDestroysTheMenuOnceByWhoeverHoldsIt)
{
    const CImportPatch destroy{"user32.dll", "DestroyMenu", reinterpret_cast<const void*>(&CountingDestroyMenu)};
    ASSERT_TRUE(destroy.IsActive());
    g_destroyMenu = destroy.Original<decltype(&::DestroyMenu)>();
    // The program's DestroyMenu calls once the frame object is gone.
    const struct { FailAt failAt; int destroyCalls; } cases[] = {
        {FailAt::BeforeTheWindow, 1}, // an owner that is no window: the creator still holds it
        {FailAt::NcCreate, 0},        // the system destroyed it with the window
        {FailAt::CreateAfterTheCommandBarTookTheMenu, 1}};
    for (const auto& c : cases)
    {
        g_destroyCalls = 0;
        {
            CFailingFrame frame(c.failAt);
            HWND owner = c.failAt == FailAt::BeforeTheWindow ? reinterpret_cast<HWND>(0x12345) : nullptr;
            EXPECT_EQ(frame.CreateEx(IDR_MAINFRAME, owner), nullptr);
        }
        EXPECT_EQ(g_destroyCalls, c.destroyCalls) << static_cast<int>(c.failAt);
    }
}
