// The formatter behind every log line and message: each conversion, flag and width the
// program's formats use, independent of the C runtime's printf mode.
#include "WideString.h"

#include <gtest/gtest.h>

namespace
{
std::wstring Fmt(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    CString text;
    text.FormatV(format, args);
    va_end(args);
    return text.Str();
}
} // namespace

TEST(WideFormat, EveryConversionAndWidth)
{
    const struct
    {
        std::wstring actual;
        const wchar_t* expected;
    } cases[] = {
        {Fmt(L"  Port=%s", L"COM3"), L"  Port=COM3"},
        {Fmt(L"[%s]", L""), L"[]"},
        {Fmt(L"%s", static_cast<const wchar_t*>(nullptr)), L"(null)"},
        {Fmt(L"%hs", "Abc"), L"Abc"},
        {Fmt(L" %c:", L'E'), L" E:"},
        {Fmt(L"%c", static_cast<wchar_t>(0x00C4)), L"\u00C4"},
        {Fmt(L"%d", -2147483647 - 1), L"-2147483648"},
        {Fmt(L"%u", 4294967295u), L"4294967295"},
        {Fmt(L"%hu", 0x12345u), L"9029"}, // only the low 16 bits
        {Fmt(L"%4hu/%02hu/%02hu %02hu:%02hu:%02hu.%03hu - ", 2026, 1, 5, 3, 4, 9, 7), L"2026/01/05 03:04:09.007 - "},
        {Fmt(L"%4hu|", 987), L" 987|"},
        {Fmt(L"%08x", 0xABCDu), L"0000abcd"},
        {Fmt(L"%08X", 0x8007ABCDu), L"8007ABCD"},
        {Fmt(L"%04x%04x", 0x0409u, 0x04B0u), L"040904b0"},
        {Fmt(L"%08p", reinterpret_cast<void*>(0xABCDEF12ull)), L"00000000ABCDEF12"},
        {Fmt(L"%08p", reinterpret_cast<void*>(0xFEDCBA9876543210ull)), L"FEDCBA9876543210"},
        {Fmt(L"100%%"), L"100%"},
        {Fmt(L"[%-4d][%5s]", 7, L"ab"), L"[7   ][   ab]"},
        {Fmt(L"[%*u][%*d][%*s]", 3, 7u, -4, 7, -3, L"ab"), L"[  7][7   ][ab ]"}, // a negative * width aligns left
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.actual, c.expected) << "row " << &c - cases;
}
