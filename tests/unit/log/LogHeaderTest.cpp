// The header a new log starts with, and the system's description from Wine's real WMI and from
// the parts WMI gives.
#include "HungWmi.h"
#include "LogHeader.h"
#include "OSDescription.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
// The version line and the hint, each followed by an empty line. The numbers come from
// RtlGetVersion, which no manifest changes: GetVersionExW reports the same ones only while the
// program's manifest lists the system, and Windows 8's 6.2 (Build 9200) otherwise.
std::wstring Tail()
{
    RTL_OSVERSIONINFOW version{sizeof(version), 0, 0, 0, 0, {}};
    reinterpret_cast<LONG(WINAPI*)(RTL_OSVERSIONINFOW*)>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")))(&version);
    return L"Version " + std::to_wstring(version.dwMajorVersion) + L"." + std::to_wstring(version.dwMinorVersion) +
           L" (Build " + std::to_wstring(version.dwBuildNumber) +
           L")\r\n\r\nClick Notifications > Device to enable plug-and-play device notifications.\r\n\r\n";
}
} // namespace

// The description as Wine's real WMI gives it. (A service that hangs: MainFrameTest.)
TEST(OSDescription, WmiNamesTheSystem)
{
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    wchar_t description[kOSDescriptionCapacity] = {};
    ASSERT_EQ(GetOSDescription(description), S_OK);
    const std::wstring text = description;
    EXPECT_NE(text.find(L"Windows"), std::wstring::npos);
    EXPECT_TRUE(text.ends_with(L")") && text.find(L" (") != std::wstring::npos) << text;
    ::CoUninitialize();
}

// The description and CR LF first, or nothing in its place; every time the whole text anew.
TEST(LogHeader, DescriptionLineThenVersionAndHint)
{
    CString header;
    BuildLogHeader(header, L"X (64-bit)");
    EXPECT_EQ(header.GetString(), L"X (64-bit)\r\n" + Tail());
    BuildLogHeader(header, nullptr);
    EXPECT_EQ(header.GetString(), Tail());
}

TEST(OSDescription, CaptionServicePackAndArchitectureInParenthesesCutAt128)
{
    const std::wstring caption(120, L'c');
    const struct { LPCWSTR caption, servicePack, architecture; std::wstring expected; } cases[] = {
        {L"Microsoft Windows 10 Pro", nullptr, L"64-bit", L"Microsoft Windows 10 Pro (64-bit)"},
        {L"Windows 7", L"Service Pack 1", L"64-bit", L"Windows 7 Service Pack 1 (64-bit)"},
        {L"Windows 7 ", L"Service Pack 1", nullptr, L"Windows 7 Service Pack 1"},
        {L"", L"Service Pack 1", nullptr, L"Service Pack 1"},
        {caption.c_str(), L"Service Pack 3", L"64-bit", caption + L" Service"},
    };
    for (const auto& c : cases)
    {
        wchar_t buffer[kOSDescriptionCapacity];
        ComposeOSDescription(buffer, c.caption, c.servicePack, c.architecture);
        EXPECT_EQ(buffer, c.expected) << "row " << &c - cases;
    }
}

TEST(OSDescription, AnObjectThatDoesNotArriveInTenSecondsFailsTheDescription)
{
    wchar_t buffer[kOSDescriptionCapacity] = L"unchanged";
    EXPECT_EQ(DescribeOperatingSystems(&g_hungWmi, buffer), HRESULT_FROM_WIN32(ERROR_TIMEOUT));
    EXPECT_EQ(g_hungWmi.m_waited, 10000);
    EXPECT_STREQ(buffer, L"unchanged");
}
