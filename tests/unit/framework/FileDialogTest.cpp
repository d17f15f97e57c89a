// The save dialogs as the system shows them: each one is driven once in this process, the
// way a user would (read the proposed name, type a path, press the button), and the
// wrapper must hand back what was typed.
#include "framework/FileDialog.h"
#include "ModalDialogScript.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
const COMDLG_FILTERSPEC kTypes[] = {{L"Text Documents (*.txt)", L"*.txt"}, {L"All Files (*.*)", L"*.*"}};
const wchar_t kClassicFilter[] = L"Text Documents (*.txt)\0*.txt\0All Files (*.*)\0*.*\0";
constexpr DWORD kSaveFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;

std::wstring TextOf(HWND window)
{
    wchar_t text[MAX_PATH] = {};
    ::GetWindowTextW(window, text, MAX_PATH);
    return text;
}

// The visible edit control of dialog that shows text, or null.
HWND FindEditShowing(HWND dialog, const std::wstring& text)
{
    struct Search
    {
        const std::wstring* text;
        HWND found;
    } search{&text, nullptr};
    ::EnumChildWindows(
        dialog,
        [](HWND child, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            wchar_t className[16] = {};
            ::GetClassNameW(child, className, 16);
            if (_wcsicmp(className, L"Edit") != 0 || !::IsWindowVisible(child) || TextOf(child) != *s->text)
                return TRUE;
            s->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// What the user did in the dialog: the name it proposed, and whether it could be typed over.
struct Typing
{
    std::wstring proposed;
    std::wstring typed;
    bool foundNameField = false;
};

// Types typed over the proposed name and presses the default button; with nothing to
// type, presses Cancel.
void TypeAndPress(HWND dialog, Typing& typing)
{
    HWND name = FindEditShowing(dialog, typing.proposed);
    typing.foundNameField = name != nullptr;
    if (typing.typed.empty() || name == nullptr)
    {
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return;
    }
    ::SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typing.typed.c_str()));
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
}

// A path in the temporary folder that does not exist, so no overwrite question comes up.
std::wstring FreshPath(const wchar_t* name)
{
    wchar_t folder[MAX_PATH] = {};
    wchar_t longFolder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    ::GetLongPathNameW(folder, longFolder, MAX_PATH);
    std::wstring path = std::wstring(longFolder) + name;
    ::DeleteFileW(path.c_str());
    return path;
}

class ShellFileSaveDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        ASSERT_TRUE(SUCCEEDED(hr));
        m_comStarted = true;
    }
    void TearDown() override
    {
        if (m_comStarted)
            ::CoUninitialize();
    }

    // Sets the dialog up as the program does and runs it with the typing script.
    HRESULT ShowProgramDialog(CShellFileSaveDialog& dialog, Typing& typing)
    {
        EXPECT_EQ(dialog.SetFileName(typing.proposed.c_str()), S_OK);
        EXPECT_EQ(dialog.SetOptions(FOS_OVERWRITEPROMPT | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST), S_OK);
        EXPECT_EQ(dialog.SetDefaultExtension(L".txt"), S_OK);
        EXPECT_EQ(dialog.SetFileTypes(2, kTypes), S_OK);
        return static_cast<HRESULT>(CModalDialogScript::Run(
            [&] { return static_cast<INT_PTR>(dialog.Show(nullptr)); },
            [&](HWND window) { TypeAndPress(window, typing); }, 20000));
    }

    bool m_comStarted = false;
};
} // namespace

TEST_F(ShellFileSaveDialogTest, CanBeCreated)
{
    CShellFileSaveDialog dialog;
    EXPECT_EQ(dialog.Create(), S_OK);
    EXPECT_TRUE(dialog.IsCreated());
}

TEST_F(ShellFileSaveDialogTest, CallsBeforeCreateFailWithoutTouchingTheBuffer)
{
    CShellFileSaveDialog dialog;
    wchar_t path[MAX_PATH] = L"unchanged";
    EXPECT_EQ(dialog.SetFileName(L"Orvane.txt"), E_POINTER);
    EXPECT_EQ(dialog.Show(nullptr), E_POINTER);
    EXPECT_EQ(dialog.GetFilePath(path, MAX_PATH), E_POINTER);
    EXPECT_STREQ(path, L"unchanged");
}

