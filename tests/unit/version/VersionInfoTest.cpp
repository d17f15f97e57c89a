// The version record reader against real files: the test program's own record (the same
// resource script as Orvane.exe) and small DLLs whose records were written for these cases.
#include "VersionRecordFiles.h"
#include "version/VersionInfo.h"

#include <gtest/gtest.h>

namespace
{
void ExpectEmpty(const CVersionInfo& info)
{
    const VS_FIXEDFILEINFO& fixed = info;
    const VS_FIXEDFILEINFO zero{};
    EXPECT_EQ(memcmp(&fixed, &zero, sizeof(zero)), 0);
    EXPECT_EQ(info.GetData(), nullptr);
    EXPECT_EQ(info.GetTranslations(), nullptr);
    EXPECT_EQ(info.GetTranslationCount(), 0u);
}

CString StringValue(const CVersionInfo& info, const wchar_t* key)
{
    CString value(L"<untouched>");
    EXPECT_TRUE(info.GetStringValue(key, value)) << "key " << static_cast<const wchar_t*>(key);
    return value;
}

// A failed lookup: false, the given last error, and the output left alone.
void ExpectLookupFails(const CVersionInfo& info, const wchar_t* key, DWORD lastError)
{
    CString value(L"<untouched>");
    ::SetLastError(0);
    EXPECT_FALSE(info.GetStringValue(key, value));
    EXPECT_EQ(::GetLastError(), lastError);
    EXPECT_EQ(value, CString(L"<untouched>"));
}
} // namespace

TEST(VersionInfoState, NewReaderIsEmpty)
{
    CVersionInfo info;
    ExpectEmpty(info);
    ExpectLookupFails(info, L"FileDescription", ERROR_INVALID_DATA);
}

TEST(VersionInfoState, ResetReturnsToEmpty)
{
    CVersionInfo info;
    ASSERT_TRUE(info.Load(VersionRecordPath(L"VersionRecordMultilingual.dll").c_str()));
    EXPECT_EQ(info.Reset(), S_OK);
    ExpectEmpty(info);
}

TEST(VersionInfoState, LoadAgainReplacesTheRecord)
{
    CVersionInfo info;
    ASSERT_TRUE(info.Load(VersionRecordPath(L"VersionRecordMultilingual.dll").c_str()));
    ASSERT_TRUE(info.Load(VersionRecordPath(L"VersionRecordEmptyTranslation.dll").c_str()));
    EXPECT_EQ(info.dwFileVersionMS, 0x00040000u);
    EXPECT_EQ(info.dwFileVersionLS, 0x00010000u);
    EXPECT_EQ(info.GetTranslationCount(), 0u);
}

TEST(VersionInfoState, FailedLoadAfterSuccessLeavesItEmpty)
{
    CVersionInfo info;
    ASSERT_TRUE(info.Load(VersionRecordPath(L"VersionRecordMultilingual.dll").c_str()));
    EXPECT_FALSE(info.Load(VersionRecordPath(L"VersionRecordNone.dll").c_str()));
    ExpectEmpty(info);
}

