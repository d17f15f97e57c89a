// The frame in this process: what other programs send it during a wait on WMI; a query without memory.
#include "FixedClock.h"
#include "HungWmi.h"
#include "ImportPatch.h"
#include "LogHeader.h"
#include "MainFrame.h"
#include "Records.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

namespace
{
// The frame the stand-in for WMI sends a log-off query and a device change from inside its wait,
// once the window exists; the line of each change sent; how often WMI was asked; the questions.
CMainFrame* g_frame = nullptr;
std::wstring g_sentLines;
int g_asked = 0, g_questions = 0;
int WINAPI AnswerNo(HWND, LPCWSTR, LPCWSTR, UINT) { return ++g_questions, IDNO; }
bool g_outOfMemory = false;

std::wstring LogText(const CMainFrame& frame)
{
    std::wstring text(::GetWindowTextLengthW(frame.m_hWndClient), L'\0');
    ::GetWindowTextW(frame.m_hWndClient, text.data(), static_cast<int>(text.size()) + 1);
    return text;
}
} // namespace

// Every allocation of this program fails while g_outOfMemory is set (not malloc: a throw needs it).
void* operator new(std::size_t size)
{
    void* block = g_outOfMemory ? nullptr : std::malloc(size != 0 ? size : 1);
    return block != nullptr ? block : throw std::bad_alloc();
}

// A device change lands after the header of the log it arrived in, and a log-off query asks
// nothing about a log the user has just dropped: at start-up and at File > New.
TEST(MainFrame, WhatArrivesWhileANewLogIsPreparedKeepsItsPlace)
{
    const CImportPatch wmi("ole32.dll", "CoCreateInstance", reinterpret_cast<const void*>(&CreateHungLocator));
    const CImportPatch clock("kernel32.dll", "GetLocalTime", reinterpret_cast<const void*>(&FixedClock));
    const CImportPatch box("user32.dll", "MessageBoxW", reinterpret_cast<const void*>(&AnswerNo));
    ASSERT_TRUE(wmi.IsActive() && clock.IsActive() && box.IsActive() && SUCCEEDED(::CoInitialize(nullptr)));
    g_hungWmi.m_whileWaiting = [] {
        ++g_asked;
        if (g_frame->m_hWnd == nullptr)
            return;
        ::SendMessageW(*g_frame, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
        ::SendMessageW(*g_frame, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
        g_sentLines += std::wstring(kFixedStamp) + L"DBT_DEVNODES_CHANGED\r\n";
    };
    // The header as the stand-in leaves it: without the system's name, which Wine's WMI gives.
    CString header;
    BuildLogHeader(header, nullptr);
    CMainFrame frame;
    g_frame = &frame;
    ASSERT_NE(frame.CreateEx(), nullptr);
    EXPECT_EQ(LogText(frame), header.GetString() + g_sentLines) << "at start-up";
    EXPECT_EQ(g_asked, 1) << "the header's description is not WMI's";

    // One unsaved line, dropped with No to the one question New asks.
    ::SendMessageW(frame, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
    g_sentLines.clear();
    ::SendMessageW(frame, WM_COMMAND, ID_FILE_NEW, 0);
    EXPECT_EQ(g_questions, 1);
    EXPECT_EQ(LogText(frame), header.GetString() + g_sentLines) << "at New";
    frame.DestroyWindow();
    g_hungWmi.m_whileWaiting = [] {};
    ::CoUninitialize();
}

// A refused query would refuse the removal: with no memory left the query is still granted.
TEST(MainFrame, ADeviceQueryIsGrantedWhenMemoryRunsOut)
{
    CMainFrame frame;
    ASSERT_NE(frame.CreateEx(), nullptr);
    const auto volume = VolumeRecord(1u << 4, 0);
    g_outOfMemory = true;
    const LRESULT answer = ::SendMessageW(frame, WM_DEVICECHANGE, DBT_DEVICEQUERYREMOVE, volume.Address());
    g_outOfMemory = false;
    EXPECT_EQ(answer, TRUE);
    frame.DestroyWindow();
}

// A toggle whose status line finds no memory still turns notifications on: the next one turns them off.
TEST(MainFrame, ANotificationToggleFollowsItsRegistrationWhenMemoryRunsOut)
{
    const CImportPatch box("user32.dll", "MessageBoxW", reinterpret_cast<const void*>(&AnswerNo));
    CMainFrame frame;
    ASSERT_TRUE(box.IsActive() && frame.CreateEx() != nullptr);
    g_outOfMemory = true;
    ::SendMessageW(frame, WM_COMMAND, ID_NOTIFICATIONS_DEVICE, 0);
    g_outOfMemory = false;
    ::SendMessageW(frame, WM_COMMAND, ID_NOTIFICATIONS_DEVICE, 0);
    EXPECT_TRUE(LogText(frame).ends_with(L"Device notifications disabled.\r\n")) << LogText(frame).c_str();
    frame.DestroyWindow();
}
