// The version record reader against real files: the test program's own record (the same
// resource script as Orvane.exe) and small DLLs whose records were written for these cases.
#include "VersionRecordFiles.h"
#include "VersionInfo.h"

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

bool Load(CVersionInfo& info, const wchar_t* record)
{
    return info.Load(VersionRecordPath(record).c_str());
}
} // namespace

TEST(VersionInfo, OwnRecord)
{
    CAppVersionInfo info;
    EXPECT_EQ(info.dwFileVersionMS, 0x00020001u);
    EXPECT_EQ(info.dwFileVersionLS, 0x00110000u);
    EXPECT_EQ(info.dwProductVersionMS, 0x00020001u);
    EXPECT_EQ(info.dwProductVersionLS, 0u);
    ASSERT_EQ(info.GetTranslationCount(), 1u);
    EXPECT_EQ(info.GetTranslations()[0].wLanguage, 0x0409);
    EXPECT_EQ(info.GetTranslations()[0].wCodePage, 0x04B0);
    const std::pair<const wchar_t*, const wchar_t*> strings[] = {
        {L"FileDescription", L"Orvane"},
        {L"FileVersion", L"2.1.17.0"},
        {L"ProductVersion", L"2.1"},
        {L"ProductName", L"Orvane"},
        {L"InternalName", L"Orvane"},
        {L"OriginalFilename", L"Orvane.exe"},
        {L"CompanyName", L"Orvane contributors"},
        {L"LegalCopyright", L"Copyright (C) 2026 Orvane contributors"},
    };
    for (const auto& [key, expected] : strings)
        EXPECT_EQ(Value(info, key), CString(expected)) << testing::PrintToString(std::wstring(key));
}

TEST(VersionInfo, FirstTranslationOnlyWithSurroundingWhiteSpaceTrimmed)
{
    CVersionInfo info;
    ASSERT_TRUE(Load(info, L"VersionRecordMultilingual.dll"));
    EXPECT_EQ(info.GetTranslationCount(), 2u);
    EXPECT_EQ(Value(info, L"OnlyFirst"), CString(L"erste"));
    EXPECT_EQ(Value(info, L"OnlySecond").Str().rfind(L"<failed", 0), 0u);
    EXPECT_EQ(Value(info, L"FileDescription"), CString(L"Zaehler  Werkzeug"));
    EXPECT_EQ(Value(info, L"LegalCopyright"), CString(L"Copyright (C) 2026\tTest makers"));
    EXPECT_EQ(Value(info, L"Blank"), CString(L""));
}

TEST(VersionInfo, LoadAgainReplacesTheRecordAndAFailureEmptiesIt)
{
    CVersionInfo info;
    ASSERT_TRUE(Load(info, L"VersionRecordMultilingual.dll"));
    ASSERT_TRUE(info.LoadFromModule(::GetModuleHandleW(nullptr)));
    EXPECT_EQ(info.dwFileVersionLS, 0x00110000u);
    EXPECT_EQ(Value(info, L"FileDescription"), CString(L"Orvane"));
    EXPECT_FALSE(Load(info, L"VersionRecordNone.dll"));
    ExpectEmpty(info);
    EXPECT_EQ(Value(info, L"FileDescription"), CString(L"<failed 13>"));
}

TEST(VersionInfo, MissingFileOrWrongSignatureFailWithTheirErrors)
{
    CVersionInfo info;
    EXPECT_FALSE(Load(info, L"NoSuchFile.dll"));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(Load(info, L"VersionRecordBadSignature.dll"));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
    ExpectEmpty(info);
}

TEST(VersionInfo, NoTranslationTableKeepsTheFixedFields)
{
    CVersionInfo info;
    EXPECT_FALSE(Load(info, L"VersionRecordNoTranslation.dll"));
    EXPECT_EQ(info.dwFileVersionMS, 0x00030004u);
    EXPECT_EQ(info.dwFileVersionLS, 0x00050006u);
    EXPECT_EQ(info.GetData(), nullptr);
    EXPECT_EQ(Value(info, L"FileDescription"), CString(L"<failed 13>"));
}

TEST(VersionInfo, EmptyTranslationTableHasNoMoreItems)
{
    CVersionInfo info;
    ASSERT_TRUE(Load(info, L"VersionRecordEmptyTranslation.dll"));
    EXPECT_EQ(info.GetTranslationCount(), 0u);
    EXPECT_EQ(Value(info, L"FileDescription"), CString(L"<failed 259>"));
}
