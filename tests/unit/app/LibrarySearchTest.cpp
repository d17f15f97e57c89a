// The start-up's first step, as a library planted beside the program meets it: the probe library
// beside this test program is found by its bare name before the step and not after it, while a
// library of the system folder still is. Each test runs in a process of its own.
#include "LibrarySearch.h"

#include <gtest/gtest.h>

TEST(LibrarySearch, ALibraryBesideTheProgramIsNoLongerFoundByItsName)
{
    const HMODULE beside = ::LoadLibraryW(L"orvane_probe.dll");
    ASSERT_NE(beside, nullptr) << "orvane_probe.dll is not beside the test program: " << ::GetLastError();
    ::FreeLibrary(beside);

    ASSERT_TRUE(SearchSystemFolderOnlyForLibraries());
    EXPECT_EQ(::LoadLibraryW(L"orvane_probe.dll"), nullptr);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_NE(::LoadLibraryW(L"msimg32.dll"), nullptr) << ::GetLastError();
}
