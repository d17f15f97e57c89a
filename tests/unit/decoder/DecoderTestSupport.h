#pragma once
// Decodes events into a plain log entry with a fixed clock and reads its lines back.
#include "DeviceChange.h"
#include "FixedClock.h"
#include "LogEntry.h"
#include "Records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Lines = std::vector<std::wstring>;

// The entry's lines: "T|text" after the fixed time stamp, "-|text" after 26 blanks, "?|rest"
// for anything else (a line of another shape, or text without its CR LF).
inline Lines SplitEntry(const std::wstring& text)
{
    Lines lines;
    size_t start = 0;
    for (size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2)
    {
        const std::wstring line = text.substr(start, end - start);
        const bool indented = line.size() >= CLogEntry::kPrefixLength &&
                              line.find_first_not_of(L' ') >= static_cast<size_t>(CLogEntry::kPrefixLength);
        const wchar_t* kind = line.starts_with(kFixedStamp) ? L"T|" : indented ? L"-|" : L"?|";
        lines.push_back(kind + (*kind == L'?' ? line : line.substr(CLogEntry::kPrefixLength)));
    }
    if (start != text.size())
        lines.push_back(L"?|" + text.substr(start));
    return lines;
}

// Decodes one event, which must answer TRUE, into a new entry and returns its lines.
inline Lines Decode(UINT code, DWORD_PTR data)
{
    CLogEntry entry(&FixedClock);
    EXPECT_EQ(OnDeviceChange(entry, code, data), TRUE);
    return SplitEntry(entry.GetText().Str());
}
inline Lines Decode(UINT code, const void* record) { return Decode(code, reinterpret_cast<DWORD_PTR>(record)); }
inline Lines Decode(UINT code, const BroadcastRecord& record) { return Decode(code, static_cast<DWORD_PTR>(record.Address())); }
