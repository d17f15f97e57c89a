#pragma once
// Decodes events into a plain log entry with a fixed clock and reads its lines back.
#include "DeviceChange.h"
#include "LogEntry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using Lines = std::vector<std::wstring>;

inline void WINAPI FixedClock(LPSYSTEMTIME time)
{
    *time = SYSTEMTIME{2026, 12, 0, 6, 9, 5, 7, 42};
}
inline constexpr wchar_t kFixedStamp[] = L"2026/12/06 09:05:07.042 - ";

// A record of dbch_size bytes: the header, then body at offset 12 (cut or zero-padded).
inline std::vector<BYTE> MakeRecord(DWORD deviceType, const void* body, size_t bodyBytes, size_t size)
{
    std::vector<BYTE> record(std::max<size_t>(size, 16));
    const DWORD header[3] = {static_cast<DWORD>(size), deviceType, 0};
    std::memcpy(record.data(), header, sizeof(header));
    std::memcpy(record.data() + 12, body, std::min(bodyBytes, record.size() - 12));
    return record;
}
// A terminated string record; an interface path follows the record's 16-byte class GUID.
inline std::vector<BYTE> StringRecord(DWORD deviceType, const std::wstring& text)
{
    const size_t skip = deviceType == DBT_DEVTYP_DEVICEINTERFACE ? sizeof(GUID) : 0;
    const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    std::vector<BYTE> body(skip);
    body.insert(body.end(), bytes, bytes + (text.size() + 1) * sizeof(wchar_t));
    return MakeRecord(deviceType, body.data(), body.size(), 12 + body.size());
}

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
inline Lines Decode(UINT code, const std::vector<BYTE>& record) { return Decode(code, record.data()); }
