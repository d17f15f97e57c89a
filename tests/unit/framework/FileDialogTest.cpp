// The shell's save dialog as the program sets it up, driven once as a user would: a buffer one
// character short of the typed path is refused and left alone (the end-to-end saves cover the rest).
#include "FileDialog.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
std::wstring g_typed;

// A thread timer, which fires inside the dialog's own loop: once the dialog shows, the path is
// typed over the visible edit that shows the proposed name, wherever the dialog keeps it, and
// Save is pressed.
void CALLBACK TypeAndSave(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = ::GetActiveWindow();
    if (dialog == nullptr || !::IsWindowVisible(dialog))
        return;
    ::KillTimer(nullptr, timer);
    ::EnumChildWindows(dialog, [](HWND child, LPARAM) -> BOOL {
        wchar_t className[8] = {}, showing[16] = {};
        ::GetClassNameW(child, className, 8);
        ::GetWindowTextW(child, showing, 16);
        const bool field = _wcsicmp(className, L"Edit") == 0 && ::IsWindowVisible(child) &&
                           wcscmp(showing, L"Orvane.txt") == 0;
        return !(field && ::SetWindowTextW(child, g_typed.c_str()));
    }, 0);
    ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}
} // namespace

TEST(ShellFileSaveDialog, ABufferShortOfTheTypedPathIsRefusedAndLeftAlone)
{
    wchar_t folder[MAX_PATH] = {}, shortBuffer[MAX_PATH] = L"unchanged";
    ::GetLongPathNameW(std::wstring(folder, ::GetTempPathW(MAX_PATH, folder)).c_str(), folder, MAX_PATH);
    // A path that does not exist, so no overwrite question comes up.
    g_typed = std::wstring(folder) + L"orvane-shell-dialog.txt";
    ::DeleteFileW(g_typed.c_str());
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    {
        CShellFileSaveDialog dialog;
        ASSERT_EQ(dialog.Create(), S_OK);
        EXPECT_EQ(dialog.SetFileName(L"Orvane.txt"), S_OK);
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &TypeAndSave);
        EXPECT_EQ(dialog.Show(nullptr), S_OK);
        ::KillTimer(nullptr, timer);
        EXPECT_EQ(dialog.GetFilePath(shortBuffer, g_typed.size()), DISP_E_BUFFERTOOSMALL);
    }
    ::CoUninitialize();
    EXPECT_STREQ(shortBuffer, L"unchanged");
}