TEST_F(ShellFileSaveDialogTest, TypedPathComesBack)
{
    CShellFileSaveDialog dialog;
    ASSERT_EQ(dialog.Create(), S_OK);
    Typing typing{L"Orvane.txt", FreshPath(L"orvane-shell-dialog.txt")};

    ASSERT_EQ(ShowProgramDialog(dialog, typing), S_OK);
    EXPECT_TRUE(typing.foundNameField);

    wchar_t path[MAX_PATH] = {};
    ASSERT_EQ(dialog.GetFilePath(path, MAX_PATH), S_OK);
    EXPECT_EQ(_wcsicmp(path, typing.typed.c_str()), 0) << "got " << testing::PrintToString(std::wstring(path));
}

TEST_F(ShellFileSaveDialogTest, PathThatDoesNotFitIsRefusedAndBufferKept)
{
    CShellFileSaveDialog dialog;
    ASSERT_EQ(dialog.Create(), S_OK);
    Typing typing{L"Orvane.txt", FreshPath(L"orvane-shell-dialog.txt")};
    ASSERT_EQ(ShowProgramDialog(dialog, typing), S_OK);

    // Room for every character but not the terminator.
    wchar_t path[MAX_PATH] = L"unchanged";
    EXPECT_EQ(dialog.GetFilePath(path, typing.typed.size()), DISP_E_BUFFERTOOSMALL);
    EXPECT_STREQ(path, L"unchanged");
}

TEST_F(ShellFileSaveDialogTest, CancelIsAFailure)
{
    CShellFileSaveDialog dialog;
    ASSERT_EQ(dialog.Create(), S_OK);
    Typing typing{L"Orvane.txt", L""};
    EXPECT_EQ(ShowProgramDialog(dialog, typing), HRESULT_FROM_WIN32(ERROR_CANCELLED));
    EXPECT_TRUE(typing.foundNameField); // the proposed name was shown
}

TEST(ClassicFileDialog, AddsExplorerHookAndSizingToTheCallersFlags)
{
    CFileDialog dialog(FALSE, L".txt", L"Orvane.txt", kSaveFlags, kClassicFilter);
    EXPECT_EQ(dialog.m_ofn.Flags, 0x880826u);
    EXPECT_NE(dialog.m_ofn.lpfnHook, nullptr);
}

TEST(ClassicFileDialog, TypedPathComesBackAndTheHookSawTheDialog)
{
    CFileDialog dialog(FALSE, L".txt", L"Orvane.txt", kSaveFlags, kClassicFilter);
    Typing typing{L"Orvane.txt", FreshPath(L"orvane-classic-dialog.txt")};
    HWND shown = nullptr;
    HWND tracked = nullptr;

    const INT_PTR result = CModalDialogScript::Run([&] { return dialog.DoModal(nullptr); },
                                                   [&](HWND window) {
                                                       shown = window;
                                                       tracked = dialog.m_hWnd;
                                                       TypeAndPress(window, typing);
                                                   },
                                                   20000);
    ASSERT_EQ(result, IDOK);
    EXPECT_TRUE(typing.foundNameField);
    EXPECT_EQ(_wcsicmp(dialog.m_szFileName, typing.typed.c_str()), 0)
        << "got " << testing::PrintToString(std::wstring(dialog.m_szFileName));
    EXPECT_STREQ(dialog.m_szFileTitle, L"orvane-classic-dialog.txt");
    EXPECT_EQ(tracked, shown);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST(ClassicFileDialog, CancelGivesIdCancel)
{
    CFileDialog dialog(FALSE, L".txt", L"Orvane.txt", kSaveFlags, kClassicFilter);
    Typing typing{L"Orvane.txt", L""};
    const INT_PTR result = CModalDialogScript::Run([&] { return dialog.DoModal(nullptr); },
                                                   [&](HWND window) { TypeAndPress(window, typing); }, 20000);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(typing.foundNameField);
}
