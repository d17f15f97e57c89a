// Saving a real Orvane.exe's log from outside: the first time through the Save As dialog,
// afterwards with File > Save alone, which is what the benchmark times.
#include "OrvaneRun.h"
#include "ProgramPaths.h"
#include "SaveAsDriver.h"
#include "WindowQuery.h"

#include <dbt.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

namespace
{
std::wstring ReadUtf16File(const std::wstring& path)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
    return text;
}

std::wstring TempFile(const wchar_t* name)
{
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}
} // namespace

TEST(SaveAsThroughDialog, SavesTheLogAndLeavesThePathForFileSave)
{
    COrvaneRun orvane;
    ASSERT_EQ(orvane.Start(PathNextToThisProgram(L"Orvane.exe")), S_OK);
    ASSERT_TRUE(orvane.SendEvent(DBT_DEVNODES_CHANGED, 0));
    std::wstring log;
    ASSERT_TRUE(orvane.ReadLog(log));
    const std::wstring path = TempFile(L"OrvaneBenchTest-saved.txt");

    ASSERT_TRUE(SaveAsThroughDialog(orvane.Process().Id(), orvane.Frame(), path, log.size() * sizeof(wchar_t)));
    EXPECT_EQ(ReadUtf16File(path), log);

    ASSERT_TRUE(::DeleteFileW(path.c_str()));
    DWORD_PTR ignored = 0;
    ASSERT_TRUE(::SendMessageTimeoutW(orvane.Frame(), WM_COMMAND, COrvaneRun::kFileSave, 0, SMTO_NORMAL, 30000,
                                      &ignored));
    EXPECT_TRUE(FindTopLevelWindows(orvane.Process().Id(), L"#32770").empty()) << "File > Save asked for a path";
    EXPECT_EQ(ReadUtf16File(path), log);

    ASSERT_TRUE(orvane.SendEvent(DBT_DEVNODES_CHANGED, 0));
    EXPECT_TRUE(orvane.Close()) << "a modified log must not stop the benchmark's close";
    ::DeleteFileW(path.c_str());
}
