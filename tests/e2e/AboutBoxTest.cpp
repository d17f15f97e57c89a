// Help > About shows the program's description, version and copyright in a modal box over the
// frame; OK, Esc and the caption's close button each end it, and device events keep arriving
// in the log while it is open.
#include "LogText.h"
#include "OrvaneUserTest.h"
#include "Wait.h"
#include "WindowQuery.h"
#include "resource.h"

namespace
{
constexpr wchar_t kAboutTitle[] = L"About Orvane";

class AboutBox : public OrvaneUserTest
{
protected:
    HWND WaitForAboutBox()
    {
        HWND box = nullptr;
        WaitUntil(
            [&] {
                const auto found = FindTopLevelWindows(m_orvane.ProcessId(), L"#32770", kAboutTitle);
                box = found.empty() ? nullptr : found.front();
                return box != nullptr;
            },
            kDialogWaitMs);
        return box;
    }

    HWND OpenAboutBox() { return PostCommand(ID_APP_ABOUT) ? WaitForAboutBox() : nullptr; }

    std::wstring ControlText(HWND box, int id)
    {
        std::wstring text;
        HWND control = ::GetDlgItem(box, id);
        EXPECT_NE(control, nullptr) << "no control " << id;
        EXPECT_TRUE(control == nullptr || ReadWindowText(control, text));
        return text;
    }

    // The box went away and left the frame usable again.
    void ExpectClosed(HWND box)
    {
        EXPECT_TRUE(WaitUntil([box] { return !::IsWindow(box); }, kDialogWaitMs)) << "the About box stayed open";
        EXPECT_TRUE(NothingOpenAfterSync());
        EXPECT_TRUE(m_orvane.IsRunning());
        EXPECT_TRUE(::IsWindowEnabled(m_orvane.Frame()));
    }

    // The window that has the keyboard focus in the program's thread: where a key goes.
    HWND FocusedWindow()
    {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        return ::GetGUIThreadInfo(m_orvane.ThreadId(), &info) ? info.hwndFocus : nullptr;
    }
};
} // namespace

TEST_F(AboutBox, HelpAboutShowsDescriptionVersionAndCopyrightOverTheFrame)
{
    HWND box = nullptr;
    for (int attempt = 0; attempt < kActivationAttempts; ++attempt)
    {
        ASSERT_TRUE(BringFrameToFront());
        ASSERT_TRUE(ChooseFromMenu(kHelpMenu, ID_APP_ABOUT));
        box = WaitForAboutBox();
        ASSERT_NE(box, nullptr) << "Help > About showed no box titled " << kAboutTitle;
        if (::GetWindow(box, GW_OWNER) == m_orvane.Frame())
            break;
        ASSERT_TRUE(::PostMessageW(box, WM_COMMAND, IDCANCEL, 0));
        ASSERT_TRUE(WaitUntil([box] { return !::IsWindow(box); }, kDialogWaitMs));
    }

    EXPECT_EQ(ControlText(box, IDC_ABOUT_DESCRIPTION), L"Orvane (64-bit)");
    EXPECT_EQ(ControlText(box, IDC_ABOUT_VERSION), L"Version 2.1 (build 17)");
    EXPECT_EQ(ControlText(box, IDC_ABOUT_COPYRIGHT), L"Copyright (C) 2026 Orvane contributors");
    EXPECT_EQ(::GetWindow(box, GW_OWNER), m_orvane.Frame());
    EXPECT_FALSE(::IsWindowEnabled(m_orvane.Frame())) << "the About box is not modal";
    ASSERT_TRUE(::PostMessageW(box, WM_COMMAND, IDOK, 0));
    ExpectClosed(box);
}

TEST_F(AboutBox, OkClosesIt)
{
    HWND box = OpenAboutBox();
    ASSERT_NE(box, nullptr);
    HWND ok = ::GetDlgItem(box, IDOK);
    ASSERT_NE(ok, nullptr);
    ASSERT_TRUE(::PostMessageW(ok, BM_CLICK, 0, 0));
    ExpectClosed(box);
}

TEST_F(AboutBox, EscapeClosesIt)
{
    HWND box = OpenAboutBox();
    ASSERT_NE(box, nullptr);
    HWND focus = FocusedWindow();
    ASSERT_TRUE(focus == box || ::IsChild(box, focus)) << "the keyboard focus is not in the About box";
    const LPARAM keyData = 1 | (static_cast<LPARAM>(::MapVirtualKeyW(VK_ESCAPE, MAPVK_VK_TO_VSC)) << 16);
    ASSERT_TRUE(::PostMessageW(focus, WM_KEYDOWN, VK_ESCAPE, keyData));
    ASSERT_TRUE(::PostMessageW(focus, WM_KEYUP, VK_ESCAPE, keyData | (1 << 30) | (1u << 31)));
    ExpectClosed(box);
}

TEST_F(AboutBox, CaptionCloseButtonClosesIt)
{
    HWND box = OpenAboutBox();
    ASSERT_NE(box, nullptr);
    // What a click on the caption's close button becomes.
    ASSERT_TRUE(::PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0));
    ExpectClosed(box);
}

TEST_F(AboutBox, DeviceEventsStillReachTheLogWhileItIsOpen)
{
    HWND box = OpenAboutBox();
    ASSERT_NE(box, nullptr);
    const size_t before = LogLines().size();
    ASSERT_TRUE(SendOneEvent()) << "the frame did not answer a device event while the About box was open";
    const auto lines = LogLines();
    ASSERT_EQ(lines.size(), before + 1);
    LogLine added;
    ASSERT_TRUE(ParseLogLine(lines.back(), added));
    EXPECT_EQ(added.text, L"DBT_DEVNODES_CHANGED");
    EXPECT_TRUE(::IsWindow(box));
    ASSERT_TRUE(::PostMessageW(box, WM_COMMAND, IDCANCEL, 0));
    ExpectClosed(box);
}
