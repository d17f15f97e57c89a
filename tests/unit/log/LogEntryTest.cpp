// An entry reaches the log in one insert and reads exactly as if its lines had been
// appended one by one; an entry that is never committed leaves the log as it was.
#include "decoder/DeviceChange.h"
#include "log/OrvaneView.h"

#include <gtest/gtest.h>

#include <dbt.h>

#include <algorithm>
#include <new>
#include <regex>
#include <string>

namespace
{
int g_replaceSelCount = 0;
WNDPROC g_viewProc = nullptr;

LRESULT CALLBACK CountingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_replaceSelCount += message == EM_REPLACESEL;
    return ::CallWindowProcW(g_viewProc, hWnd, message, wParam, lParam);
}

class LogEntry : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(view.Create(parent, CWindow::rcDefault, nullptr, 0x563001C4, WS_EX_CLIENTEDGE), nullptr);
        g_viewProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(view, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc)));
        g_replaceSelCount = 0;
        view.SetWindowText(L"header\r\n");
        view.SetModify(FALSE);
    }
    void TearDown() override { ::DestroyWindow(parent); }

    // The log with its time stamps masked, so two logs written a moment apart compare equal.
    std::wstring MaskedText() const
    {
        std::wstring text(static_cast<size_t>(view.GetWindowTextLength()) + 1, L'\0');
        text.resize(static_cast<size_t>(view.GetWindowText(text.data(), static_cast<int>(text.size()))));
        static const std::wregex time(LR"(\d{4}/\d\d/\d\d \d\d:\d\d:\d\d\.\d{3} - )");
        return std::regex_replace(text, time, L"#");
    }

    // A volume arrival and a port removal: two lines each.
    void LogTwoEvents()
    {
        DEV_BROADCAST_VOLUME volume{sizeof(volume), DBT_DEVTYP_VOLUME, 0, 0x14, 0};
        OnDeviceChange(view, DBT_DEVICEARRIVAL, reinterpret_cast<DWORD_PTR>(&volume));
        DEV_BROADCAST_PORT_W port{sizeof(port), DBT_DEVTYP_PORT, 0, {L'X'}};
        OnDeviceChange(view, DBT_DEVICEREMOVECOMPLETE, reinterpret_cast<DWORD_PTR>(&port));
    }

    HWND parent = ::CreateWindowExW(0, L"STATIC", nullptr, WS_OVERLAPPEDWINDOW, 0, 0, 500, 300, nullptr, nullptr,
                                    nullptr, nullptr);
    COrvaneView view;
};
} // namespace

TEST_F(LogEntry, CommitIsOneInsertReadingLikeLineByLineAppends)
{
    view.SetSel(0, 3);
    COrvaneView::CEntry entry(view);
    LogTwoEvents();
    EXPECT_EQ(g_replaceSelCount, 0);
    entry.Commit();
    EXPECT_EQ(g_replaceSelCount, 1);
    EXPECT_TRUE(view.GetModify());
    DWORD start = 0;
    DWORD end = 0;
    view.SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, static_cast<DWORD>(view.GetWindowTextLength())); // the caret at the end
    EXPECT_EQ(end, start);

    const std::wstring batched = MaskedText();
    view.SetWindowText(L"header\r\n");
    LogTwoEvents();
    EXPECT_EQ(batched, MaskedText());
    EXPECT_EQ(std::count(batched.begin(), batched.end(), L'\n'), 5);
}

TEST_F(LogEntry, AnEntryThatIsNotCommittedLeavesTheLogUnchanged)
{
    try
    {
        COrvaneView::CEntry entry(view);
        LogTwoEvents();
        throw std::bad_alloc();
    }
    catch (const std::bad_alloc&)
    {
    }
    EXPECT_EQ(MaskedText(), L"header\r\n");
    EXPECT_FALSE(view.GetModify());
    EXPECT_EQ(g_replaceSelCount, 0);
    view.AppendLine(L"after"); // the abandoned entry no longer holds the log back
    EXPECT_EQ(g_replaceSelCount, 1);
}
