// The formatter behind every log line and message, whatever the C runtime's printf mode: what
// the log's own tests leave open, and the conversions it refuses (past one of those, every
// argument would be read for the one before it).
#include "WideFormat.h"
#include "WideString.h"

#include <gtest/gtest.h>

#include <climits>

namespace
{
using Formatted = std::pair<std::wstring, bool>; // the text, and whether every conversion was made

Formatted Fmt(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    CString text;
    const bool complete = text.AppendFormatV(format, args);
    va_end(args);
    return {std::wstring(text.GetString(), static_cast<size_t>(text.GetLength())), complete};
}
} // namespace

TEST(WideFormat, ConversionsWithTheirWidths)
{
    EXPECT_EQ(Fmt(L"%s|%c", static_cast<const wchar_t*>(nullptr), L'\u00C4'), Formatted(L"(null)|\u00C4", true));
    EXPECT_EQ(Fmt(L"%hu|%ld %lX", 0x12345u, -5L, 0xABCUL), Formatted(L"9029|-5 ABC", true));
    EXPECT_EQ(Fmt(L"%08p", reinterpret_cast<void*>(0xFEDCBA9876543210ull)), Formatted(L"FEDCBA9876543210", true));
    EXPECT_EQ(Fmt(L"100%%|[%5s][%03d]", L"ab", -7), Formatted(L"100%|[   ab][-07]", true));
    EXPECT_EQ(Fmt(L"%1000u", 7u), Formatted(std::wstring(kMaxFieldWidth - 1, L' ') + L"7", true));
}

// A conversion it refuses is left as written, and so is everything after it.
TEST(WideFormat, WhatItRefusesIsLeftAsWritten)
{
    EXPECT_EQ(Fmt(L"%u %1001u %u", 1u, 2u, 3u), Formatted(L"1 %1001u %u", false));
    EXPECT_EQ(Fmt(L"%4294967303u|", 2u), Formatted(L"%4294967303u|", false)); // 2^32 + 7: no width that wraps to 7
    EXPECT_EQ(Fmt(L"%*d|%d", INT_MIN, 2, 3), Formatted(L"%*d|%d", false));
    EXPECT_EQ(Fmt(L"%hs|%u", "ab", 2u), Formatted(L"%hs|%u", false));
    EXPECT_EQ(Fmt(L"%f|%u", 1.5, 2u), Formatted(L"%f|%u", false));
    EXPECT_EQ(Fmt(L"50%"), Formatted(L"50%", false));
}

// An argument, or the format, may be the string's own text, read as it was when the call began:
// with room for one copy of it but not two, and with no room, where growing frees the old text.
TEST(WideFormat, AppendsItsOwnTextAsItWasWhenTheCallBegan)
{
    for (const int room : {0, 25})
    {
        CString text(L"0123456789");
        text.Preallocate(room);
        text.AppendFormat(L"%s|%4s", text.GetString(), text.GetString() + 7);
        text.AppendFormat(text.GetString());
        EXPECT_STREQ(text, L"01234567890123456789| 789" L"01234567890123456789| 789") << room;
    }
}
