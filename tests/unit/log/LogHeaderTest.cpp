// The header a new log starts with, built with Wine's real WMI and with stand-in descriptions.
#include "log/LogHeader.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
const std::wstring kHint = L"Click Notifications > Device to enable plug-and-play device notifications.";

// "Version major.minor (Build n)" from what the system reports to this process.
std::wstring ExpectedVersionLine()
{
    OSVERSIONINFOEXW version{};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ::GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&version));
#pragma GCC diagnostic pop
    return L"Version " + std::to_wstring(version.dwMajorVersion & 0xFFFF) + L"." +
           std::to_wstring(version.dwMinorVersion & 0xFFFF) + L" (Build " +
           std::to_wstring(version.dwBuildNumber & 0xFFFF) + L")";
}

// Everything after the description: version line, empty line, hint, empty line.
std::wstring Tail()
{
    return ExpectedVersionLine() + L"\r\n\r\n" + kHint + L"\r\n\r\n";
}

std::wstring Header(HRESULT (*source)(LPWSTR))
{
    CString header;
    BuildLogHeader(header, source);
    return header.Str();
}

std::wstring Composed(LPCWSTR caption, LPCWSTR servicePack, LPCWSTR architecture)
{
    wchar_t buffer[kOSDescriptionCapacity];
    ComposeOSDescription(buffer, caption, servicePack, architecture);
    return buffer;
}

class LogHeaderTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
    void TearDown() override { ::CoUninitialize(); }
};
} // namespace

TEST_F(LogHeaderTest, WmiDescriptionNamesTheSystemAndEndsWithItsArchitecture)
{
    wchar_t description[kOSDescriptionCapacity] = {};
    ASSERT_EQ(GetOSDescription(description), S_OK);
    const std::wstring text = description;
    ASSERT_GE(text.size(), 4u);
    EXPECT_EQ(text.back(), L')');
    EXPECT_NE(text.rfind(L" ("), std::wstring::npos);
    EXPECT_NE(text.find(L"Windows"), std::wstring::npos);
}

TEST_F(LogHeaderTest, NullBufferIsRefused)
{
    EXPECT_EQ(GetOSDescription(nullptr), E_INVALIDARG);
}

TEST_F(LogHeaderTest, PiecesComeInOrderWithCrLfLineEnds)
{
    // The second query in the process: COM security is already set by then.
    wchar_t description[kOSDescriptionCapacity] = {};
    ASSERT_EQ(GetOSDescription(description), S_OK);
    CString header;
    BuildLogHeader(header);
    EXPECT_EQ(header.Str(), std::wstring(description) + L"\r\n" + Tail());
}

TEST_F(LogHeaderTest, VersionLineIsTheRealSystemsNotTheCompatibilityAnswer)
{
    // The manifest lists the supported systems, so Windows 10 is not reported as 6.2 build 9200.
    EXPECT_NE(ExpectedVersionLine(), L"Version 6.2 (Build 9200)");
}

TEST(LogHeader, FailedDescriptionIsLeftOut)
{
    EXPECT_EQ(Header([](LPWSTR) { return E_FAIL; }), Tail());
    // Only S_OK counts: a description that came with another success code is not used.
    EXPECT_EQ(Header([](LPWSTR buffer) {
                  buffer[0] = L'X';
                  buffer[1] = L'\0';
                  return S_FALSE;
              }),
              Tail());
}

TEST(LogHeader, EmptyDescriptionLeavesAnEmptyFirstLine)
{
    EXPECT_EQ(Header([](LPWSTR buffer) {
                  buffer[0] = L'\0';
                  return S_OK;
              }),
              L"\r\n" + Tail());
}

TEST(OSDescription, CaptionSpaceAndArchitectureInParentheses)
{
    EXPECT_EQ(Composed(L"Microsoft Windows 10 Pro", nullptr, L"64-bit"), L"Microsoft Windows 10 Pro (64-bit)");
}

TEST(OSDescription, ServicePackGetsOneSpaceBeforeIt)
{
    EXPECT_EQ(Composed(L"Windows 7", L"Service Pack 1", L"64-bit"), L"Windows 7 Service Pack 1 (64-bit)");
    EXPECT_EQ(Composed(L"Windows 7 ", L"Service Pack 1", nullptr), L"Windows 7 Service Pack 1");
    EXPECT_EQ(Composed(L"", L"Service Pack 1", nullptr), L"Service Pack 1");
}

TEST(OSDescription, LongDescriptionIsCutAt128Characters)
{
    const std::wstring caption(120, L'c');
    EXPECT_EQ(Composed(caption.c_str(), L"Service Pack 3", L"64-bit"), caption + L" Service");
}