TEST(VersionInfoState, DestructionKeepsTheCallersLastError)
{
    {
        CVersionInfo info;
        ASSERT_TRUE(info.Load(VersionRecordPath(L"VersionRecordMultilingual.dll").c_str()));
        ::SetLastError(ERROR_ACCESS_DENIED);
    }
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

TEST(VersionInfoOwnRecord, FixedFileAndProductVersion)
{
    CAppVersionInfo info;
    EXPECT_EQ(info.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(info.dwFileVersionMS, 0x00020001u);
    EXPECT_EQ(info.dwFileVersionLS, 0x00110000u);
    EXPECT_EQ(info.dwProductVersionMS, 0x00020001u);
    EXPECT_EQ(info.dwProductVersionLS, 0x00000000u);
    EXPECT_EQ(info.dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST(VersionInfoOwnRecord, OneUsEnglishUnicodeTranslation)
{
    CAppVersionInfo info;
    ASSERT_EQ(info.GetTranslationCount(), 1u);
    EXPECT_EQ(info.GetTranslations()[0].wLanguage, 0x0409);
    EXPECT_EQ(info.GetTranslations()[0].wCodePage, 0x04B0);
}

TEST(VersionInfoOwnRecord, StringValues)
{
    CAppVersionInfo info;
    EXPECT_EQ(StringValue(info, L"FileDescription"), CString(L"Orvane"));
    EXPECT_EQ(StringValue(info, L"FileVersion"), CString(L"2.1.17.0"));
    EXPECT_EQ(StringValue(info, L"ProductVersion"), CString(L"2.1"));
    EXPECT_EQ(StringValue(info, L"ProductName"), CString(L"Orvane"));
    EXPECT_EQ(StringValue(info, L"InternalName"), CString(L"Orvane"));
    EXPECT_EQ(StringValue(info, L"OriginalFilename"), CString(L"Orvane.exe"));
    EXPECT_EQ(StringValue(info, L"CompanyName"), CString(L"Orvane contributors"));
    EXPECT_EQ(StringValue(info, L"LegalCopyright"), CString(L"Copyright (C) 2026 Orvane contributors"));
}

TEST(VersionInfoOwnRecord, LoadFromModuleReadsTheSameRecord)
{
    CVersionInfo info;
    ASSERT_TRUE(info.LoadFromModule(::GetModuleHandleW(nullptr)));
    EXPECT_EQ(info.dwFileVersionLS, 0x00110000u);
    EXPECT_EQ(StringValue(info, L"InternalName"), CString(L"Orvane"));
}

TEST(VersionInfoLookup, FirstTranslationDecides)
{
    CVersionInfo info;
    ASSERT_TRUE(info.Load(VersionRecordPath(L"VersionRecordMultilingual.dll").c_str()));
    ASSERT_EQ(info.GetTranslationCount(), 2u);
    EXPECT_EQ(StringValue(info, L"OnlyFirst"), CString(L"erste"));
}

TEST(VersionInfoLookup, LaterTranslationsAreNotSearched)
{
    CVersionInfo info;
    ASSERT_TRUE(info.Load(VersionRecordPath(L"VersionRecordMultilingual.dll").c_str()));
    CString value(L"<untouched>");
    EXPECT_FALSE(info.GetStringValue(L"OnlySecond", value));
    EXPECT_EQ(value, CString(L"<untouched>"));
}

TEST(VersionInfoLookup, QueryValueHandsBackTheRawValue)
{
    CVersionInfo info;
    ASSERT_TRUE(info.Load(VersionRecordPath(L"VersionRecordMultilingual.dll").c_str()));
    const wchar_t* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(info.QueryValue(L"OnlyFirst", &value, &length));
    ASSERT_GE(length, 5u);
    EXPECT_EQ(std::wstring(value, 5), L"erste");
}

TEST(VersionInfoLookup, SurroundingWhiteSpaceIsTrimmedInnerKept)
{
    CVersionInfo info;
    ASSERT_TRUE(info.Load(VersionRecordPath(L"VersionRecordMultilingual.dll").c_str()));
    EXPECT_EQ(StringValue(info, L"FileDescription"), CString(L"Zaehler  Werkzeug"));
    EXPECT_EQ(StringValue(info, L"LegalCopyright"), CString(L"Copyright (C) 2026\tTest makers"));
}

TEST(VersionInfoLookup, ValueOfOnlyWhiteSpaceBecomesEmpty)
{
    CVersionInfo info;
    ASSERT_TRUE(info.Load(VersionRecordPath(L"VersionRecordMultilingual.dll").c_str()));
    EXPECT_EQ(StringValue(info, L"Blank"), CString(L""));
}

TEST(VersionInfoLookup, AbsentKeyFails)
{
    CVersionInfo info;
    ASSERT_TRUE(info.Load(VersionRecordPath(L"VersionRecordMultilingual.dll").c_str()));
    CString value(L"<untouched>");
    EXPECT_FALSE(info.GetStringValue(L"NoSuchKey", value));
    EXPECT_EQ(value, CString(L"<untouched>"));
}

TEST(VersionInfoFailures, FileWithoutRecord)
{
    CVersionInfo info;
    ::SetLastError(0);
    EXPECT_FALSE(info.Load(VersionRecordPath(L"VersionRecordNone.dll").c_str()));
    EXPECT_NE(::GetLastError(), 0u);
    ExpectEmpty(info);
    ExpectLookupFails(info, L"FileDescription", ERROR_INVALID_DATA);
    ExpectLookupFails(info, L"AnyKeyAtAll", ERROR_INVALID_DATA);
}

TEST(VersionInfoFailures, MissingFileReportsTheSystemsError)
{
    CVersionInfo info;
    ::SetLastError(0);
    EXPECT_FALSE(info.Load(VersionRecordPath(L"NoSuchFile.dll").c_str()));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    ExpectEmpty(info);
}

TEST(VersionInfoFailures, NoTranslationTableKeepsFixedFields)
{
    CVersionInfo info;
    EXPECT_FALSE(info.Load(VersionRecordPath(L"VersionRecordNoTranslation.dll").c_str()));
    EXPECT_EQ(info.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(info.dwFileVersionMS, 0x00030004u);
    EXPECT_EQ(info.dwFileVersionLS, 0x00050006u);
    EXPECT_EQ(info.GetData(), nullptr);
    EXPECT_EQ(info.GetTranslationCount(), 0u);
    ExpectLookupFails(info, L"FileDescription", ERROR_INVALID_DATA);
}

TEST(VersionInfoFailures, EmptyTranslationTableAnswersNoMoreItems)
{
    CVersionInfo info;
    ASSERT_TRUE(info.Load(VersionRecordPath(L"VersionRecordEmptyTranslation.dll").c_str()));
    EXPECT_EQ(info.GetTranslationCount(), 0u);
    const wchar_t* value = nullptr;
    UINT length = 0;
    ::SetLastError(0);
    EXPECT_FALSE(info.QueryValue(L"FileDescription", &value, &length));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_ITEMS));
    ExpectLookupFails(info, L"FileDescription", ERROR_NO_MORE_ITEMS);
}

TEST(VersionInfoFailures, WrongSignatureIsInvalidData)
{
    CVersionInfo info;
    ::SetLastError(0);
    EXPECT_FALSE(info.Load(VersionRecordPath(L"VersionRecordBadSignature.dll").c_str()));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
    ExpectEmpty(info);
}

TEST(VersionInfoFailures, LoadFromModuleWithoutFileName)
{
    CVersionInfo info;
    ::SetLastError(0);
    EXPECT_FALSE(info.LoadFromModule(reinterpret_cast<HMODULE>(static_cast<INT_PTR>(0x10))));
    EXPECT_NE(::GetLastError(), 0u);
    ExpectEmpty(info);
}
