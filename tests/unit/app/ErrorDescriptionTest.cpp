// The system's text for a failure code and the number after it, as message boxes show it.
#include "AppMessageBox.h"

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
} // namespace

TEST(ErrorDescription, SystemFacilityGetsDecimalOtherCodesHexUnknownGivesFalse)
{
    ASSERT_FALSE(SystemText(5).empty());
    ASSERT_FALSE(SystemText(0x80004005).empty());
    const std::pair<HRESULT, std::wstring> cases[] = {
        {HRESULT_FROM_WIN32(5), SystemText(5) + L" (5)"},
        {HRESULT_FROM_WIN32(87), SystemText(87) + L" (87)"},
        {E_FAIL, SystemText(0x80004005) + L" (0x80004005)"},
        {static_cast<HRESULT>(0xE0001234), L"<none>"},
    };
    for (const auto& [hr, expected] : cases)
    {
        wchar_t buffer[kErrorDescriptionLength];
        EXPECT_EQ(GetErrorDescription(hr, buffer) ? std::wstring(buffer) : L"<none>", expected) << std::hex << hr;
    }
}

TEST(ErrorDescription, OverlongTextLosesItsEndButNeverTheNumber)
{
    const std::wstring pair = L"\xD83D\xDE00";
    const struct
    {
        HRESULT hr;
        std::wstring text;
        std::wstring expected;
    } cases[] = {
        {E_FAIL, std::wstring(255, L'x'), std::wstring(242, L'x') + L" (0x80004005)"},
        // The cut lands just after two spaces: they go too.
        {HRESULT_FROM_WIN32(5), std::wstring(249, L'y') + L"  zzzz", std::wstring(249, L'y') + L" (5)"},
        // Room for 242 characters would end in the first half of a pair.
        {E_FAIL, std::wstring(241, L'a') + pair + pair + pair, std::wstring(241, L'a') + L" (0x80004005)"},
    };
    for (const auto& c : cases)
    {
        wchar_t buffer[kErrorDescriptionLength];
        buffer[c.text.copy(buffer, kErrorDescriptionLength - 1)] = L'\0';
        AppendErrorNumber(c.hr, buffer);
        EXPECT_EQ(buffer, c.expected);
    }
}

TEST(TrimTrailingWhitespace, RemovesOnlyTheTrailingRunOfSpaceTabCrLf)
{
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"end \t\r\n \n", L"end"},
        {L" \tone \r\n two\tthree ", L" \tone \r\n two\tthree"},
        {L"a\u00A0\f", L"a\u00A0\f"},
        {L" \r\n\t ", L""},
    };
    for (auto [text, expected] : cases)
    {
        TrimTrailingWhitespace(text.data());
        EXPECT_EQ(std::wstring(text.c_str()), expected);
    }
}
