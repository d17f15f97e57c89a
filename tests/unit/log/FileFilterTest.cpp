// CFileFilter: the program's own filter string and the malformed forms a filter can take.
#include "log/FileFilter.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
// The NUL-separated pieces of the filter text, up to the empty piece that ends the list.
std::vector<std::wstring> Pieces(const wchar_t* text)
{
    std::vector<std::wstring> pieces;
    for (const wchar_t* piece = text; *piece != L'\0'; piece += wcslen(piece) + 1)
        pieces.emplace_back(piece);
    return pieces;
}
} // namespace

TEST(FileFilter, ProgramFilterGivesTwoPairs)
{
    CFileFilter filter;
    ASSERT_EQ(filter.Load(IDS_FILE_FILTER), S_OK);
    ASSERT_EQ(filter.GetCount(), 2u);
    EXPECT_STREQ(filter.GetSpecs()[0].pszName, L"Text Documents (*.txt)");
    EXPECT_STREQ(filter.GetSpecs()[0].pszSpec, L"*.txt");
    EXPECT_STREQ(filter.GetSpecs()[1].pszName, L"All Files (*.*)");
    EXPECT_STREQ(filter.GetSpecs()[1].pszSpec, L"*.*");
}

TEST(FileFilter, ProgramFilterTextIsADoubleNulTerminatedList)
{
    CFileFilter filter;
    ASSERT_EQ(filter.Load(IDS_FILE_FILTER), S_OK);
    const std::vector<std::wstring> expected{L"Text Documents (*.txt)", L"*.txt", L"All Files (*.*)", L"*.*"};
    EXPECT_EQ(Pieces(filter.GetText()), expected);

    const wchar_t* text = filter.GetText();
    const size_t listLength = 22 + 1 + 5 + 1 + 15 + 1 + 3 + 1;
    EXPECT_EQ(text[listLength - 1], L'\0');
    EXPECT_EQ(text[listLength], L'\0');
}

TEST(FileFilter, PairsPointIntoTheText)
{
    CFileFilter filter;
    ASSERT_EQ(filter.Load(IDS_FILE_FILTER), S_OK);
    ASSERT_EQ(filter.GetCount(), 2u);
    EXPECT_EQ(filter.GetSpecs()[0].pszName, filter.GetText());
    EXPECT_EQ(filter.GetSpecs()[0].pszSpec, filter.GetText() + 23);
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

TEST(FileFilter, EmptyStringGivesNoPairs)
{
    CFileFilter filter;
    ASSERT_EQ(filter.Assign(L""), S_OK);
    EXPECT_EQ(filter.GetCount(), 0u);
    EXPECT_STREQ(filter.GetText(), L"");
}

TEST(FileFilter, MissingStringGivesNoPairs)
{
    CFileFilter filter;
    EXPECT_EQ(filter.Load(0xFFF0), S_OK);
    EXPECT_EQ(filter.GetCount(), 0u);
}

TEST(FileFilter, LoadingAgainReplacesThePairs)
{
    CFileFilter filter;
    ASSERT_EQ(filter.Load(IDS_FILE_FILTER), S_OK);
    ASSERT_EQ(filter.Assign(L"Logs|*.log|"), S_OK);
    ASSERT_EQ(filter.GetCount(), 1u);
    EXPECT_STREQ(filter.GetSpecs()[0].pszName, L"Logs");
}
