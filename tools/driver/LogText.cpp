#include "LogText.h"

#include <cwctype>
#include <iterator>

namespace
{
constexpr size_t kLogPrefixLength = 26;

// "yyyy/mm/dd hh:mm:ss.mmm - " with a month, day, hour, minute and second that can be.
bool IsTimestampPrefix(const std::wstring& prefix)
{
    // Digits where the pattern has 'd', the rest literally.
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
    const auto number = [&prefix](size_t at) { return (prefix[at] - L'0') * 10 + (prefix[at + 1] - L'0'); };
    const int month = number(5), day = number(8);
    return month >= 1 && month <= 12 && day >= 1 && day <= 31 && number(11) < 24 && number(14) < 60 && number(17) < 60;
}
} // namespace

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

bool ParseLogLine(const std::wstring& line, LogLine& parsed)
{
    if (line.size() < kLogPrefixLength)
        return false;
    const std::wstring prefix = line.substr(0, kLogPrefixLength);
    parsed = {};
    parsed.timestamped = IsTimestampPrefix(prefix);
    if (!parsed.timestamped && prefix != std::wstring(kLogPrefixLength, L' '))
        return false;
    parsed.text = line.substr(kLogPrefixLength);
    return true;
}
