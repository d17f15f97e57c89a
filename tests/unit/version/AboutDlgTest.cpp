// The About box as the user meets it: a real modal dialog in this process, read and closed
// from inside its own message loop.
#include "framework/ModalDialogScript.h"
#include "framework/UniqueHandle.h"
#include "framework/WideString.h"
#include "version.h"
#include "version/AboutDlg.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace
{
std::wstring TextOf(HWND window)
{
    wchar_t text[256] = {};
    ::GetWindowTextW(window, text, 256);
    return text;
}

std::wstring ControlText(HWND dialog, int id)
{
    return TextOf(::GetDlgItem(dialog, id));
}

// A plain visible top-level window to own the dialog.
unique_hwnd CreateOwner(int x, int y, int width, int height)
{
    return unique_hwnd(::CreateWindowExW(0, L"STATIC", L"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, width,
                                         height, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
}

// Runs the About box modally over owner, calls look(dialog) once it is up, then presses OK.
INT_PTR ShowAbout(HWND owner, const std::function<void(HWND)>& look)
{
    CAboutDlg dlg;
    return CModalDialogScript::Run([&] { return dlg.DoModal(owner); },
                                   [&](HWND dialog) {
                                       look(dialog);
                                       ::SendMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
                                   });
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

TEST_F(AboutDlg, ShowsDescriptionVersionAndCopyright)
{
    std::wstring description, version, copyright;
    ShowAbout(nullptr, [&](HWND dialog) {
        description = ControlText(dialog, IDC_ABOUT_DESCRIPTION);
        version = ControlText(dialog, IDC_ABOUT_VERSION);
        copyright = ControlText(dialog, IDC_ABOUT_COPYRIGHT);
    });
    EXPECT_EQ(description, L"Orvane (64-bit)");
    EXPECT_EQ(version, L"Version 2.1 (build 17)");
    EXPECT_EQ(copyright, L"Copyright (C) 2026 Orvane contributors");
}

TEST_F(AboutDlg, LinkLeadsToTheWebSite)
{
    LITEM item{};
    ShowAbout(nullptr, [&](HWND dialog) {
        item.mask = LIF_ITEMINDEX | LIF_URL;
        item.iLink = 0;
        ::SendMessageW(::GetDlgItem(dialog, IDC_ABOUT_LINK), LM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
    });
    CString site;
    site.Format(L"%hs", ORVANE_WEB_SITE_TEXT);
    EXPECT_EQ(std::wstring(item.szUrl), site.Str());
}

TEST_F(AboutDlg, TemplateLayout)
{
    struct Expected
    {
        int id;
        const wchar_t* className;
        RECT units; // x, y, width, height in dialog units
        DWORD style;
    };
    const Expected controls[] = {
        {IDC_ABOUT_DESCRIPTION, L"Static", {50, 18, 165, 8}, WS_GROUP},
        {IDC_ABOUT_VERSION, L"Static", {50, 30, 150, 8}, WS_GROUP},
        {IDC_ABOUT_COPYRIGHT, L"Static", {50, 42, 165, 8}, WS_GROUP},
        {IDC_ABOUT_LINK, L"SysLink", {50, 55, 165, 14}, WS_TABSTOP},
        {IDOK, L"Button", {86, 94, 50, 14}, WS_TABSTOP | BS_DEFPUSHBUTTON},
    };
    ShowAbout(nullptr, [&](HWND dialog) {
        EXPECT_EQ(TextOf(dialog), L"About Orvane");
        RECT size{0, 0, 222, 115};
        ::MapDialogRect(dialog, &size);
        RECT client{};
        ::GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, size.right);
        EXPECT_EQ(client.bottom, size.bottom);

        for (const Expected& expected : controls)
        {
            SCOPED_TRACE(expected.id);
            HWND control = ::GetDlgItem(dialog, expected.id);
            ASSERT_NE(control, nullptr);
            wchar_t className[32] = {};
            ::GetClassNameW(control, className, 32);
            EXPECT_EQ(_wcsicmp(className, expected.className), 0) << className;
            EXPECT_EQ(::GetWindowLongPtrW(control, GWL_STYLE) & expected.style, static_cast<LONG_PTR>(expected.style));
            RECT units = expected.units;
            ::MapDialogRect(dialog, &units);
            RECT actual{};
            ::GetWindowRect(control, &actual);
            ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
            EXPECT_EQ(actual.left, units.left);
            EXPECT_EQ(actual.top, units.top);
            EXPECT_EQ(actual.right - actual.left, units.right);
            EXPECT_EQ(actual.bottom - actual.top, units.bottom);
        }
        EXPECT_EQ(::SendMessageW(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
    });
}

TEST_F(AboutDlg, ShowsTheProgramIcon)
{
    LRESULT icon = 0;
    ShowAbout(nullptr, [&](HWND dialog) {
        HWND iconControl = ::GetWindow(::GetDlgItem(dialog, IDC_ABOUT_DESCRIPTION), GW_HWNDPREV);
        icon = ::SendMessageW(iconControl, STM_GETICON, 0, 0);
    });
    EXPECT_NE(icon, 0);
}

TEST_F(AboutDlg, TextsFitTheirControls)
{
    ShowAbout(nullptr, [&](HWND dialog) {
        auto font = reinterpret_cast<HFONT>(::SendMessageW(dialog, WM_GETFONT, 0, 0));
        unique_screen_dc screen;
        HGDIOBJ previous = ::SelectObject(screen.get(), font);
        for (int id : {IDC_ABOUT_DESCRIPTION, IDC_ABOUT_VERSION, IDC_ABOUT_COPYRIGHT})
        {
            SCOPED_TRACE(id);
            const std::wstring text = ControlText(dialog, id);
            SIZE extent{};
            ::GetTextExtentPoint32W(screen.get(), text.c_str(), static_cast<int>(text.size()), &extent);
            RECT client{};
            ::GetClientRect(::GetDlgItem(dialog, id), &client);
            EXPECT_LE(extent.cx, client.right);
            EXPECT_LE(extent.cy, client.bottom);
        }
        ::SelectObject(screen.get(), previous);
    });
}

TEST_F(AboutDlg, OkButtonClosesWithIdok)
{
    CAboutDlg dlg;
    const INT_PTR result = CModalDialogScript::Run([&] { return dlg.DoModal(nullptr); }, [](HWND dialog) {
        ::SendMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(result, IDOK);
}

TEST_F(AboutDlg, EscapeClosesWithIdcancel)
{
    CAboutDlg dlg;
    const INT_PTR result = CModalDialogScript::Run([&] { return dlg.DoModal(nullptr); }, [](HWND dialog) {
        ::PostMessageW(::GetDlgItem(dialog, IDOK), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(AboutDlg, CloseButtonClosesWithIdcancel)
{
    CAboutDlg dlg;
    const INT_PTR result = CModalDialogScript::Run([&] { return dlg.DoModal(nullptr); }, [](HWND dialog) {
        ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(AboutDlg, OtherCommandsDoNotClose)
{
    CAboutDlg dlg;
    bool openAfterCommand = false;
    const INT_PTR result = CModalDialogScript::Run([&] { return dlg.DoModal(nullptr); }, [&](HWND dialog) {
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_LINK, 0), 0);
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(ID_APP_ABOUT, 0), 0);
        openAfterCommand = CModalDialogScript::PumpUntil([] { return false; }, 100) == false &&
                           ::IsWindowVisible(dialog);
        ::SendMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_TRUE(openAfterCommand);
    EXPECT_EQ(result, IDOK);
}

TEST_F(AboutDlg, CentredOverAVisibleOwner)
{
    unique_hwnd owner = CreateOwner(100, 80, 701, 501);
    ASSERT_TRUE(owner);
    RECT ownerRect{}, dialogRect{};
    const INT_PTR result = ShowAbout(owner.get(), [&](HWND dialog) {
        ::GetWindowRect(owner.get(), &ownerRect);
        ::GetWindowRect(dialog, &dialogRect);
    });
    EXPECT_EQ(result, IDOK);
    const LONG width = dialogRect.right - dialogRect.left;
    const LONG height = dialogRect.bottom - dialogRect.top;
    EXPECT_EQ(dialogRect.left, (ownerRect.left + ownerRect.right) / 2 - width / 2);
    EXPECT_EQ(dialogRect.top, (ownerRect.top + ownerRect.bottom) / 2 - height / 2);
}

TEST_F(AboutDlg, CentredOnTheWorkAreaWhenTheOwnerIsHidden)
{
    unique_hwnd owner = CreateOwner(0, 0, 300, 200);
    ASSERT_TRUE(owner);
    ::ShowWindow(owner.get(), SW_HIDE);
    RECT dialogRect{};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ShowAbout(owner.get(), [&](HWND dialog) {
        ::GetWindowRect(dialog, &dialogRect);
        ::GetMonitorInfoW(::MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &monitor);
    });
    const RECT& work = monitor.rcWork;
    EXPECT_EQ(dialogRect.left, (work.left + work.right) / 2 - (dialogRect.right - dialogRect.left) / 2);
    EXPECT_EQ(dialogRect.top, (work.top + work.bottom) / 2 - (dialogRect.bottom - dialogRect.top) / 2);
}

// The link opens through the shell's "open" verb; a handler for a scheme of the test's own
// stands in for the browser and writes down the address it was given.
class AboutDlgLink : public AboutDlg
{
protected:
    static constexpr const wchar_t* kScheme = L"orvane-about-test";

    void SetUp() override
    {
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        m_marker = std::wstring(temp) + L"orvane-about-link.txt";
        ::DeleteFileW(m_marker.c_str());

        const std::wstring key = kScheme;
        const std::wstring command = L"cmd.exe /c echo %1>\"" + m_marker + L"\"";
        ASSERT_EQ(::RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), L"URL Protocol", REG_SZ, L"", sizeof(wchar_t)),
                  ERROR_SUCCESS);
        ASSERT_EQ(::RegSetKeyValueW(HKEY_CLASSES_ROOT, (key + L"\\shell\\open\\command").c_str(), nullptr, REG_SZ,
                                    command.c_str(), static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }

    void TearDown() override
    {
        ::RegDeleteTreeW(HKEY_CLASSES_ROOT, kScheme);
        ::DeleteFileW(m_marker.c_str());
    }

    // Points link 0 of the dialog at the test's scheme.
    static void RedirectLink(HWND dialog)
    {
        LITEM item{};
        item.mask = LIF_ITEMINDEX | LIF_URL;
        item.iLink = 0;
        wcscpy(item.szUrl, L"orvane-about-test:probe");
        ::SendMessageW(::GetDlgItem(dialog, IDC_ABOUT_LINK), LM_SETITEM, 0, reinterpret_cast<LPARAM>(&item));
    }

    std::string OpenedAddress() const
    {
        std::ifstream file(m_marker.c_str());
        std::string line;
        std::getline(file, line);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        return line;
    }

    bool WaitForHandler() const
    {
        return CModalDialogScript::PumpUntil([this] { return !OpenedAddress().empty(); }, 8000);
    }

    std::wstring m_marker;
};

TEST_F(AboutDlgLink, EnterOnTheFocusedLinkOpensItAndKeepsTheDialog)
{
    bool opened = false, stillOpen = false;
    const INT_PTR result = ShowAbout(nullptr, [&](HWND dialog) {
        RedirectLink(dialog);
        HWND link = ::GetDlgItem(dialog, IDC_ABOUT_LINK);
        ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(link), TRUE);
        ::PostMessageW(link, WM_KEYDOWN, VK_RETURN, 0);
        opened = WaitForHandler();
        stillOpen = ::IsWindowVisible(dialog) != FALSE;
    });
    EXPECT_TRUE(opened);
    EXPECT_EQ(OpenedAddress(), "orvane-about-test:probe");
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(result, IDOK);
}

// Sent as the link control sends it: Wine's control numbers a clicked link that follows
// plain text as link 1 instead of 0, so a real click cannot stand in for it here.
TEST_F(AboutDlgLink, ClickOnTheLinkOpensIt)
{
    bool opened = false;
    ShowAbout(nullptr, [&](HWND dialog) {
        NMLINK click{};
        click.hdr.hwndFrom = ::GetDlgItem(dialog, IDC_ABOUT_LINK);
        click.hdr.idFrom = IDC_ABOUT_LINK;
        click.hdr.code = NM_CLICK;
        click.item.iLink = 0;
        wcscpy(click.item.szUrl, L"orvane-about-test:clicked");
        ::SendMessageW(dialog, WM_NOTIFY, IDC_ABOUT_LINK, reinterpret_cast<LPARAM>(&click));
        opened = WaitForHandler();
    });
    EXPECT_TRUE(opened);
    EXPECT_EQ(OpenedAddress(), "orvane-about-test:clicked");
}
