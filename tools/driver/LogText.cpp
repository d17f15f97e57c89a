#include "LogText.h"

#include <cwctype>

std::vector<std::wstring> SplitLogLines(const std::wstring& text, bool* complete)
{
    std::vector<std::wstring> lines;
    bool wellFormed = true;
    size_t start = 0;
    while (start < text.size())
    {
        const size_t end = text.find(L"\r\n", start);
        if (end == std::wstring::npos)
        {
            lines.push_back(text.substr(start));
            wellFormed = false;
            break;
        }
        std::wstring line = text.substr(start, end - start);
        if (line.find_first_of(L"\r\n") != std::wstring::npos)
            wellFormed = false;
        lines.push_back(std::move(line));
        start = end + 2;
    }
    if (complete != nullptr)
        *complete = wellFormed;
    return lines;
}

bool ParseTimestampPrefix(const std::wstring& prefix, SYSTEMTIME& time)
{
    // "yyyy/mm/dd hh:mm:ss.mmm - ": digits where the pattern has 'd', the rest literally.
    static constexpr wchar_t pattern[] = L"dddd/dd/dd dd:dd:dd.ddd - ";
    static_assert(std::size(pattern) - 1 == kLogPrefixLength);
    if (prefix.size() != kLogPrefixLength)
        return false;
    for (size_t i = 0; i < kLogPrefixLength; ++i)
    {
        const bool digitWanted = pattern[i] == L'd';
        // The year is right-aligned in four columns, so it may start with blanks.
        if (digitWanted && i < 4 && prefix[i] == L' ')
            continue;
        if (digitWanted ? !std::iswdigit(prefix[i]) : prefix[i] != pattern[i])
            return false;
    }
    const auto number = [&prefix](size_t at, size_t length) {
        WORD value = 0;
        for (size_t i = at; i < at + length; ++i)
            value = static_cast<WORD>(value * 10 + (prefix[i] == L' ' ? 0 : prefix[i] - L'0'));
        return value;
    };
    time = {};
    time.wYear = number(0, 4);
    time.wMonth = number(5, 2);
    time.wDay = number(8, 2);
    time.wHour = number(11, 2);
    time.wMinute = number(14, 2);
    time.wSecond = number(17, 2);
    time.wMilliseconds = number(20, 3);
    return time.wMonth >= 1 && time.wMonth <= 12 && time.wDay >= 1 && time.wDay <= 31 && time.wHour < 24 &&
           time.wMinute < 60 && time.wSecond < 60;
}

bool IsContinuationPrefix(const std::wstring& prefix)
{
    return prefix == std::wstring(kLogPrefixLength, L' ');
}

bool ParseLogLine(const std::wstring& line, LogLine& parsed)
{
    if (line.size() < kLogPrefixLength)
        return false;
    const std::wstring prefix = line.substr(0, kLogPrefixLength);
    parsed = {};
    if (ParseTimestampPrefix(prefix, parsed.time))
        parsed.timestamped = true;
    else if (!IsContinuationPrefix(prefix))
        return false;
    parsed.text = line.substr(kLogPrefixLength);
    return true;
}

ULONGLONG ToComparableTime(const SYSTEMTIME& time)
{
    FILETIME file{};
    if (!::SystemTimeToFileTime(&time, &file))
        return 0;
    return ((static_cast<ULONGLONG>(file.dwHighDateTime) << 32) | file.dwLowDateTime) / 10000;
}
