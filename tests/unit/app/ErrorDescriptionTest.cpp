// The system's text for a failure code and the number after it, as message boxes show it.
#include "app/AppMessageBox.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
// What the system itself says for a message id, without the line break at its end.
std::wstring SystemText(DWORD messageId)
{
    wchar_t text[512] = {};
    ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, messageId, 0, text, 512,
                     nullptr);
    std::wstring result = text;
    return result.erase(result.find_last_not_of(L" \t\r\n") + 1);
}

std::wstring Describe(HRESULT hr)
{
    wchar_t buffer[kErrorDescriptionLength];
    return GetErrorDescription(hr, buffer) ? std::wstring(buffer) : L"<none>";
}

std::wstring WithNumber(HRESULT hr, const std::wstring& text)
{
    wchar_t buffer[kErrorDescriptionLength];
    buffer[text.copy(buffer, kErrorDescriptionLength - 1)] = L'\0';
    AppendErrorNumber(hr, buffer);
    return buffer;
}

std::wstring Trimmed(std::wstring text)
{
    TrimTrailingWhitespace(text.data());
    return text.c_str();
}
} // namespace

TEST(ErrorDescription, SystemErrorCodeGetsItsDecimalNumberOnTheSameLine)
{
    ASSERT_FALSE(SystemText(5).empty());
    EXPECT_EQ(Describe(static_cast<HRESULT>(0x80070005)), SystemText(5) + L" (5)");
    EXPECT_EQ(Describe(static_cast<HRESULT>(0x80070057)), SystemText(87) + L" (87)");
}

TEST(ErrorDescription, CodeOfAnotherFacilityGetsTheWholeCodeInHex)
{
    ASSERT_FALSE(SystemText(0x80004005).empty());
    EXPECT_EQ(Describe(E_FAIL), SystemText(0x80004005) + L" (0x80004005)");
}

TEST(ErrorDescription, CodeTheSystemCannotDescribeGivesFalse)
{
    EXPECT_EQ(Describe(static_cast<HRESULT>(0xE0001234)), L"<none>");
}

TEST(ErrorDescription, OverlongTextLosesItsEndButNeverTheNumber)
{
    EXPECT_EQ(WithNumber(E_FAIL, std::wstring(255, L'x')), std::wstring(242, L'x') + L" (0x80004005)");
    // The cut lands just after two spaces: they go too.
    EXPECT_EQ(WithNumber(static_cast<HRESULT>(0x80070005), std::wstring(249, L'y') + L"  zzzz"),
              std::wstring(249, L'y') + L" (5)");
}

TEST(ErrorDescription, CutNeverSplitsASurrogatePair)
{
    // Room for 242 characters would end in the first half of a pair.
    const std::wstring pairs = L"\xD83D\xDE00\xD83D\xDE00\xD83D\xDE00\xD83D\xDE00";
    EXPECT_EQ(WithNumber(E_FAIL, std::wstring(241, L'a') + pairs), std::wstring(241, L'a') + L" (0x80004005)");
}

TEST(TrimTrailingWhitespace, RemovesTheWholeTrailingRun)
{
    EXPECT_EQ(Trimmed(L"end \t\r\n \n"), L"end");
}

TEST(TrimTrailingWhitespace, KeepsLeadingAndInnerWhitespaceAndOtherBlanks)
{
    EXPECT_EQ(Trimmed(L" \tone \r\n two\tthree "), L" \tone \r\n two\tthree");
    EXPECT_EQ(Trimmed(L"a\u00A0\f"), L"a\u00A0\f");
}

TEST(TrimTrailingWhitespace, AllBlankTextBecomesEmpty)
{
    EXPECT_EQ(Trimmed(L" \r\n\t "), L"");
}
