// The start-up's first step, as a library planted beside the program (here the probe) meets it.
#include "LibrarySearch.h"

#include <gtest/gtest.h>

TEST(LibrarySearch, ALibraryBesideTheProgramIsNoLongerFoundByItsName)
{
    ASSERT_TRUE(::FreeLibrary(::LoadLibraryW(L"orvane_probe.dll"))) << "no orvane_probe.dll beside the test program";

    ASSERT_TRUE(SearchSystemFolderOnlyForLibraries());
    EXPECT_EQ(::LoadLibraryW(L"orvane_probe.dll"), nullptr);
    EXPECT_NE(::LoadLibraryW(L"msimg32.dll"), nullptr) << ::GetLastError();
}
