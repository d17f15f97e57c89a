// The demonstration against the real Orvane.exe: the save through the program's own dialog,
// and a whole play run of orvane_demo.exe with the lines it leaves in the saved log.
#include "Demonstration.h"
#include "LogText.h"
#include "OrvaneProcess.h"
#include "Records.h"
#include "TestFolder.h"

#include "UniqueHandle.h"

#include <gtest/gtest.h>

#include <regex>

namespace
{
struct ExpectedLine
{
    bool timestamped;
    std::wstring pattern; // a regular expression for the line's whole text
};

const std::wstring kDrivePath =
    LR"(  Device path: \\\\\?\\root#orvanedemo#\d{4}#\{53f56307-b6bf-11d0-94f2-00a0c91efb8b\})";
const std::vector<ExpectedLine> kDriveLines = {
    {false, kDrivePath},
    {false, L"    Friendly Name: Orvane Demo USB Flash Drive"},
    {false, L"    Description: Disk drive"},
    {false, L"    Manufacturer: \\(Standard disk drives\\)"},
    {false, L"    Category: GUID_DEVINTERFACE_DISK"},
    {false, L"    Device Setup Class: Disk drives \\(DiskDrive\\)"},
};

std::vector<ExpectedLine> ExpectedDemonstration()
{
    std::vector<ExpectedLine> lines = {
        {true, L"Device notifications enabled\\."},
        {true, L"DBT_DEVICEARRIVAL"},
        {false, L"  Port=COM3"},
        {true, L"DBT_DEVICEARRIVAL"},
    };
    lines.insert(lines.end(), kDriveLines.begin(), kDriveLines.end());
    lines.insert(lines.end(), {{true, L"DBT_DEVICEARRIVAL"},
                               {false, L"  Unit\\(s\\): E:, changes affect physical device/local volume\\."},
                               {true, L"DBT_DEVICEREMOVECOMPLETE"},
                               {false, L"  Unit\\(s\\): E:, changes affect physical device/local volume\\."},
                               {true, L"DBT_DEVICEREMOVECOMPLETE"}});
    lines.insert(lines.end(), kDriveLines.begin(), kDriveLines.end());
    lines.push_back({true, L"DBT_MONITORCHANGE: x=1920,y=1080"});
    return lines;
}

// The log's lines from the first one that reads first on, each parsed.
std::vector<LogLine> LinesFrom(const std::wstring& text, const std::wstring& first)
{
    std::vector<LogLine> parsed;
    for (const std::wstring& line : SplitLogLines(text))
    {
        LogLine entry;
        if (!ParseLogLine(line, entry) || (parsed.empty() && entry.text != first))
            continue;
        parsed.push_back(entry);
    }
    return parsed;
}

void ExpectDemonstrationLines(const std::wstring& text)
{
    const auto lines = LinesFrom(text, L"Device notifications enabled.");
    const auto expected = ExpectedDemonstration();
    ASSERT_EQ(lines.size(), expected.size()) << testing::PrintToString(text);
    for (size_t i = 0; i < lines.size(); ++i)
    {
        EXPECT_TRUE(std::regex_match(lines[i].text, std::wregex(expected[i].pattern, std::regex::icase)))
            << "line " << i << ": " << testing::PrintToString(lines[i].text);
        EXPECT_EQ(lines[i].timestamped, expected[i].timestamped) << "line " << i;
    }
}

class Demonstration : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(m_orvane.Start(), S_OK); }

    std::wstring LogText()
    {
        std::wstring text;
        EXPECT_TRUE(m_orvane.ReadLog(text));
        return text;
    }

    OrvaneProcess m_orvane;
};
} // namespace

TEST_F(Demonstration, SaveAsWritesTheLogThroughTheProgramsDialog)
{
    ASSERT_TRUE(SendDeviceChange(m_orvane.Frame(), DBT_DEVNODES_CHANGED, 0));
    TestFolder folder;
    const std::wstring path = folder.File(L"saved.txt");
    ASSERT_EQ(SaveLogThroughDialog(m_orvane, path), S_OK);
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(path, bytes));
    const std::wstring text = LogText();
    ASSERT_EQ(bytes.size(), text.size() * sizeof(wchar_t));
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), text.size()), text);
}

TEST(DemoProgram, PlayLeavesTheScreenshotAndTheSavedLogAndEndsOrvane)
{
    TestFolder folder;
    ASSERT_TRUE(folder.IsValid());
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring demo(self);
    demo.resize(demo.find_last_of(L'\\') + 1);
    demo += L"orvane_demo.exe";
    std::wstring commandLine = L"\"" + demo + L"\" play \"" + folder.Path() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(::CreateProcessW(demo.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                 &startup, &info));
    unique_handle process(info.hProcess);
    unique_handle thread(info.hThread);
    ASSERT_EQ(::WaitForSingleObject(process.get(), 180000), WAIT_OBJECT_0);
    DWORD exitCode = 0xFFFF;
    ASSERT_TRUE(::GetExitCodeProcess(process.get(), &exitCode));
    EXPECT_EQ(exitCode, 0u) << "0: the demonstration ran and Orvane ended normally";

    EXPECT_EQ(folder.Names(), (std::vector<std::wstring>{L"orvane-demo-log.txt", L"orvane-demo.png"}));
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(folder.File(L"orvane-demo-log.txt"), bytes));
    ExpectDemonstrationLines(std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2));
}
