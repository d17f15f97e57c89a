// Starting and reading the programs under measurement: the child's environment, its memory,
// and the bare window program as the benchmark drives it from here.
#include "BareWindow.h"
#include "ProgramPaths.h"
#include "TargetProcess.h"
#include "WindowQuery.h"

#include <gtest/gtest.h>

namespace
{
std::wstring Block(std::initializer_list<const wchar_t*> variables)
{
    std::wstring block;
    for (const wchar_t* variable : variables)
        block += std::wstring(variable) + L'\0';
    return block + L'\0';
}
} // namespace

TEST(EnvironmentWithDllOverride, AddsToTheVariableOrCreatesIt)
{
    EXPECT_EQ(EnvironmentWithDllOverride(Block({L"A=1", L"WINEDLLOVERRIDES=mscoree,mshtml=", L"B=2"}).c_str(),
                                         L"wbemprox=d"),
              Block({L"A=1", L"WINEDLLOVERRIDES=mscoree,mshtml=;wbemprox=d", L"B=2"}));
    EXPECT_EQ(EnvironmentWithDllOverride(Block({L"winedlloverrides="}).c_str(), L"wbemprox=d"),
              Block({L"winedlloverrides=wbemprox=d"}));
    EXPECT_EQ(EnvironmentWithDllOverride(Block({L"WINEDLLOVERRIDESX=1"}).c_str(), L"wbemprox=d"),
              Block({L"WINEDLLOVERRIDESX=1", L"WINEDLLOVERRIDES=wbemprox=d"}));
}

TEST(PrivateCommittedBytes, CountsCommittedButNotReservedMemory)
{
    constexpr SIZE_T kBlock = 16 * 1024 * 1024;
    const SIZE_T before = PrivateCommittedBytes(::GetCurrentProcess());
    void* reserved = ::VirtualAlloc(nullptr, kBlock, MEM_RESERVE, PAGE_READWRITE);
    const SIZE_T afterReserving = PrivateCommittedBytes(::GetCurrentProcess());
    ASSERT_NE(::VirtualAlloc(reserved, kBlock, MEM_COMMIT, PAGE_READWRITE), nullptr);
    const SIZE_T afterCommitting = PrivateCommittedBytes(::GetCurrentProcess());
    ::VirtualFree(reserved, 0, MEM_RELEASE);

    EXPECT_GT(before, 0u);
    EXPECT_LT(afterReserving, before + kBlock / 2);
    EXPECT_GE(afterCommitting, afterReserving + kBlock);
}

TEST(BareWindowProgram, AnswersDeviceChangesAndClosesCleanly)
{
    CTargetProcess bare;
    ASSERT_EQ(bare.Start(PathNextToThisProgram(L"OrvaneBare.exe")), S_OK);
    EXPECT_GT(bare.WaitForFirstDeviceChangeAnswer(kBareWindowTitle, 60000), 0.0);
    HWND frame = bare.FindMainWindow(kBareWindowTitle);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(FindChild(frame, kBareEditId), nullptr) << "no EDIT control unless asked for one";

    EXPECT_TRUE(bare.Close(frame, 10000));
    DWORD exitCode = 0;
    EXPECT_TRUE(::GetExitCodeProcess(bare.Handle(), &exitCode));
    EXPECT_EQ(exitCode, 1u);
}

TEST(BareWindowProgram, HoldsAnEditControlInTheLogViewStyleWhereAsked)
{
    CTargetProcess bare;
    ASSERT_EQ(bare.Start(PathNextToThisProgram(L"OrvaneBare.exe"), L"--edit 40 50 500 300"), S_OK);
    HWND frame = bare.WaitForMainWindow(kBareWindowTitle, 60000);
    HWND edit = frame != nullptr ? FindChild(frame, kBareEditId) : nullptr;
    ASSERT_NE(edit, nullptr);

    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongPtrW(edit, GWL_STYLE)), kLogViewStyle);
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongPtrW(edit, GWL_EXSTYLE)) & WS_EX_CLIENTEDGE, WS_EX_CLIENTEDGE);
    const RECT rect = WindowRect(edit);
    EXPECT_EQ(rect.left, 40);
    EXPECT_EQ(rect.top, 50);
    EXPECT_EQ(rect.right - rect.left, 500);
    EXPECT_EQ(rect.bottom - rect.top, 300);

    // Text inserted from this process arrives whole, after what was there.
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"first\r\n"), SMTO_NORMAL, 10000, &ignored);
    ::SendMessageTimeoutW(edit, EM_SETSEL, 7, 7, SMTO_NORMAL, 10000, &ignored);
    ::SendMessageTimeoutW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"second\r\nthird\r\n"), SMTO_NORMAL,
                          10000, &ignored);
    std::wstring text;
    EXPECT_TRUE(ReadWindowText(edit, text));
    EXPECT_EQ(text, L"first\r\nsecond\r\nthird\r\n");
    bare.Close(frame, 10000);
}

TEST(TargetProcess, AProgramThatEndsWithoutAWindowIsNotWaitedFor)
{
    CTargetProcess ended;
    // Refuses its command line and ends at once.
    ASSERT_EQ(ended.Start(PathNextToThisProgram(L"OrvaneBench.exe"), L"--rounds"), S_OK);
    const ULONGLONG start = ::GetTickCount64();
    EXPECT_LT(ended.WaitForFirstDeviceChangeAnswer(kBareWindowTitle, 60000), 0.0);
    EXPECT_LT(::GetTickCount64() - start, 30000u);
}

TEST(TargetProcess, CloseEndsAProgramThatDoesNotCloseInTime)
{
    CTargetProcess orvane;
    ASSERT_EQ(orvane.Start(PathNextToThisProgram(L"Orvane.exe")), S_OK);
    HWND frame = orvane.WaitForMainWindow(L"Orvane", 60000);
    ASSERT_NE(frame, nullptr);
    // A logged event makes closing ask whether to save; nobody answers.
    DWORD_PTR ignored = 0;
    ASSERT_TRUE(::SendMessageTimeoutW(frame, WM_DEVICECHANGE, 0x0007, 0, SMTO_NORMAL, 10000, &ignored));

    EXPECT_FALSE(orvane.Close(frame, 2000));
    EXPECT_FALSE(orvane.IsRunning());
}
