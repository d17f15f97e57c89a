// The log font follows the system version: Consolas 11 pt from Windows 8 on, Lucida Console
// 10 pt before; heights are negative character heights for the screen's DPI.
#include "log/LogFont.h"

#include "framework/UniqueHandle.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
std::wstring ProbeOutput(const wchar_t* windowsVersion)
{
    // The probe runs under a per-program Wine setting of the reported Windows version. Each
    // version gets its own copy of the probe, so tests running side by side cannot interfere.
    wchar_t self[MAX_PATH];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring dir(self);
    dir.resize(dir.find_last_of(L'\\') + 1);
    const std::wstring probeName = std::wstring(L"log_font_probe_") + windowsVersion + L".exe";
    const std::wstring probe = dir + probeName;
    if (!::CopyFileW((dir + L"log_font_probe.exe").c_str(), probe.c_str(), FALSE))
        return L"cannot copy probe";

    HKEY key = nullptr;
    const std::wstring settings = L"Software\\Wine\\AppDefaults\\" + probeName;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, settings.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return L"no registry";
    ::RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(windowsVersion),
                     static_cast<DWORD>((wcslen(windowsVersion) + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);

    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    ::CreatePipe(&readEnd, &writeEnd, &inherit, 0);
    unique_handle reader(readEnd);
    unique_handle writer(writeEnd);
    ::SetHandleInformation(reader.get(), HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writer.get();
    startup.hStdError = writer.get();
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + probe + L"\"";
    if (!::CreateProcessW(probe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                          &process))
        return L"cannot start probe";
    unique_handle processHandle(process.hProcess);
    unique_handle threadHandle(process.hThread);
    writer.reset();

    std::string output;
    char buffer[256];
    DWORD read = 0;
    while (::ReadFile(reader.get(), buffer, sizeof(buffer), &read, nullptr) && read > 0)
        output.append(buffer, read);
    ::WaitForSingleObject(processHandle.get(), 30000);
    return std::wstring(output.begin(), output.end());
}
} // namespace

TEST(LogFont, Windows8OrLaterUsesConsolasAt11Points)
{
    unique_screen_dc screen;
    LOGFONTW font;
    FillLogFont(font, true, screen.get());
    EXPECT_STREQ(font.lfFaceName, L"Consolas");
    EXPECT_EQ(font.lfHeight, -::MulDiv(::GetDeviceCaps(screen.get(), LOGPIXELSY), 110, 720));
    EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(font.lfWeight, 0);
}

TEST(LogFont, OlderSystemsUseLucidaConsoleAt10Points)
{
    unique_screen_dc screen;
    LOGFONTW font;
    FillLogFont(font, false, screen.get());
    EXPECT_STREQ(font.lfFaceName, L"Lucida Console");
    EXPECT_EQ(font.lfHeight, -::MulDiv(::GetDeviceCaps(screen.get(), LOGPIXELSY), 100, 720));
}

TEST(LogFont, AWindows10SystemGetsConsolasAtMinus15)
{
    EXPECT_EQ(ProbeOutput(L"win10"), L"Consolas -15 96");
}

TEST(LogFont, AWindows7SystemGetsLucidaConsoleAtMinus13)
{
    EXPECT_EQ(ProbeOutput(L"win7"), L"Lucida Console -13 96");
}
