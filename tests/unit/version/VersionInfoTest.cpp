// The version record reader and the About box's lines on a record other than the program's own,
// in a small DLL next to this program: two languages, padded values, a fourth version part.
#include "AboutText.h"
#include "ProgramPaths.h"
#include "VersionInfo.h"

#include <gtest/gtest.h>

struct VersionInfoTest : ::testing::Test
{
    void SetUp() override { ASSERT_TRUE(m_info.Load(PathBesideThisProgram(L"VersionRecordMultilingual.dll").c_str())); }
    CVersionInfo m_info;
};

TEST_F(VersionInfoTest, FirstTranslationOnlyTrimmed)
{
    auto text = [this](const wchar_t* key) {
        CString value;
        return m_info.GetStringValue(key, value) ? value : CString(L"<failed>");
    };
    EXPECT_EQ(text(L"OnlyFirst"), CString(L"erste"));
    EXPECT_EQ(text(L"OnlySecond"), CString(L"<failed>"));
    EXPECT_EQ(text(L"LegalCopyright"), CString(L"Copyright (C) 2026\tTest makers"));
    EXPECT_EQ(text(L"Blank"), CString(L""));
}

TEST_F(VersionInfoTest, TheAboutLinesComeFromTheFirstTranslation)
{
    CString description, version;
    ASSERT_TRUE(FormatAboutDescription(m_info, description));
    FormatAboutVersion(m_info, version);
    EXPECT_EQ(description, CString(L"Zaehler  Werkzeug (64-bit)"));
    EXPECT_EQ(version, CString(L"Version 2.1 (build 17)"));
}
