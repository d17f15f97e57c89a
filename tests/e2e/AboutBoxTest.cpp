// Help > About: a modal box centred over the frame with the description, version and copyright
// of the program's version record, ended by OK or Escape.
#include "OrvaneTest.h"
#include "Wait.h"
#include "WindowQuery.h"
#include "version.h"

class AboutBoxTest : public OrvaneTest {};

TEST_F(AboutBoxTest, HelpAboutShowsTheVersionRecordInAModalBoxOverTheFrame)
{
    // Off the screen's centre, so that a box centred on the screen cannot pass.
    ASSERT_TRUE(::SetWindowPos(m_orvane.Frame(), nullptr, 30, 40, 641, 481, SWP_NOZORDER | SWP_NOACTIVATE));
    ASSERT_TRUE(m_menus.Choose(kHelpMenu, ID_APP_ABOUT));
    HWND box = WaitForMessageBox(m_orvane.ProcessId(), kDialogWaitMs); // any dialog of the program
    ASSERT_NE(box, nullptr) << "Help > About showed nothing";
    auto text = [box](int id) {
        std::wstring read;
        EXPECT_TRUE(ReadWindowText(id == 0 ? box : ::GetDlgItem(box, id), read)) << id;
        return read;
    };
    EXPECT_EQ(text(0), L"About Orvane");
    EXPECT_EQ(text(IDC_ABOUT_DESCRIPTION), L"Orvane (64-bit)");
    EXPECT_EQ(text(IDC_ABOUT_VERSION), L"Version " + std::to_wstring(ORVANE_VERSION_MAJOR) + L"." +
                                           std::to_wstring(ORVANE_VERSION_MINOR) + L" (build " +
                                           std::to_wstring(ORVANE_VERSION_PATCH) + L")");
    EXPECT_EQ(text(IDC_ABOUT_COPYRIGHT), L"Copyright (C) 2026 Orvane contributors");
    EXPECT_EQ(::GetWindow(box, GW_OWNER), m_orvane.Frame());
    EXPECT_FALSE(::IsWindowEnabled(m_orvane.Frame())) << "the About box is not modal";
    EXPECT_TRUE(IsCentredOver(WindowRect(box), WindowRect(m_orvane.Frame())));

    EXPECT_TRUE(PressMessageBoxButton(box, IDOK, kDialogWaitMs)) << "OK left the About box open";
    EXPECT_TRUE(NothingOpenAfterSync());
    EXPECT_TRUE(::IsWindowEnabled(m_orvane.Frame()));

    // Escape ends it too (the caption's close button sends the same Cancel).
    ASSERT_TRUE(m_menus.Choose(kHelpMenu, ID_APP_ABOUT));
    box = WaitForMessageBox(m_orvane.ProcessId(), kDialogWaitMs);
    ASSERT_TRUE(box != nullptr && ::PostMessageW(::GetDlgItem(box, IDOK), WM_KEYDOWN, VK_ESCAPE, 0));
    EXPECT_TRUE(WaitUntil([box] { return !::IsWindow(box); }, kDialogWaitMs)) << "Escape left the About box open";
}
