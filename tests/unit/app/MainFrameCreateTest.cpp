// The frame's creation when building the log's header runs out of memory: the other steps
// still run, so the window has its key handling, idle step and hidden toolbar band.
#include "MainFrame.h"
#include "ImportPatch.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <new>

namespace
{
int WINAPI HintOutOfMemory(HINSTANCE instance, UINT id, LPWSTR buffer, int size)
{
    if (id == IDS_NOTIFICATIONS_HINT) // the header's last line
        throw std::bad_alloc();
    static const auto load = reinterpret_cast<decltype(&::LoadStringW)>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "LoadStringW")));
    return load(instance, id, buffer, size);
}
} // namespace

TEST(MainFrameCreate, HeaderOutOfMemoryLeavesTheOtherStepsWhole)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_COOL_CLASSES};
    ::InitCommonControlsEx(&controls);
    CMessageLoop loop;
    CMainFrame frame(&loop);
    {
        const CImportPatch patch("user32.dll", "LoadStringW", reinterpret_cast<const void*>(&HintOutOfMemory));
        ASSERT_TRUE(patch.IsActive());
        ASSERT_NE(frame.CreateEx(), nullptr);
    }

    EXPECT_EQ(frame.UIGetState(ID_VIEW_TOOLBAR), UPDUI_DISABLED);
    EXPECT_EQ(frame.UIGetState(ID_VIEW_STATUS_BAR), UPDUI_CHECKED);
    REBARBANDINFOW band{};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_STYLE;
    EXPECT_TRUE(::SendMessageW(frame.m_hWndReBar, RB_GETBANDINFOW, 1, reinterpret_cast<LPARAM>(&band)));
    EXPECT_TRUE(band.fStyle & RBBS_HIDDEN);
    EXPECT_TRUE(loop.RemoveMessageFilter(&frame));
    EXPECT_TRUE(loop.RemoveIdleHandler(&frame));

    frame.DestroyWindow();
    MSG quit; // the frame's end posts the quit message, which no later test may see
    while (::PeekMessageW(&quit, nullptr, 0, 0, PM_REMOVE))
    {
    }
}
