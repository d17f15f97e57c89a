// The log font follows the system version: Consolas 11 pt from Windows 8 on, Lucida Console
// 10 pt before; heights are negative character heights for the screen's DPI.
#include "LogFont.h"

#include "UniqueHandle.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
// Runs a copy of the probe under Wine's per-program setting of the reported Windows version
// (one copy per version, so tests running side by side cannot interfere); its output.
std::wstring ProbeOutput(const wchar_t* windowsVersion)
{
    wchar_t self[MAX_PATH];
    std::wstring dir(self, ::GetModuleFileNameW(nullptr, self, MAX_PATH));
    dir.resize(dir.find_last_of(L'\\') + 1);
    const std::wstring probeName = std::wstring(L"log_font_probe_") + windowsVersion + L".exe";
    std::wstring probe = dir + probeName;
    const std::wstring settings = L"Software\\Wine\\AppDefaults\\" + probeName;
    if (!::CopyFileW((dir + L"log_font_probe.exe").c_str(), probe.c_str(), FALSE) ||
        ::RegSetKeyValueW(HKEY_CURRENT_USER, settings.c_str(), L"Version", REG_SZ, windowsVersion,
                          static_cast<DWORD>((wcslen(windowsVersion) + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
        return L"cannot prepare the probe";

    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    ::CreatePipe(&readEnd, &writeEnd, &inherit, 0);
    unique_handle reader(readEnd), writer(writeEnd);
    ::SetHandleInformation(reader.get(), HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = writer.get();
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(probe.c_str(), probe.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        return L"cannot start the probe";
    unique_handle processHandle(process.hProcess), threadHandle(process.hThread);
    writer.reset();

    std::string output;
    char buffer[256];
    for (DWORD read = 0; ::ReadFile(reader.get(), buffer, sizeof(buffer), &read, nullptr) && read > 0;)
        output.append(buffer, read);
    ::WaitForSingleObject(processHandle.get(), 30000);
    return std::wstring(output.begin(), output.end());
}
} // namespace

TEST(LogFont, FaceAndPointSizeFollowTheSystemVersion)
{
    unique_screen_dc screen;
    const int dpi = ::GetDeviceCaps(screen.get(), LOGPIXELSY);
    LOGFONTW font;
    FillLogFont(font, true, screen.get());
    EXPECT_STREQ(font.lfFaceName, L"Consolas");
    EXPECT_EQ(font.lfHeight, -::MulDiv(dpi, 110, 720));
    EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
    FillLogFont(font, false, screen.get());
    EXPECT_STREQ(font.lfFaceName, L"Lucida Console");
    EXPECT_EQ(font.lfHeight, -::MulDiv(dpi, 100, 720));
}

TEST(LogFont, AWindows10SystemGetsConsolasAtMinus15)
{
    EXPECT_EQ(ProbeOutput(L"win10"), L"Consolas -15 96");
}

TEST(LogFont, AWindows7SystemGetsLucidaConsoleAtMinus13)
{
    EXPECT_EQ(ProbeOutput(L"win7"), L"Lucida Console -13 96");
}
