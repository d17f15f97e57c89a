#pragma once
// Reading the log view's text: lines ending in CR LF, each with a 26-character prefix that is
// either the local time of the entry ("yyyy/mm/dd hh:mm:ss.mmm - ") or blanks.
#include <string>
#include <vector>

// The lines of text, without their CR LF. complete is false when the text does not end in CR LF
// or holds a lone CR or LF.
std::vector<std::wstring> SplitLogLines(const std::wstring& text, bool* complete = nullptr);

// One logged line split into its prefix and its text.
struct LogLine
{
    bool timestamped = false;
    std::wstring text;
};

// Splits a logged line; false when it has neither kind of prefix.
bool ParseLogLine(const std::wstring& line, LogLine& parsed);
