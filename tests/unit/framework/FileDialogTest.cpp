// The shell's save dialog, driven once: a buffer one character short of the chosen path is
// refused and left alone (the end-to-end saves cover the rest).
#include "FileDialog.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
// A thread timer, which fires inside the dialog's own loop: once the dialog shows, Save is pressed.
void CALLBACK PressSave(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = ::GetActiveWindow();
    if (dialog != nullptr && ::IsWindowVisible(dialog))
        ::KillTimer(nullptr, timer), ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}
} // namespace

TEST(ShellFileSaveDialog, ABufferShortOfTheChosenPathIsRefusedAndLeftAlone)
{
    wchar_t folder[MAX_PATH] = {}, shortBuffer[MAX_PATH] = L"unchanged";
    ::GetLongPathNameW(std::wstring(folder, ::GetTempPathW(MAX_PATH, folder)).c_str(), folder, MAX_PATH);
    // A path that does not exist, so no overwrite question comes up.
    const std::wstring path = std::wstring(folder) + L"orvane-shell-dialog.txt";
    ::DeleteFileW(path.c_str());
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    {
        CShellFileSaveDialog dialog;
        ASSERT_EQ(dialog.Create(), S_OK);
        EXPECT_EQ(dialog.SetFileName(path.c_str()), S_OK);
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &PressSave);
        EXPECT_EQ(dialog.Show(nullptr), S_OK);
        ::KillTimer(nullptr, timer);
        EXPECT_EQ(dialog.GetFilePath(shortBuffer, path.size()), DISP_E_BUFFERTOOSMALL);
    }
    ::CoUninitialize();
    EXPECT_STREQ(shortBuffer, L"unchanged");
}
