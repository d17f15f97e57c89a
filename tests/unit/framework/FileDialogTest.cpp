// The save dialogs as the system shows them, each driven once in this process the way a
// user would: find the proposed name, type a path over it, press the default button.
#include "FileDialog.h"
#include "ModalDialogScript.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
const wchar_t kProposed[] = L"Orvane.txt";

// Types path over the visible edit showing the proposed name and presses the default button;
// cancels when that name is nowhere to be seen.
void TypeOverProposedName(HWND dialog, const std::wstring& path)
{
    HWND name = nullptr;
    ::EnumChildWindows(
        dialog,
        [](HWND child, LPARAM found) -> BOOL {
            wchar_t className[16] = {}, shown[MAX_PATH] = {};
            ::GetClassNameW(child, className, 16);
            ::GetWindowTextW(child, shown, MAX_PATH);
            if (_wcsicmp(className, L"Edit") != 0 || !::IsWindowVisible(child) || wcscmp(shown, kProposed) != 0)
                return TRUE;
            *reinterpret_cast<HWND*>(found) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&name));
    if (name != nullptr)
        ::SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    const int button = name != nullptr ? IDOK : IDCANCEL;
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, button)));
}

// A path in the temporary folder (long form, as the dialogs return it) that does not exist,
// so no overwrite question comes up.
std::wstring FreshPath(const wchar_t* name)
{
    wchar_t folder[MAX_PATH] = {}, longFolder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    ::GetLongPathNameW(folder, longFolder, MAX_PATH);
    std::wstring path = std::wstring(longFolder) + name;
    ::DeleteFileW(path.c_str());
    return path;
}
} // namespace

TEST(ShellFileSaveDialog, CreatedShownAndTheTypedPathComesBack)
{
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    const std::wstring typed = FreshPath(L"orvane-shell-dialog.txt");
    wchar_t path[MAX_PATH] = {}, shortBuffer[MAX_PATH] = L"unchanged";
    HRESULT shown = E_FAIL;
    {
        const COMDLG_FILTERSPEC types[] = {{L"Text Documents (*.txt)", L"*.txt"}, {L"All Files (*.*)", L"*.*"}};
        CShellFileSaveDialog dialog;
        ASSERT_EQ(dialog.Create(), S_OK);
        EXPECT_EQ(dialog.SetFileName(kProposed), S_OK);
        EXPECT_EQ(dialog.SetOptions(FOS_OVERWRITEPROMPT | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST), S_OK);
        EXPECT_EQ(dialog.SetFileTypes(2, types), S_OK);
        shown = static_cast<HRESULT>(CModalDialogScript::Run([&] { return static_cast<INT_PTR>(dialog.Show(nullptr)); },
                                                             [&](HWND window) { TypeOverProposedName(window, typed); },
                                                             20000));
        EXPECT_EQ(dialog.GetFilePath(path, MAX_PATH), S_OK);
        // No room for the terminator: refused, and the buffer left alone.
        EXPECT_EQ(dialog.GetFilePath(shortBuffer, typed.size()), DISP_E_BUFFERTOOSMALL);
    }
    ::CoUninitialize();
    EXPECT_EQ(shown, S_OK);
    EXPECT_EQ(_wcsicmp(path, typed.c_str()), 0) << testing::PrintToString(std::wstring(path));
    EXPECT_STREQ(shortBuffer, L"unchanged");
}

TEST(ClassicFileDialog, TypedPathComesBackAndTheHookSawTheDialog)
{
    CFileDialog dialog(L".txt", kProposed, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST,
                       L"Text Documents (*.txt)\0*.txt\0All Files (*.*)\0*.*\0");
    const std::wstring typed = FreshPath(L"orvane-classic-dialog.txt");
    HWND shown = nullptr, tracked = nullptr;
    const INT_PTR result = CModalDialogScript::Run([&] { return dialog.DoModal(nullptr); },
                                                   [&](HWND window) {
                                                       shown = window;
                                                       tracked = dialog.m_hWnd;
                                                       TypeOverProposedName(window, typed);
                                                   },
                                                   20000);
    ASSERT_EQ(result, IDOK);
    EXPECT_EQ(_wcsicmp(dialog.m_szFileName, typed.c_str()), 0) << testing::PrintToString(std::wstring(dialog.m_szFileName));
    EXPECT_STREQ(dialog.m_szFileTitle, L"orvane-classic-dialog.txt");
    EXPECT_EQ(tracked, shown);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}
