// CFileFilter: the program's own filter string as both save dialogs take it.
#include "FileFilter.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <array>
#include <cwchar>
#include <iterator>
#include <string>

TEST(FileFilter, ProgramFilterGivesTwoPairsInADoubleNulTerminatedText)
{
    CFileFilter filter;
    ASSERT_EQ(filter.Load(IDS_FILE_FILTER), S_OK);
    ASSERT_EQ(filter.GetCount(), 2u);
    const wchar_t expected[] = L"Text Documents (*.txt)\0*.txt\0All Files (*.*)\0*.*\0";
    EXPECT_EQ(std::wmemcmp(filter.GetText(), expected, std::size(expected)), 0); // both NULs at the end
    const COMDLG_FILTERSPEC* specs = filter.GetSpecs();
    EXPECT_EQ((std::array<std::wstring, 4>{specs[0].pszName, specs[0].pszSpec, specs[1].pszName, specs[1].pszSpec}),
              (std::array<std::wstring, 4>{L"Text Documents (*.txt)", L"*.txt", L"All Files (*.*)", L"*.*"}));
}
