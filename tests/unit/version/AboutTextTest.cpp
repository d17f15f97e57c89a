// The About box's lines built from a version record other than the program's own: description
// trimmed before the width follows, and a fourth version part (2.1.17.5) left out.
#include "VersionRecordFiles.h"
#include "AboutText.h"

#include <gtest/gtest.h>

TEST(AboutText, DescriptionAndVersionLinesFromAnotherRecord)
{
    CVersionInfo info;
    ASSERT_TRUE(info.Load(VersionRecordPath(L"VersionRecordMultilingual.dll").c_str()));
    CString description, version;
    ASSERT_TRUE(FormatAboutDescription(info, description));
    FormatAboutVersion(info, version);
    EXPECT_EQ(description, CString(L"Zaehler  Werkzeug (64-bit)"));
    EXPECT_EQ(version, CString(L"Version 2.1 (build 17)"));
}
