// CFileFilter: the program's own filter string and the malformed forms a filter can take.
#include "FileFilter.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <array>
#include <cwchar>
#include <iterator>

TEST(FileFilter, ProgramFilterGivesTwoPairsInADoubleNulTerminatedText)
{
    CFileFilter filter;
    ASSERT_EQ(filter.Load(IDS_FILE_FILTER), S_OK);
    ASSERT_EQ(filter.GetCount(), 2u);
    const wchar_t expected[] = L"Text Documents (*.txt)\0*.txt\0All Files (*.*)\0*.*\0";
    EXPECT_EQ(std::wmemcmp(filter.GetText(), expected, std::size(expected)), 0); // both NULs at the end
    const COMDLG_FILTERSPEC* specs = filter.GetSpecs();
    const LPCWSTR text = filter.GetText();
    EXPECT_EQ((std::array{specs[0].pszName, specs[0].pszSpec, specs[1].pszName, specs[1].pszSpec}),
              (std::array{text, text + 23, text + 29, text + 45}));
}

TEST(FileFilter, IncompletePairsAndEmptyOrMissingStringsAreDropped)
{
    CFileFilter filter;
    for (const LPCWSTR text : {L"Logs|*.log|Text|*.txt", L"Logs|*.log|Text|"})
    {
        ASSERT_EQ(filter.Assign(text), S_OK);
        ASSERT_EQ(filter.GetCount(), 1u) << text;
        EXPECT_STREQ(filter.GetSpecs()[0].pszName, L"Logs");
        EXPECT_STREQ(filter.GetSpecs()[0].pszSpec, L"*.log");
    }
    ASSERT_EQ(filter.Load(0xFFF0), S_OK); // no such string
    EXPECT_EQ(filter.GetCount(), 0u);     // and the earlier pair is gone too
}
