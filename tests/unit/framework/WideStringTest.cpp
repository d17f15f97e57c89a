// The formatter behind every log line and message: each conversion and width the program's
// formats use, independent of the C runtime's printf mode.
#include "framework/WideString.h"

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

TEST(WideFormat, WideStringForPercentS)
{
    EXPECT_EQ(Fmt(L"  Port=%s", L"COM3"), L"  Port=COM3");
    EXPECT_EQ(Fmt(L"[%s]", L""), L"[]");
}

TEST(WideFormat, NarrowStringForPercentHs)
{
    EXPECT_EQ(Fmt(L"%hs", "Abc"), L"Abc");
}

TEST(WideFormat, WideCharacterForPercentC)
{
    EXPECT_EQ(Fmt(L" %c:", L'E'), L" E:");
    EXPECT_EQ(Fmt(L"%c", static_cast<wchar_t>(0x00C4)), L"\u00C4");
}

TEST(WideFormat, SignedAndUnsignedDecimals)
{
    EXPECT_EQ(Fmt(L"%d", -2147483647 - 1), L"-2147483648");
    EXPECT_EQ(Fmt(L"%d", static_cast<int>(0xFFFFFFFFu)), L"-1");
    EXPECT_EQ(Fmt(L"%u", 4294967295u), L"4294967295");
    EXPECT_EQ(Fmt(L"UNKNOWN (%d)", 32775), L"UNKNOWN (32775)");
}

TEST(WideFormat, UnsignedShortUsesLow16Bits)
{
    EXPECT_EQ(Fmt(L"%hu", 0x12345u), L"9029");
    EXPECT_EQ(Fmt(L"x=%hu,y=%hu", 1920, 1024), L"x=1920,y=1024");
}

TEST(WideFormat, TimestampWidths)
{
    EXPECT_EQ(Fmt(L"%4hu/%02hu/%02hu %02hu:%02hu:%02hu.%03hu - ", 2026, 1, 5, 3, 4, 9, 7),
              L"2026/01/05 03:04:09.007 - ");
    EXPECT_EQ(Fmt(L"%4hu|", 987), L" 987|");
    EXPECT_EQ(Fmt(L"%03hu", 42), L"042");
}

TEST(WideFormat, HexDigitsLowerAndUpper)
{
    EXPECT_EQ(Fmt(L"%08x", 0xABCDu), L"0000abcd");
    EXPECT_EQ(Fmt(L"%08X", 0xABCDu), L"0000ABCD");
    EXPECT_EQ(Fmt(L"%08X", 0x80070057u), L"80070057");
    EXPECT_EQ(Fmt(L"%04x%04x", 0x0409u, 0x04B0u), L"040904b0");
}

TEST(WideFormat, PointerIsSixteenUpperCaseDigits)
{
    EXPECT_EQ(Fmt(L"%08p", reinterpret_cast<void*>(0xABCDEF12ull)), L"00000000ABCDEF12");
    EXPECT_EQ(Fmt(L"%p", reinterpret_cast<void*>(0x1ull)), L"0000000000000001");
    EXPECT_EQ(Fmt(L"%08p", reinterpret_cast<void*>(0xFEDCBA9876543210ull)), L"FEDCBA9876543210");
}

TEST(WideFormat, PercentLiteralAndLeftAlignment)
{
    EXPECT_EQ(Fmt(L"100%%"), L"100%");
    EXPECT_EQ(Fmt(L"[%-4d]", 7), L"[7   ]");
    EXPECT_EQ(Fmt(L"[%5s]", L"ab"), L"[   ab]");
}

TEST(WideFormat, NullStringPrintsPlaceholder)
{
    EXPECT_EQ(Fmt(L"%s", static_cast<const wchar_t*>(nullptr)), L"(null)");
}

TEST(WideString, AppendFormatKeepsExistingText)
{
    CString text(L"A");
    text.AppendFormat(L"%d", 5);
    text.AppendFormat(L"%s", L"b");
    EXPECT_EQ(text.Str(), L"A5b");
}

TEST(WideString, ReleaseBufferCutsAtFirstNul)
{
    CString text;
    wchar_t* buffer = text.GetBuffer(10);
    wcscpy(buffer, L"abc");
    text.ReleaseBuffer();
    EXPECT_EQ(text.GetLength(), 3);
    EXPECT_EQ(text.Str(), L"abc");
}

TEST(WideString, LoadStringOfMissingIdIsEmpty)
{
    CString text(L"old");
    EXPECT_FALSE(text.LoadString(9999));
    EXPECT_TRUE(text.IsEmpty());
}

TEST(WideString, LoadStringReadsTheProgramsStringTable)
{
    CString text;
    ASSERT_TRUE(text.LoadString(57345));
    EXPECT_EQ(text.Str(), L"Ready");
}

TEST(WideString, TrimRightWithSet)
{
    CString text(L"  value\r\n\t ");
    text.TrimRight(L"\r\n\t ");
    EXPECT_EQ(text.Str(), L"  value");
}
