// The system's text for a failure code and the number after it, as message boxes show them.
#include "app/AppMessageBox.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
// What the system itself says for a message id, line breaks and blanks at the end removed.
std::wstring SystemText(DWORD messageId)
{
    wchar_t text[512] = {};
    ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, messageId, 0, text, 512,
                     nullptr);
    std::wstring result = text;
    result.erase(result.find_last_not_of(L" \t\r\n") + 1);
    return result;
}

std::wstring Describe(HRESULT hr)
{
    wchar_t buffer[kErrorDescriptionLength];
    return GetErrorDescription(hr, buffer) ? std::wstring(buffer) : L"<none>";
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

TEST(ErrorDescription, SmallCodeOutsideTheSystemFacilityIsDecimal)
{
    EXPECT_EQ(Describe(5), SystemText(5) + L" (5)");
}

TEST(ErrorDescription, CodeTheSystemCannotDescribeGivesFalse)
{
    EXPECT_EQ(Describe(static_cast<HRESULT>(0xE0001234)), L"<none>");
}

TEST(ErrorDescription, OverlongTextLosesItsEndButNeverTheNumber)
{
    wchar_t buffer[kErrorDescriptionLength];
    std::wstring text(kErrorDescriptionLength - 1, L'x');
    text.copy(buffer, text.size());
    buffer[text.size()] = L'\0';
    AppendErrorNumber(E_FAIL, buffer);
    EXPECT_EQ(std::wstring(buffer), std::wstring(kErrorDescriptionLength - 1 - 13, L'x') + L" (0x80004005)");

    // The cut lands just after a space: the exposed blank goes too.
    text = std::wstring(249, L'y') + L"  zzzz";
    text.copy(buffer, text.size());
    buffer[text.size()] = L'\0';
    AppendErrorNumber(static_cast<HRESULT>(0x80070005), buffer);
    EXPECT_EQ(std::wstring(buffer), std::wstring(249, L'y') + L" (5)");
}

TEST(ErrorDescription, CutNeverSplitsASurrogatePair)
{
    wchar_t buffer[kErrorDescriptionLength];
    // 241 letters, then pairs: the 13-character number leaves room for 242 characters,
    // which would end in the first half of a pair.
    std::wstring text = std::wstring(241, L'a') + L"\xD83D\xDE00\xD83D\xDE00\xD83D\xDE00\xD83D\xDE00";
    text.copy(buffer, text.size());
    buffer[text.size()] = L'\0';
    AppendErrorNumber(E_FAIL, buffer);
    EXPECT_EQ(std::wstring(buffer), std::wstring(241, L'a') + L" (0x80004005)");
}

TEST(TrimTrailingWhitespace, RemovesTheWholeTrailingRun)
{
    EXPECT_EQ(Trimmed(L"Access denied.\r\n"), L"Access denied.");
    EXPECT_EQ(Trimmed(L"end \t\r\n \n"), L"end");
}

TEST(TrimTrailingWhitespace, KeepsLeadingAndInnerWhitespace)
{
    EXPECT_EQ(Trimmed(L" \tone \r\n two\tthree "), L" \tone \r\n two\tthree");
    EXPECT_EQ(Trimmed(L"no blanks"), L"no blanks");
}

TEST(TrimTrailingWhitespace, AllBlankTextBecomesEmpty)
{
    EXPECT_EQ(Trimmed(L" \r\n\t "), L"");
    EXPECT_EQ(Trimmed(L""), L"");
}

TEST(TrimTrailingWhitespace, OtherSpacesAreText)
{
    // Only CR, LF, tab and space count: a no-break space or a form feed is kept.
    EXPECT_EQ(Trimmed(L"a\u00A0"), L"a\u00A0");
    EXPECT_EQ(Trimmed(L"a\f "), L"a\f");
}
