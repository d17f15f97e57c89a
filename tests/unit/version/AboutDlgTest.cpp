// The About box as the user meets it: a real modal dialog in this process, read and closed
// from inside its own message loop.
#include "unit/framework/ModalDialogScript.h"
#include "UniqueHandle.h"
#include "version.h"
#include "AboutDlg.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace
{
std::wstring ControlText(HWND dialog, int id)
{
    wchar_t text[256] = {};
    ::GetDlgItemTextW(dialog, id, text, 256);
    return text;
}

// Runs the About box over owner; script reads it and ends it.
INT_PTR ShowAbout(HWND owner, const std::function<void(HWND)>& script)
{
    CAboutDlg dlg;
    return CModalDialogScript::Run([&] { return dlg.DoModal(owner); }, script);
}

void PressOk(HWND dialog)
{
    ::SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
}

class AboutDlg : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LINK_CLASS | ICC_STANDARD_CLASSES};
        ::InitCommonControlsEx(&controls);
    }
};
} // namespace

TEST_F(AboutDlg, ShowsDescriptionVersionCopyrightAndSite)
{
    LITEM link{};
    link.mask = LIF_ITEMINDEX | LIF_URL;
    ShowAbout(nullptr, [&](HWND dialog) {
        EXPECT_EQ(ControlText(dialog, IDC_ABOUT_DESCRIPTION), L"Orvane (64-bit)");
        EXPECT_EQ(ControlText(dialog, IDC_ABOUT_VERSION), L"Version 2.1 (build 17)");
        EXPECT_EQ(ControlText(dialog, IDC_ABOUT_COPYRIGHT), L"Copyright (C) 2026 Orvane contributors");
        ::SendDlgItemMessageW(dialog, IDC_ABOUT_LINK, LM_GETITEM, 0, reinterpret_cast<LPARAM>(&link));
        PressOk(dialog);
    });
    CString site;
    site.Format(L"%hs", ORVANE_WEB_SITE_TEXT);
    EXPECT_EQ(CString(link.szUrl), site);
}

TEST_F(AboutDlg, OkEscapeAndTheCloseButtonEndIt)
{
    EXPECT_EQ(ShowAbout(nullptr, PressOk), IDOK);
    EXPECT_EQ(ShowAbout(nullptr, [](HWND dialog) {
                  ::PostMessageW(::GetDlgItem(dialog, IDC_ABOUT_LINK), WM_KEYDOWN, VK_ESCAPE, 0);
              }),
              IDCANCEL);
    EXPECT_EQ(ShowAbout(nullptr, [](HWND dialog) { ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }),
              IDCANCEL);
}

TEST_F(AboutDlg, CentredOverAVisibleOwner)
{
    unique_hwnd owner(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 100, 80, 701, 501, nullptr,
                                        nullptr, nullptr, nullptr));
    RECT dialogRect{};
    ShowAbout(owner.get(), [&](HWND dialog) {
        ::GetWindowRect(dialog, &dialogRect);
        PressOk(dialog);
    });
    EXPECT_EQ(dialogRect.left, (100 + 801) / 2 - (dialogRect.right - dialogRect.left) / 2);
    EXPECT_EQ(dialogRect.top, (80 + 581) / 2 - (dialogRect.bottom - dialogRect.top) / 2);
}

// The shell's "open" verb on the link: a handler for a scheme of the test's own stands in
// for the browser and writes down the address it was given.
TEST_F(AboutDlg, EnterOnTheLinkOpensItAndKeepsTheDialog)
{
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring marker = std::wstring(temp) + L"orvane-about-link.txt";
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
    ShowAbout(nullptr, [&](HWND dialog) {
        LITEM link{};
        link.mask = LIF_ITEMINDEX | LIF_URL;
        wcscpy(link.szUrl, L"orvane-about-test:probe");
        HWND control = ::GetDlgItem(dialog, IDC_ABOUT_LINK);
        ::SendMessageW(control, LM_SETITEM, 0, reinterpret_cast<LPARAM>(&link));
        ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
        ::PostMessageW(control, WM_KEYDOWN, VK_RETURN, 0);
        CModalDialogScript::PumpUntil([&] { return !opened().empty(); }, 8000);
        stillOpen = ::IsWindowVisible(dialog) != FALSE;
        PressOk(dialog);
    });
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L"orvane-about-test");
    EXPECT_EQ(opened(), "orvane-about-test:probe");
    EXPECT_TRUE(stillOpen);
    ::DeleteFileW(marker.c_str());
}
