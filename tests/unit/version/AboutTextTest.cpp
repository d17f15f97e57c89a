// The About box's lines as built from a version record, fed with the test's own records.
#include "VersionRecordFiles.h"
#include "version/AboutText.h"

#include <gtest/gtest.h>

TEST(AboutText, DescriptionOfOwnRecordNamesTheProcessorWidth)
{
    CAppVersionInfo info;
    CString text;
    ASSERT_TRUE(FormatAboutDescription(info, text));
    EXPECT_EQ(text, CString(L"Orvane (64-bit)"));
}

TEST(AboutText, DescriptionIsTrimmedBeforeTheWidthFollows)
{
    CVersionInfo info;
    ASSERT_TRUE(info.Load(VersionRecordPath(L"VersionRecordMultilingual.dll").c_str()));
    CString text;
    ASSERT_TRUE(FormatAboutDescription(info, text));
    EXPECT_EQ(text, CString(L"Zaehler  Werkzeug (64-bit)"));
}

TEST(AboutText, MissingDescriptionLeavesTheTextAlone)
{
    CVersionInfo info;
    ASSERT_FALSE(info.Load(VersionRecordPath(L"VersionRecordNoTranslation.dll").c_str()));
    CString text(L"<description>");
    EXPECT_FALSE(FormatAboutDescription(info, text));
    EXPECT_EQ(text, CString(L"<description>"));
}

TEST(AboutText, VersionLineOfOwnRecord)
{
    CAppVersionInfo info;
    CString text;
    FormatAboutVersion(info, text);
    EXPECT_EQ(text, CString(L"Version 2.1 (build 17)"));
}

TEST(AboutText, VersionLineLeavesOutTheFourthPart)
{
    CVersionInfo info;
    ASSERT_TRUE(info.Load(VersionRecordPath(L"VersionRecordMultilingual.dll").c_str()));
    ASSERT_EQ(LOWORD(info.dwFileVersionLS), 5);
    CString text;
    FormatAboutVersion(info, text);
    EXPECT_EQ(text, CString(L"Version 2.1 (build 17)"));
}

TEST(AboutText, VersionPartsAreUnsigned16Bit)
{
    VS_FIXEDFILEINFO fixed{};
    fixed.dwFileVersionMS = 0xFFFF8000;
    fixed.dwFileVersionLS = 0x9C40FFFF;
    CString text;
    FormatAboutVersion(fixed, text);
    EXPECT_EQ(text, CString(L"Version 65535.32768 (build 40000)"));
}
