// The shell's save dialog as the program sets it up, driven once as a user would: the typed path
// comes back, and a buffer one character short of it is refused and left alone.
#include "FileDialog.h"
#include "ModalDialogScript.h"

#include <gtest/gtest.h>

#include <string>

TEST(ShellFileSaveDialog, TheTypedPathComesBackIntoABufferThatHoldsIt)
{
    wchar_t folder[MAX_PATH] = {}, path[MAX_PATH] = {}, shortBuffer[MAX_PATH] = L"unchanged";
    ::GetLongPathNameW(std::wstring(folder, ::GetTempPathW(MAX_PATH, folder)).c_str(), folder, MAX_PATH);
    // A path that does not exist, so no overwrite question comes up.
    const std::wstring typed = std::wstring(folder) + L"orvane-shell-dialog.txt";
    ::DeleteFileW(typed.c_str());
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    HRESULT shown = E_FAIL;
    {
        CShellFileSaveDialog dialog;
        ASSERT_EQ(dialog.Create(), S_OK);
        EXPECT_EQ(dialog.SetFileName(L"Orvane.txt"), S_OK);
        // The path typed over the visible edit that shows the proposed name, wherever the dialog
        // keeps it, then Save.
        auto typeAndSave = [&](HWND window) {
            ::EnumChildWindows(window, [](HWND child, LPARAM text) -> BOOL {
                wchar_t className[8] = {}, showing[16] = {};
                ::GetClassNameW(child, className, 8);
                ::GetWindowTextW(child, showing, 16);
                const bool field = _wcsicmp(className, L"Edit") == 0 && ::IsWindowVisible(child) &&
                                   wcscmp(showing, L"Orvane.txt") == 0;
                return !(field && ::SetWindowTextW(child, reinterpret_cast<const wchar_t*>(text)));
            }, reinterpret_cast<LPARAM>(typed.c_str()));
            ::PostMessageW(window, WM_COMMAND, IDOK, 0);
        };
        shown = static_cast<HRESULT>(CModalDialogScript::Run(
            [&] { return static_cast<INT_PTR>(dialog.Show(nullptr)); }, typeAndSave, 20000));
        EXPECT_EQ(dialog.GetFilePath(path, typed.size() + 1), S_OK);
        EXPECT_EQ(dialog.GetFilePath(shortBuffer, typed.size()), DISP_E_BUFFERTOOSMALL);
    }
    ::CoUninitialize();
    EXPECT_EQ(shown, S_OK);
    EXPECT_EQ(_wcsicmp(path, typed.c_str()), 0) << testing::PrintToString(std::wstring(path));
    EXPECT_STREQ(shortBuffer, L"unchanged");
}
