#pragma once
// Decodes events into a plain log entry with a fixed clock and reads its lines back.
#include "DeviceChange.h"
#include "FixedClock.h"
#include "LogEntry.h"
#include "LogText.h"
#include "Records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Lines = std::vector<std::wstring>;

// The entry's lines: "T|text" after the fixed time stamp, "-|text" after 26 blanks, "?|line" for
// a line of another shape, and "?|" last for text that does not end in CR LF.
inline Lines SplitEntry(const std::wstring& text)
{
    bool complete = false;
    Lines lines;
    for (const std::wstring& line : SplitLogLines(text, &complete))
    {
        LogLine parsed;
        const bool ok = ParseLogLine(line, parsed) && (!parsed.timestamped || line.starts_with(kFixedStamp));
        lines.push_back(!ok ? L"?|" + line : (parsed.timestamped ? L"T|" : L"-|") + parsed.text);
    }
    if (!complete)
        lines.push_back(L"?|");
    return lines;
}

// Decodes one event, which must answer TRUE, into a new entry and returns its lines.
inline Lines Decode(UINT code, DWORD_PTR data)
{
    CLogEntry entry(&FixedClock);
    EXPECT_EQ(OnDeviceChange(entry, code, data), TRUE);
    return SplitEntry(entry.GetText().GetString());
}
inline Lines Decode(UINT code, const void* record) { return Decode(code, reinterpret_cast<DWORD_PTR>(record)); }
inline Lines Decode(UINT code, const BroadcastRecord& record) { return Decode(code, static_cast<DWORD_PTR>(record.Address())); }

// The record with a smaller dbch_size: what lies beyond it is not the record's.
inline BroadcastRecord CutTo(DWORD size, BroadcastRecord record)
{
    record.As<DEV_BROADCAST_HDR>()->dbch_size = size;
    return record;
}
