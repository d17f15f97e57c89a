// The About box's lines built from a version record other than the program's own.
#include "VersionRecordFiles.h"
#include "version/AboutText.h"

#include <gtest/gtest.h>

TEST(AboutText, DescriptionIsTrimmedBeforeTheWidthFollows)
{
    CVersionInfo info;
    ASSERT_TRUE(info.Load(VersionRecordPath(L"VersionRecordMultilingual.dll").c_str()));
    CString text;
    ASSERT_TRUE(FormatAboutDescription(info, text));
    EXPECT_EQ(text, CString(L"Zaehler  Werkzeug (64-bit)"));
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
