// The header a new log starts with.
#include "LogHeader.h"

#include <gtest/gtest.h>

#include <string>

// The description and CR LF first, or nothing in its place; every time the whole text anew.
TEST(LogHeader, DescriptionLineThenVersionAndHint)
{
    // The version line and the hint, each followed by an empty line. The numbers come from
    // RtlGetVersion, which no manifest changes: GetVersionExW reports the same ones only while the
    // program's manifest lists the system, and Windows 8's 6.2 (Build 9200) otherwise.
    RTL_OSVERSIONINFOW version{sizeof(version), 0, 0, 0, 0, {}};
    reinterpret_cast<LONG(WINAPI*)(RTL_OSVERSIONINFOW*)>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")))(&version);
    const std::wstring tail = L"Version " + std::to_wstring(version.dwMajorVersion) + L"." +
                              std::to_wstring(version.dwMinorVersion) + L" (Build " + std::to_wstring(version.dwBuildNumber) +
                              L")\r\n\r\nClick Notifications > Device to enable plug-and-play device notifications.\r\n\r\n";
    CString header;
    BuildLogHeader(header, L"X (64-bit)");
    EXPECT_EQ(std::wstring(header.GetString()), L"X (64-bit)\r\n" + tail);
    BuildLogHeader(header, nullptr);
    EXPECT_EQ(std::wstring(header.GetString()), tail);
}
