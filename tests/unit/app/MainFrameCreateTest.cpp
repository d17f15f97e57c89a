// The frame's creation when building the log's header runs out of memory: the other steps
// still run, so the window has its key handling, idle step and hidden toolbar band. And a save
// to a path longer than the frame's 260-character buffer, refused with the system's reason.
#include "MainFrame.h"
#include "ImportPatch.h"
#include "resource.h"

#include <commctrl.h>
#include <commdlg.h>
#include <cderr.h>
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

namespace
{
HRESULT WINAPI NoShellDialog(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID* object)
{
    *object = nullptr;
    return REGDB_E_CLASSNOTREG;
}
DWORD g_dialogFlags = 0;
BOOL WINAPI ChosenPathTooLong(LPOPENFILENAMEW dialog) { return g_dialogFlags = dialog->Flags, FALSE; }
DWORD WINAPI BufferTooSmall() { return FNERR_BUFFERTOOSMALL; }
std::wstring g_boxText;
int WINAPI SeeBox(HWND, LPCWSTR text, LPCWSTR, UINT) { return g_boxText = text, IDOK; }
} // namespace

// Wine's own save dialog never hands back more than 259 characters, so the classic one stands
// in for a system whose dialog does.
TEST(MainFrameSave, APathTooLongForTheProgramIsRefusedWithTheSystemsReason)
{
    const CImportPatch patches[] = {{"ole32.dll", "CoCreateInstance", reinterpret_cast<const void*>(&NoShellDialog)},
                                    {"comdlg32.dll", "GetSaveFileNameW", reinterpret_cast<const void*>(&ChosenPathTooLong)},
                                    {"comdlg32.dll", "CommDlgExtendedError", reinterpret_cast<const void*>(&BufferTooSmall)},
                                    {"user32.dll", "MessageBoxW", reinterpret_cast<const void*>(&SeeBox)}};
    for (const CImportPatch& patch : patches)
        ASSERT_TRUE(patch.IsActive());
    CMainFrame frame;
    EXPECT_FALSE(frame.SaveLogAs());
    EXPECT_EQ(g_dialogFlags, 0x880826u); // overwrite prompt, no read-only box, path must exist; Explorer, hook, sizing
    EXPECT_TRUE(g_boxText.starts_with(L"Unable to save the file.\n\n")) << g_boxText.c_str();
    EXPECT_TRUE(g_boxText.ends_with(L" (206)")) << g_boxText.c_str();
}

