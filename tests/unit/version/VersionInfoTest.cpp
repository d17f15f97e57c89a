// The version record reader against real files: the test program's own record (the same
// resource script as Orvane.exe) and small DLLs whose records were written for these cases.
#include "VersionRecordFiles.h"
#include "version/VersionInfo.h"

#include <gtest/gtest.h>

namespace
{
void ExpectEmpty(const CVersionInfo& info)
{
    const VS_FIXEDFILEINFO zero{};
    EXPECT_EQ(memcmp(static_cast<const VS_FIXEDFILEINFO*>(&info), &zero, sizeof(zero)), 0);
    EXPECT_EQ(info.GetData(), nullptr);
    EXPECT_EQ(info.GetTranslationCount(), 0u);
}

CString Value(const CVersionInfo& info, const wchar_t* key)
{
    CString value(L"<untouched>");
    ::SetLastError(0);
    if (!info.GetStringValue(key, value))
        value.Format(L"<failed %u>", ::GetLastError());
    return value;
}
} // namespace

TEST(VersionInfo, OwnRecordNumbersAndTranslation)
{
    CAppVersionInfo info;
    EXPECT_EQ(info.dwFileVersionMS, 0x00020001u);
    EXPECT_EQ(info.dwFileVersionLS, 0x00110000u);
    EXPECT_EQ(info.dwProductVersionMS, 0x00020001u);
    EXPECT_EQ(info.dwProductVersionLS, 0u);
    ASSERT_EQ(info.GetTranslationCount(), 1u);
    EXPECT_EQ(info.GetTranslations()[0].wLanguage, 0x0409);
    EXPECT_EQ(info.GetTranslations()[0].wCodePage, 0x04B0);
}

TEST(VersionInfo, OwnRecordStrings)
{
    CAppVersionInfo info;
    EXPECT_EQ(Value(info, L"FileDescription"), CString(L"Orvane"));
    EXPECT_EQ(Value(info, L"FileVersion"), CString(L"2.1.17.0"));
    EXPECT_EQ(Value(info, L"ProductVersion"), CString(L"2.1"));
    EXPECT_EQ(Value(info, L"ProductName"), CString(L"Orvane"));
    EXPECT_EQ(Value(info, L"InternalName"), CString(L"Orvane"));
    EXPECT_EQ(Value(info, L"OriginalFilename"), CString(L"Orvane.exe"));
    EXPECT_EQ(Value(info, L"CompanyName"), CString(L"Orvane contributors"));
    EXPECT_EQ(Value(info, L"LegalCopyright"), CString(L"Copyright (C) 2026 Orvane contributors"));
}

TEST(VersionInfo, OnlyTheFirstTranslationIsRead)
{
    CVersionInfo info;
    ASSERT_TRUE(info.Load(VersionRecordPath(L"VersionRecordMultilingual.dll").c_str()));
    EXPECT_EQ(info.GetTranslationCount(), 2u);
    EXPECT_EQ(Value(info, L"OnlyFirst"), CString(L"erste"));
    CString second;
    EXPECT_FALSE(info.GetStringValue(L"OnlySecond", second));
}

TEST(VersionInfo, SurroundingWhiteSpaceIsTrimmedInnerKept)
{
    CVersionInfo info;
    ASSERT_TRUE(info.Load(VersionRecordPath(L"VersionRecordMultilingual.dll").c_str()));
    EXPECT_EQ(Value(info, L"FileDescription"), CString(L"Zaehler  Werkzeug"));
    EXPECT_EQ(Value(info, L"LegalCopyright"), CString(L"Copyright (C) 2026\tTest makers"));
    EXPECT_EQ(Value(info, L"Blank"), CString(L""));
}

TEST(VersionInfo, LoadAgainReplacesTheRecordAndAFailureEmptiesIt)
{
    CVersionInfo info;
    ASSERT_TRUE(info.Load(VersionRecordPath(L"VersionRecordMultilingual.dll").c_str()));
    ASSERT_TRUE(info.LoadFromModule(::GetModuleHandleW(nullptr)));
    EXPECT_EQ(info.dwFileVersionLS, 0x00110000u);
    EXPECT_EQ(Value(info, L"FileDescription"), CString(L"Orvane"));
    EXPECT_FALSE(info.Load(VersionRecordPath(L"VersionRecordNone.dll").c_str()));
    ExpectEmpty(info);
}

TEST(VersionInfo, FileWithoutRecord)
{
    CVersionInfo info;
    ExpectEmpty(info);
    EXPECT_FALSE(info.Load(VersionRecordPath(L"VersionRecordNone.dll").c_str()));
    ExpectEmpty(info);
    EXPECT_EQ(Value(info, L"FileDescription"), CString(L"<failed 13>"));
    EXPECT_FALSE(info.Load(VersionRecordPath(L"NoSuchFile.dll").c_str()));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST(VersionInfo, NoTranslationTableKeepsTheFixedFields)
{
    CVersionInfo info;
    EXPECT_FALSE(info.Load(VersionRecordPath(L"VersionRecordNoTranslation.dll").c_str()));
    EXPECT_EQ(info.dwFileVersionMS, 0x00030004u);
    EXPECT_EQ(info.dwFileVersionLS, 0x00050006u);
    EXPECT_EQ(info.GetData(), nullptr);
    EXPECT_EQ(Value(info, L"FileDescription"), CString(L"<failed 13>"));
}

TEST(VersionInfo, EmptyTranslationTableHasNoMoreItems)
{
    CVersionInfo info;
    ASSERT_TRUE(info.Load(VersionRecordPath(L"VersionRecordEmptyTranslation.dll").c_str()));
    EXPECT_EQ(info.GetTranslationCount(), 0u);
    EXPECT_EQ(Value(info, L"FileDescription"), CString(L"<failed 259>"));
}

TEST(VersionInfo, WrongSignatureIsInvalidData)
{
    CVersionInfo info;
    EXPECT_FALSE(info.Load(VersionRecordPath(L"VersionRecordBadSignature.dll").c_str()));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
    ExpectEmpty(info);
}
