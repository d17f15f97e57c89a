#pragma once
// Reading the log view's text: lines ending in CR LF, each with a 26-character prefix that is
// either the local time of the entry ("yyyy/mm/dd hh:mm:ss.mmm - ") or blanks.
#include <windows.h>

#include <string>
#include <vector>

inline constexpr size_t kLogPrefixLength = 26;

// The lines of text, without their CR LF. complete is false when the text does not end in CR LF
// or holds a lone CR or LF.
std::vector<std::wstring> SplitLogLines(const std::wstring& text, bool* complete = nullptr);

// Reads a time-stamp prefix; false if prefix is not one.
bool ParseTimestampPrefix(const std::wstring& prefix, SYSTEMTIME& time);
bool IsContinuationPrefix(const std::wstring& prefix);

// One logged line split into its prefix and its text.
struct LogLine
{
    bool timestamped = false;
    SYSTEMTIME time{};
    std::wstring text;
};

// Splits a logged line; false when it has neither kind of prefix.
bool ParseLogLine(const std::wstring& line, LogLine& parsed);

// Local times as one comparable number (milliseconds, calendar-exact enough for ordering).
ULONGLONG ToComparableTime(const SYSTEMTIME& time);
