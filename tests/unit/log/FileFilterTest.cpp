// CFileFilter: the program's own filter string and the malformed forms a filter can take.
#include "log/FileFilter.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <iterator>

TEST(FileFilter, ProgramFilterGivesTwoPairsInADoubleNulTerminatedText)
{
    CFileFilter filter;
    ASSERT_EQ(filter.Load(IDS_FILE_FILTER), S_OK);
    ASSERT_EQ(filter.GetCount(), 2u);
    EXPECT_STREQ(filter.GetSpecs()[0].pszName, L"Text Documents (*.txt)");
    EXPECT_STREQ(filter.GetSpecs()[0].pszSpec, L"*.txt");
    EXPECT_STREQ(filter.GetSpecs()[1].pszName, L"All Files (*.*)");
    EXPECT_STREQ(filter.GetSpecs()[1].pszSpec, L"*.*");

    const wchar_t expected[] = L"Text Documents (*.txt)\0*.txt\0All Files (*.*)\0*.*\0";
    EXPECT_EQ(std::wmemcmp(filter.GetText(), expected, std::size(expected)), 0); // both NULs at the end
    EXPECT_EQ(filter.GetSpecs()[1].pszSpec, filter.GetText() + 45);              // pairs point into it
}

TEST(FileFilter, TrailingPieceWithoutSeparatorIsIgnored)
{
    CFileFilter filter;
    ASSERT_EQ(filter.Assign(L"Logs|*.log|Text|*.txt"), S_OK);
    ASSERT_EQ(filter.GetCount(), 1u);
    EXPECT_STREQ(filter.GetSpecs()[0].pszName, L"Logs");
    EXPECT_STREQ(filter.GetSpecs()[0].pszSpec, L"*.log");
}

TEST(FileFilter, NameWithoutPatternIsIgnored)
{
    CFileFilter filter;
    ASSERT_EQ(filter.Assign(L"Logs|*.log|Text|"), S_OK);
    ASSERT_EQ(filter.GetCount(), 1u);
    EXPECT_STREQ(filter.GetSpecs()[0].pszSpec, L"*.log");
}

TEST(FileFilter, EmptyOrMissingStringGivesNoPairs)
{
    CFileFilter filter;
    ASSERT_EQ(filter.Load(IDS_FILE_FILTER), S_OK);
    ASSERT_EQ(filter.Assign(L""), S_OK);
    EXPECT_EQ(filter.GetCount(), 0u); // the earlier pairs are gone too
    EXPECT_STREQ(filter.GetText(), L"");
    ASSERT_EQ(filter.Load(0xFFF0), S_OK);
    EXPECT_EQ(filter.GetCount(), 0u);
}
