// The system's text for a failure code with its number after it, cut to fit without ever losing the number.
#include "ErrorDescription.h"

#include <gtest/gtest.h>

#include <string>

TEST(ErrorDescription, OverlongTextLosesItsEndButNeverTheNumber)
{
    const std::wstring pair = L"\xD83D\xDE00";
    const struct { HRESULT hr; std::wstring text, expected; } cases[] = {
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
        EXPECT_EQ(buffer, c.expected) << "row " << &c - cases;
    }
}
