// The log line rule on plain data with a fixed clock, and the view that takes whole entries.
#include "LogEntry.h"
#include "OrvaneView.h"
#include "resource.h"

#include <gtest/gtest.h>

namespace
{
void WINAPI FixedClock(LPSYSTEMTIME time)
{
    *time = SYSTEMTIME{2026, 1, 0, 2, 3, 4, 5, 6};
}
} // namespace

TEST(LogEntry, TimeStampOrIndentThenTheTextAndCrLf)
{
    CLogEntry entry(&FixedClock);
    entry.AppendLine(L"EVENT %u", 7u);
    entry.m_bTimestamp = false;
    entry.AppendLine(L"  detail %s", L"text");
    entry.AppendLine(IDS_NOTIFICATIONS_ENABLED);
    entry.AppendLine(UINT{9999}); // no such string: an empty format
    EXPECT_EQ(entry.GetText().Str(), L"2026/01/02 03:04:05.006 - EVENT 7\r\n"
                                     L"                            detail text\r\n"
                                     L"                          Device notifications enabled.\r\n"
                                     L"                          \r\n");
}

namespace
{
int g_replaceSelCount = 0;
WNDPROC g_viewProc = nullptr;

LRESULT CALLBACK CountingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_replaceSelCount += message == EM_REPLACESEL;
    return ::CallWindowProcW(g_viewProc, hWnd, message, wParam, lParam);
}
} // namespace

TEST(OrvaneView, AnEntryIsOneInsertAtTheEndWithTheCaretAfterItAndAnEmptyOneNone)
{
    HWND parent = ::CreateWindowExW(0, L"STATIC", nullptr, WS_OVERLAPPEDWINDOW, 0, 0, 500, 300, nullptr, nullptr,
                                    nullptr, nullptr);
    COrvaneView view;
    ASSERT_NE(view.Create(parent, CWindow::rcDefault, nullptr, COrvaneView::kStyle, WS_EX_CLIENTEDGE), nullptr);
    g_viewProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(view, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc)));
    view.SetWindowText(L"header\r\n");
    view.SetModify(FALSE);
    view.AppendEntry(CLogEntry(&FixedClock));
    EXPECT_FALSE(view.GetModify());

    CLogEntry entry(&FixedClock);
    entry.AppendLine(L"first");
    entry.m_bTimestamp = false;
    entry.AppendLine(L"second");
    view.SetSel(0, 3); // a selection elsewhere is not replaced
    view.AppendEntry(entry);
    EXPECT_EQ(g_replaceSelCount, 1);
    std::wstring text(static_cast<size_t>(view.GetWindowTextLength()) + 1, L'\0');
    text.resize(static_cast<size_t>(view.GetWindowText(text.data(), static_cast<int>(text.size()))));
    EXPECT_EQ(text, L"header\r\n" + entry.GetText().Str());
    EXPECT_TRUE(view.GetModify());
    DWORD start = 0;
    DWORD end = 0;
    view.SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, static_cast<DWORD>(view.GetWindowTextLength()));
    EXPECT_EQ(end, start);
    ::DestroyWindow(parent);
}
