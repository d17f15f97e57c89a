// The system's description in the log's header: from Wine's real WMI, its parts, a service that hangs.
#include "HungWmi.h"
#include "OSDescription.h"

#include <gtest/gtest.h>

#include <string>

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
