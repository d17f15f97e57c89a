// The About box as a real modal dialog in this process, driven from inside its own loop: OK,
// Escape and the caption's close button end it, and Enter on the link opens its address.
#include "framework/ModalDialogScript.h"
#include "version/AboutDlg.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>

namespace
{
INT_PTR ShowAbout(const std::function<void(HWND)>& script)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LINK_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    CAboutDlg dlg;
    return CModalDialogScript::Run([&] { return dlg.DoModal(nullptr); }, script);
}
} // namespace

TEST(AboutDlg, OkEscapeAndTheCloseButtonEndIt)
{
    EXPECT_EQ(ShowAbout([](HWND dialog) { ::SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0); }), IDOK);
    EXPECT_EQ(ShowAbout([](HWND dialog) { ::PostMessageW(::GetDlgItem(dialog, IDOK), WM_KEYDOWN, VK_ESCAPE, 0); }),
              IDCANCEL);
    EXPECT_EQ(ShowAbout([](HWND dialog) { ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }), IDCANCEL);
}

// The shell's "open" verb: a handler for a scheme of the test's own stands in for the browser
// and writes down the address it was given.
TEST(AboutDlg, EnterOnTheLinkOpensItAndKeepsTheDialog)
{
    wchar_t temp[MAX_PATH] = {};
    const std::wstring marker = std::wstring(temp, ::GetTempPathW(MAX_PATH, temp)) + L"orvane-about-link.txt";
    ::DeleteFileW(marker.c_str());
    const std::wstring command = L"cmd.exe /c echo %1>\"" + marker + L"\"";
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CLASSES_ROOT, L"orvane-about-test\\shell\\open\\command", nullptr, REG_SZ,
                                command.c_str(), static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    auto opened = [&] {
        std::string line;
        std::getline(std::ifstream(marker.c_str()) >> std::ws, line);
        return line.substr(0, line.find_last_not_of("\r ") + 1);
    };
    bool stillOpen = false;
    std::string address;
    ShowAbout([&](HWND dialog) {
        LITEM link{};
        link.mask = LIF_ITEMINDEX | LIF_URL;
        wcscpy(link.szUrl, L"orvane-about-test:probe");
        HWND control = ::GetDlgItem(dialog, IDC_ABOUT_LINK);
        ::SendMessageW(control, LM_SETITEM, 0, reinterpret_cast<LPARAM>(&link));
        ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
        ::SendMessageW(control, WM_KEYDOWN, VK_RETURN, 0);
        CModalDialogScript::PumpUntil([&] { return !(address = opened()).empty(); }, 8000);
        stillOpen = ::IsWindowVisible(dialog) != FALSE;
        ::SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
    });
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L"orvane-about-test");
    ::DeleteFileW(marker.c_str());
    EXPECT_EQ(address, "orvane-about-test:probe");
    EXPECT_TRUE(stillOpen);
}
