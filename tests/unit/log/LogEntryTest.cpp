// An entry reaches the log in one insert and reads exactly as if its lines had been
// appended one by one; an entry that is never committed leaves the log as it was.
#include "decoder/DeviceChange.h"
#include "log/OrvaneView.h"

#include <gtest/gtest.h>

#include <dbt.h>

#include <algorithm>
#include <new>
#include <string>

namespace
{
int g_replaceSelCount = 0;
WNDPROC g_viewProc = nullptr;

LRESULT CALLBACK CountingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == EM_REPLACESEL)
        ++g_replaceSelCount;
    return ::CallWindowProcW(g_viewProc, hWnd, message, wParam, lParam);
}

// The time in "YYYY/MM/DD hh:mm:ss.mmm - " prefixes masked, so two logs written a moment
// apart compare equal.
std::wstring MaskTimes(std::wstring text)
{
    size_t lineStart = 0;
    while (lineStart < text.size())
    {
        if (text.size() - lineStart >= 26 && text[lineStart + 4] == L'/' && text.compare(lineStart + 23, 3, L" - ") == 0)
            text.replace(lineStart, 23, 23, L'#');
        const size_t end = text.find(L"\r\n", lineStart);
        if (end == std::wstring::npos)
            break;
        lineStart = end + 2;
    }
    return text;
}

class LogEntry : public ::testing::Test
{
protected:
    HWND parent = nullptr;
    COrvaneView view;

    void SetUp() override
    {
        parent = ::CreateWindowExW(0, L"STATIC", nullptr, WS_OVERLAPPEDWINDOW, 0, 0, 500, 300, nullptr, nullptr,
                                   nullptr, nullptr);
        ASSERT_NE(view.Create(parent, CWindow::rcDefault, nullptr, 0x563001C4, WS_EX_CLIENTEDGE), nullptr);
        g_viewProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(view, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc)));
        g_replaceSelCount = 0;
    }
    void TearDown() override { ::DestroyWindow(parent); }

    std::wstring Text() const
    {
        std::wstring text(static_cast<size_t>(view.GetWindowTextLength()) + 1, L'\0');
        text.resize(static_cast<size_t>(view.GetWindowText(text.data(), static_cast<int>(text.size()))));
        return text;
    }

    // A volume arrival: the event line and one detail line.
    static void LogVolumeArrival(COrvaneView& target)
    {
        DEV_BROADCAST_VOLUME volume{};
        volume.dbcv_size = sizeof(volume);
        volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
        volume.dbcv_unitmask = 0x14;
        OnDeviceChange(target, DBT_DEVICEARRIVAL, reinterpret_cast<DWORD_PTR>(&volume));
        DEV_BROADCAST_PORT_W port{};
        port.dbcp_size = sizeof(port);
        port.dbcp_devicetype = DBT_DEVTYP_PORT;
        port.dbcp_name[0] = L'X';
        OnDeviceChange(target, DBT_DEVICEREMOVECOMPLETE, reinterpret_cast<DWORD_PTR>(&port));
    }
};
} // namespace

TEST_F(LogEntry, AMultiLineEntryIsOneInsert)
{
    COrvaneView::CEntry entry(view);
    LogVolumeArrival(view);
    EXPECT_EQ(g_replaceSelCount, 0);
    entry.Commit();
    EXPECT_EQ(g_replaceSelCount, 1);
}

TEST_F(LogEntry, CommittedTextEqualsLineByLineText)
{
    {
        COrvaneView::CEntry entry(view);
        LogVolumeArrival(view);
        entry.Commit();
    }
    const std::wstring batched = Text();
    view.SetWindowText(L"");
    LogVolumeArrival(view);
    EXPECT_EQ(MaskTimes(batched), MaskTimes(Text()));
    EXPECT_EQ(std::count(batched.begin(), batched.end(), L'\n'), 4);
}

TEST_F(LogEntry, CommitMarksModifiedAndLeavesTheCaretAtTheEnd)
{
    view.SetWindowText(L"header\r\n");
    view.SetModify(FALSE);
    view.SetSel(0, 3);
    COrvaneView::CEntry entry(view);
    LogVolumeArrival(view);
    entry.Commit();
    EXPECT_TRUE(view.GetModify());
    DWORD start = 0;
    DWORD end = 0;
    view.SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, static_cast<DWORD>(view.GetWindowTextLength()));
    EXPECT_EQ(end, start);
}

TEST_F(LogEntry, AnEntryThatIsNotCommittedLeavesTheLogUnchanged)
{
    view.SetWindowText(L"header\r\n");
    view.SetModify(FALSE);
    try
    {
        COrvaneView::CEntry entry(view);
        LogVolumeArrival(view);
        throw std::bad_alloc();
    }
    catch (const std::bad_alloc&)
    {
    }
    EXPECT_EQ(Text(), L"header\r\n");
    EXPECT_FALSE(view.GetModify());
    EXPECT_EQ(g_replaceSelCount, 0);
    view.AppendLine(L"after");
    EXPECT_EQ(g_replaceSelCount, 1);
}
