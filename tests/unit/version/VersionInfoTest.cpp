// The version record reader and the About box's lines on a record other than the program's own,
// in a small DLL next to this program: two languages, padded values, a fourth version part.
#include "AboutText.h"
#include "ProgramPaths.h"
#include "VersionInfo.h"

#include <gtest/gtest.h>

TEST(VersionInfo, FirstTranslationOnlyTrimmedAndTheAboutLinesFromIt)
{
    CVersionInfo info;
    ASSERT_TRUE(info.Load(PathBesideThisProgram(L"VersionRecordMultilingual.dll").c_str()));
    auto text = [&info](const wchar_t* key) {
        CString value;
        return info.GetStringValue(key, value) ? value : CString(L"<failed>");
    };
    EXPECT_EQ(text(L"OnlyFirst"), CString(L"erste"));
    EXPECT_EQ(text(L"OnlySecond"), CString(L"<failed>"));
    EXPECT_EQ(text(L"LegalCopyright"), CString(L"Copyright (C) 2026\tTest makers"));
    EXPECT_EQ(text(L"Blank"), CString(L""));
    CString description, version;
    ASSERT_TRUE(FormatAboutDescription(info, description));
    FormatAboutVersion(info, version);
    EXPECT_EQ(description, CString(L"Zaehler  Werkzeug (64-bit)"));
    EXPECT_EQ(version, CString(L"Version 2.1 (build 17)"));
}
