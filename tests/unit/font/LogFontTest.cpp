// The log font follows the system's version: Consolas 11 pt from Windows 8 on, Lucida Console
// 10 pt before. A probe program reports the font it gets under Wine's per-program setting of the
// reported Windows version, one copy per version so that runs side by side cannot interfere.
#include "UniqueHandle.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

TEST(LogFont, FaceAndSizeFollowTheReportedWindowsVersion)
{
    wchar_t self[MAX_PATH];
    std::wstring folder(self, ::GetModuleFileNameW(nullptr, self, MAX_PATH));
    folder.resize(folder.find_last_of(L'\\') + 1);
    for (const auto& [version, expected] : {std::pair{L"win10", "Consolas -15 96"}, {L"win7", "Lucida Console -13 96"}})
    {
        const std::wstring name = std::wstring(L"log_font_probe_") + version + L".exe";
        const std::wstring probe = folder + name, output = probe + L".txt";
        ASSERT_TRUE(::CopyFileW((folder + L"log_font_probe.exe").c_str(), probe.c_str(), FALSE));
        const std::wstring settings = L"Software\\Wine\\AppDefaults\\" + name;
        ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, settings.c_str(), L"Version", REG_SZ, version,
                                    static_cast<DWORD>((wcslen(version) + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
        std::wstring commandLine = L"\"" + probe + L"\" \"" + output + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started{};
        ASSERT_TRUE(::CreateProcessW(probe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                     &startup, &started));
        const unique_handle process(started.hProcess), thread(started.hThread);
        ASSERT_EQ(::WaitForSingleObject(process.get(), 30000), WAIT_OBJECT_0);
        std::string report;
        std::getline(std::ifstream(std::filesystem::path(output)), report);
        EXPECT_EQ(report, expected) << "reported as " << std::string(version, version + wcslen(version));
    }
}
